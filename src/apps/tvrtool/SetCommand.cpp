// SPDX-License-Identifier: MIT
// tvrtool set: edits keys of a layout as the label, code and colour dialogs do.

#include "LayoutEdit.h"
#include "SubcommandParser.h"
#include "Subcommands.h"
#include "codeentry/CodeDecoder.h"
#include "keymodel/KeyRecord.h"
#include "keymodel/LayoutText.h"
#include "profile/ProgramProfile.h"

namespace {

// The label's bytes, as the label dialog would store the text; nothing, having said why, when
// the dialog would not take it whole.
std::optional<QByteArray> labelBytes(const QString &text, const LabelCodec &codec, ToolIo &io)
{
    if (!codec.canEncode(text)) {
        io.error(QStringLiteral("set: --label: \"%1\" has characters that code page %2 cannot hold")
                     .arg(text, QString::fromLatin1(codec.encoding())));
        return std::nullopt;
    }
    const QByteArray bytes = codec.encode(text);
    if (bytes.size() > KeyRecord::LabelSize) {
        io.error(QStringLiteral("set: --label: \"%1\" is %2 bytes, over the label's %3")
                     .arg(text)
                     .arg(bytes.size())
                     .arg(KeyRecord::LabelSize));
        return std::nullopt;
    }
    return bytes;
}

// The codes from hex bytes or from strokes named as show --codes names them.
std::optional<QByteArray> codesFrom(const SubcommandParser &parser, const QCommandLineOption &hex,
                                    const QCommandLineOption &strokes, ToolIo &io)
{
    QByteArray codes;
    if (parser.isSet(hex)) {
        for (const QString &token : parser.value(hex).split(u' ', Qt::SkipEmptyParts)) {
            bool ok = false;
            const uint byte = token.toUInt(&ok, 16);
            if (!ok || token.size() != 2 || byte > 0xFF) {
                io.error(QStringLiteral("set: --codes: \"%1\" is not a byte as two hex digits, "
                                        "such as 1C")
                             .arg(token));
                return std::nullopt;
            }
            codes += char(byte);
        }
    } else {
        for (const QString &name : parser.value(strokes).split(u',', Qt::SkipEmptyParts)) {
            const std::optional<QByteArray> group = groupNamed(name);
            if (!group) {
                io.error(QStringLiteral("set: --keys: \"%1\" is no stroke the keyboard can send; "
                                        "name them as show --codes does, such as Shift+A")
                             .arg(name.trimmed()));
                return std::nullopt;
            }
            codes += *group;
        }
    }
    if (codes.size() > KeyCell::MaxCodes) {
        io.error(QStringLiteral("set: %1 codes, over the %2 a key holds")
                     .arg(codes.size())
                     .arg(KeyCell::MaxCodes));
        return std::nullopt;
    }
    return codes;
}

} // namespace

int setCommand(const QStringList &arguments, ToolIo &io)
{
    SubcommandParser parser(
        QStringLiteral("set"),
        QStringLiteral("Gives keys of a layout a label, a colour or codes, as the desktop "
                       "programs'\ndialogs do and refusing what they refuse, and writes the "
                       "layout back whole\n(or to -o). Keys are named by the number their "
                       "faces show by default."));
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("Configuration file (.tvr or .qld); - reads standard input."));
    parser.addPositionalArgument(QStringLiteral("KEY"), QStringLiteral("The keys to edit."),
                                 QStringLiteral("KEY..."));
    const QCommandLineOption label(QStringLiteral("label"),
                                   QStringLiteral("The label; | breaks the line."),
                                   QStringLiteral("TEXT"));
    const QCommandLineOption color(
        QStringLiteral("color"),
        QStringLiteral("The face colour: #RRGGBB or a system colour such as buttonFace."),
        QStringLiteral("COLOUR"));
    const QCommandLineOption hex(QStringLiteral("codes"),
                                 QStringLiteral("The codes as hex bytes: \"12 1C F0 1C F0 12\"."),
                                 QStringLiteral("HEX"));
    const QCommandLineOption strokes(
        QStringLiteral("keys"),
        QStringLiteral("The codes as the strokes that make them, named as show --codes\nnames "
                       "them: \"Shift+A, Enter\"."),
        QStringLiteral("STROKES"));
    parser.addOptions({label, color, hex, strokes});
    parser.addOutputOptions(QStringLiteral("Write the layout to FILE instead of back to its own."));
    if (const auto status = parser.parseOrExit(arguments, io, 2, true))
        return *status;
    if (parser.isSet(hex) && parser.isSet(strokes)) {
        io.error(QStringLiteral("set: --codes and --keys exclude each other"));
        return ExitStatus::Trouble;
    }
    if (!parser.isSet(label) && !parser.isSet(color) && !parser.isSet(hex) &&
        !parser.isSet(strokes)) {
        io.error(QStringLiteral("set: nothing to set: give --label, --color, --codes or --keys"));
        return ExitStatus::Trouble;
    }
    const std::optional<LabelCodec> codec = parser.codec(io);
    if (!codec || !parser.mayWriteOutput(io))
        return ExitStatus::Trouble;
    std::optional<LayoutEdit::Loaded> layout =
        LayoutEdit::load(parser.positionalArguments().first(), io);
    if (!layout)
        return ExitStatus::Trouble;

    QList<int> keys;
    for (const QString &number : parser.positionalArguments().mid(1)) {
        const std::optional<int> key = LayoutEdit::keyIndex(number, layout->source, parser.name(), io);
        if (!key)
            return ExitStatus::Trouble;
        keys.append(*key);
    }
    KeyDocument &document = *layout->document;
    if (parser.isSet(label)) {
        const std::optional<QByteArray> caption = labelBytes(parser.value(label), *codec, io);
        if (!caption)
            return ExitStatus::Trouble;
        for (int key : keys)
            document.setCaption(key, *caption);
    }
    if (parser.isSet(color)) {
        if (!layout->source.profile->has(Command::Color)) {
            io.error(QStringLiteral("set: --color: %1 keys have no colour")
                         .arg(layout->source.profile->name));
            return ExitStatus::Trouble;
        }
        const std::optional<quint32> value = LayoutText::parseColor(parser.value(color));
        if (!value) {
            io.error(QStringLiteral("set: --color: ") + LayoutText::notAColor(parser.value(color)));
            return ExitStatus::Trouble;
        }
        document.setColor(keys, *value);
    }
    if (parser.isSet(hex) || parser.isSet(strokes)) {
        const std::optional<QByteArray> codes = codesFrom(parser, hex, strokes, io);
        if (!codes)
            return ExitStatus::Trouble;
        for (int key : keys)
            document.setCodes(key, *codes);
    }
    return LayoutEdit::save(*layout, parser, io) ? ExitStatus::Ok : ExitStatus::Trouble;
}
