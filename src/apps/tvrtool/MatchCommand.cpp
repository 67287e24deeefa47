// SPDX-License-Identifier: MIT
// tvrtool match: which key of a layout sends a sequence of codes, as the key tester matches a
// press of the keyboard under test.

#include "LayoutSource.h"
#include "keymodel/LayoutText.h"
#include "SubcommandParser.h"
#include "Subcommands.h"
#include "codeentry/CodeDecoder.h"
#include "keytest/KeyCodeIndex.h"
#include "profile/ProgramProfile.h"

#include <cctype>
#include <optional>

namespace {

// Bytes as hex pairs, apart or run together: "12 1C F0" or "121CF0". Nothing for anything else.
std::optional<QByteArray> hexBytes(const QStringList &arguments)
{
    QByteArray bytes;
    for (const QString &argument : arguments) {
        for (const QString &token : argument.split(u' ', Qt::SkipEmptyParts)) {
            if (token.size() % 2 != 0)
                return std::nullopt;
            for (const QChar c : token)
                if (c.unicode() > 0x7F || !std::isxdigit(c.unicode()))
                    return std::nullopt;
            bytes += QByteArray::fromHex(token.toLatin1());
        }
    }
    return bytes;
}

} // namespace

int matchCommand(const QStringList &arguments, ToolIo &io)
{
    SubcommandParser parser(
        QStringLiteral("match"),
        QStringLiteral("Names the keys of a layout whose codes are exactly the given sequence, "
                       "one a line,\nas the desktop programs' key tester does: keys covered by "
                       "a merged key are left out,\nand a key sends its codes up to an end mark "
                       "among them. Exit status 1 when no key\nsends the sequence."));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Configuration file (.tvr or .qld); - reads standard input."));
    parser.addPositionalArgument(QStringLiteral("HEX"),
                                 QStringLiteral("The codes as hex bytes, apart or run together: "
                                                "12 1C F0 1C F0 12, or 121CF01CF012."),
                                 QStringLiteral("HEX..."));
    if (const auto status = parser.parseOrExit(arguments, io, 2, true))
        return *status;
    const std::optional<LabelCodec> codec = parser.codec(io);
    if (!codec)
        return ExitStatus::Trouble;
    const QStringList positionals = parser.positionalArguments();
    const std::optional<QByteArray> codes = hexBytes(positionals.mid(1));
    if (!codes || codes->isEmpty()) {
        io.error(QStringLiteral("\"%1\" is not a sequence of bytes as hex pairs, such as 12 1C F0")
                     .arg(positionals.mid(1).join(u' ')));
        return ExitStatus::Trouble;
    }
    const LayoutSource source = LayoutSource::readOrReport(positionals.first(), io);
    if (!source.loaded())
        return ExitStatus::Trouble;

    const QList<int> keys = KeyCodeIndex(source.cells).keysSending(*codes);
    if (keys.isEmpty()) {
        io.out << "no key of this layout sends " << hexBytes(*codes) << '\n';
        return ExitStatus::Found;
    }
    for (int key : keys)
        io.out << source.profile->keyPlace(key) << ' '
               << LayoutText::quotedLabel(source.cells.at(key).Caption, *codec) << '\n';
    return ExitStatus::Ok;
}
