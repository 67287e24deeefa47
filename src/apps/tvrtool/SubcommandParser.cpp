// SPDX-License-Identifier: MIT
#include "SubcommandParser.h"

#include "keymodel/AtomicWriter.h"
#include "keymodel/LabelCodePage.h"

#include <QFileInfo>

namespace {
const QString CodePage = QStringLiteral("code-page");
const QString Output = QStringLiteral("output");
const QString Force = QStringLiteral("force");
} // namespace

SubcommandParser::SubcommandParser(const QString &name, const QString &description) : m_name(name)
{
    setApplicationDescription(description);
    // Not addHelpOption(): its --help-all would offer options a subcommand does not take.
    addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help.")});
    // Every subcommand takes it, so that one command line reads labels alike whatever it does.
    addCodePageOption();
}

QString SubcommandParser::subcommandHelp() const
{
    // Qt writes the usage line with the program's file name; the subcommand belongs there too.
    QString text = helpText();
    const qsizetype options = text.indexOf(QStringLiteral("[options]"));
    const qsizetype lineEnd = text.indexOf(u'\n');
    if (options >= 0 && options < lineEnd)
        text.replace(0, options, QStringLiteral("Usage: tvrtool %1 ").arg(m_name));
    return text;
}

std::optional<int> SubcommandParser::parseOrExit(const QStringList &arguments, ToolIo &io,
                                                 int positionals, bool atLeast)
{
    const auto usage = [&](const QString &message) {
        io.error(QStringLiteral("%1: %2").arg(m_name, message));
        io.err << "Try 'tvrtool " << m_name << " --help'." << Qt::endl;
        return ExitStatus::Trouble;
    };
    if (!parse(QStringList{QStringLiteral("tvrtool")} + arguments))
        return usage(errorText());
    if (isSet(QStringLiteral("help"))) {
        io.out << subcommandHelp();
        return ExitStatus::Ok;
    }
    const qsizetype given = positionalArguments().size();
    if (given < positionals)
        return usage(QStringLiteral("too few arguments"));
    if (given > positionals && !atLeast)
        return usage(QStringLiteral("unexpected argument \"%1\"")
                         .arg(positionalArguments().at(positionals)));
    // Whatever the subcommand reads or draws labels with follows the code page from here on.
    const std::optional<LabelCodec> labels = codec(io);
    if (!labels)
        return ExitStatus::Trouble;
    LabelCodePage::setCurrent(*labels);
    return std::nullopt;
}

std::optional<int> SubcommandParser::intValue(const QCommandLineOption &option, int minimum,
                                              int maximum, ToolIo &io) const
{
    bool ok = false;
    const int v = value(option).toInt(&ok);
    if (ok && v >= minimum && v <= maximum)
        return v;
    io.error(QStringLiteral("%1: --%2 wants a whole number from %3 to %4, not \"%5\"")
                 .arg(m_name, option.names().constLast())
                 .arg(minimum)
                 .arg(maximum)
                 .arg(value(option)));
    return std::nullopt;
}

void SubcommandParser::addCodePageOption()
{
    addOption({CodePage,
               QStringLiteral("Code page of the labels: 932 (Japanese, Shift-JIS), 1252 "
                              "(Western) or system, the desktop's (%1 here), which is the "
                              "default; any other by its name, such as windows-1251.")
                   .arg(QString::fromLatin1(LabelCodec::forSystemLocale().encoding())),
               QStringLiteral("PAGE")});
}

std::optional<LabelCodec> SubcommandParser::codec(ToolIo &io) const
{
    if (!isSet(CodePage))
        return LabelCodec::forSystemLocale();
    const std::optional<LabelCodePage::Page> page = LabelCodePage::fromName(value(CodePage));
    const LabelCodec codec = page ? LabelCodePage::codec(*page) : LabelCodec(value(CodePage).toLatin1());
    if (!codec.isAvailable()) {
        io.error(
            QStringLiteral("%1: code page \"%2\" is not known here").arg(m_name, value(CodePage)));
        return std::nullopt;
    }
    return codec;
}

void SubcommandParser::addOutputOptions(const QString &description)
{
    addOption({{QStringLiteral("o"), Output}, description, QStringLiteral("FILE")});
    addOption({{QStringLiteral("f"), Force}, QStringLiteral("Replace FILE if it exists.")});
}

QString SubcommandParser::outputPath() const
{
    return value(Output);
}

bool SubcommandParser::mayWriteOutput(ToolIo &io) const
{
    const QString path = outputPath();
    const QFileInfo target(path);
    if (path.isEmpty() || path == QLatin1String("-") || isSet(Force) ||
        !(target.exists() || target.isSymLink()))
        return true;
    io.error(QStringLiteral("%1: %2 exists; --force replaces it").arg(m_name, path));
    return false;
}

bool SubcommandParser::writeOutput(const QByteArray &bytes, ToolIo &io) const
{
    return writeFile(outputPath(), bytes, io);
}

bool SubcommandParser::writeFile(const QString &path, const QByteArray &bytes, ToolIo &io)
{
    QString why;
    if (AtomicWriter::write(path, bytes, AtomicWriter::Links::Refuse, &why))
        return true;
    io.error(QStringLiteral("%1: not written: %2").arg(path, why));
    return false;
}
