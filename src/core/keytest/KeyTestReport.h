// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class KeyTestSession;
class LabelCodec;
struct TestedSequence;

// The words of a key test, the same in the window and in the saved report.
namespace KeyTestReport {

// "key 13, Latte": the key's number and its label, the label's lines joined by spaces. A label
// that is still the key's default number says nothing the number does not, and is left out.
QString keyName(const KeyTestSession &session, int index, const LabelCodec &codec);

// One line per sequence: the time, the strokes, the hex of each group and the keys that send
// exactly this, or that no key does, and how often a held key repeated it:
// "07:51:03  Shift+A  [12 1C F0 1C F0 12]  key 13, Latte (repeated 40 times)".
QString sequenceLine(const KeyTestSession &session, const TestedSequence &sequence,
                     const LabelCodec &codec);

// The window's short summary: how many keys have codes and how many were seen, the numbers of
// those not yet seen, and the sets of keys with the same codes.
QString summary(const KeyTestSession &session);

// The whole report as plain text: the layout, the date, every sequence, the summary, and the
// keys not yet seen and those with the same codes by name.
QString reportText(const KeyTestSession &session, const QString &layoutName, const QDateTime &date,
                   const LabelCodec &codec);

} // namespace KeyTestReport
