// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

class LabelCodec;
struct KeyCell;
struct ConfigProblem;
struct ProgramProfile;

// The words tvrtool uses for what a layout holds, the same in every subcommand.
namespace LayoutText {

// "#RRGGBB" for a colour of its own, the system colour's name ("buttonFace") for one that
// follows the desktop, and the whole value as "0x8000001F" for anything else a file may hold.
QString colorText(quint32 value);
// The value any of those forms stands for; nothing for anything else.
std::optional<quint32> parseColor(const QString &text);

// Why text is no colour, and what would be.
QString notAColor(const QString &text);

// A key's codes as show --codes lists them: a line with its place, label and count, then one
// line per group, its hex and the stroke that makes it. "key 13 (column 1, row 5) "Latte",
// 6 codes:" and "  12 1C F0 1C F0 12  Shift+A".
QString codeListing(const KeyCell &key, int index, const ProgramProfile &profile,
                    const LabelCodec &codec);
// "no codes", "1 code", "12 codes".
QString codeCount(int count);

// What check and every loading subcommand say about a file that is no layout; its keys'
// problems are worded as the programs word them.
QString wrongMagic(const QByteArray &bytes);

// A label for a line of text, in double quotes: characters that would upset the terminal are
// shown as "?"; the label's "|" line breaks stay as they are.
QString quotedLabel(const QByteArray &caption, const LabelCodec &codec);

// The bytes of a key's code area past its codes, up to the last that is not zero: they mean
// nothing to the keyboard, but the file keeps them (the end mark of the last run, for one).
QByteArrayView spareCodes(const KeyCell &key);

// "1 x 1" (columns x rows).
QString spans(int columns, int rows);

} // namespace LayoutText
