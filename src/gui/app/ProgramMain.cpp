// SPDX-License-Identifier: MIT
#include "ProgramMain.h"
#include "UiLanguage.h"

#include "common/Prompter.h"
#include "common/ScreenPlacement.h"

#include "keymodel/AtomicWriter.h"
#include "keymodel/CommandLineName.h"
#include "mainwindow/FileMessages.h"
#include "mainwindow/TMainDlg.h"
#include "profile/Messages.h"
#include "profile/ProgramProfile.h"
#include "profile/Version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

bool displayAvailable()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Without a platform chosen explicitly, Qt aborts with a terse message when no display can
    // be reached; say plainly what is missing and how to run without one.
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
#else
    // Windows and macOS draw on the desktop of the session itself; no variable names it.
    return true;
#endif
}

QIcon programIcon(const ProgramProfile &profile)
{
    const QString base = QStringLiteral(":/icons/") + profile.name.toLower();
    QIcon icon;
    icon.addFile(base + QStringLiteral("16.xpm"), QSize(16, 16));
    icon.addFile(base + QStringLiteral("32.xpm"), QSize(32, 32));
    return icon;
}

// Help and the version are printed at once, before the application object exists, so that
// they work without a display. Anything else the command line holds waits for the toolkit,
// which takes its own options out first.
std::optional<int> answerWithoutWindow(QCommandLineParser &parser, const QCommandLineOption &help,
                                       const QCommandLineOption &version,
                                       const ProgramProfile &profile, int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    parser.parse(arguments);
    if (parser.isSet(help)) {
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), QFileInfo(arguments.value(0)).fileName());
        std::fputs(qPrintable(text), stdout);
        return EXIT_SUCCESS;
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(profile.name), TAVRIN_VERSION);
        return EXIT_SUCCESS;
    }
    return std::nullopt;
}

// The file argument as the command line gave it, when its name cannot be carried exactly: any
// argument that the toolkit took for it and whose bytes do not come back from its text.
QString refusedName(const QString &file, int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (!CommandLineName::decode(argv[i]) && QString::fromLocal8Bit(argv[i]) == file)
            return CommandLineName::shown(argv[i]);
    return QString();
}

} // namespace

void prepareApplication(const ProgramProfile &profile)
{
    QApplication::setApplicationName(profile.name);
    QApplication::setApplicationVersion(QStringLiteral(TAVRIN_VERSION));
    QApplication::setWindowIcon(programIcon(profile));
    UiLanguage::install(*QCoreApplication::instance());
    // The installed desktop entry's name, by which the desktop matches the program's windows to
    // its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tavrin.") + profile.name);
}

std::unique_ptr<TMainDlg> openMainWindow(const ProgramProfile &profile, const QString &file,
                                         const QString &refusedName)
{
    auto window = std::make_unique<TMainDlg>(profile);
    if (!window->keysCreated()) {
        QMessageBox::warning(nullptr, profile.name, Messages::shown(Messages::CreateFailed));
        return nullptr;
    }
    if (!refusedName.isEmpty())
        window->prompter().failure(Messages::shown(Messages::OpenFailedAtStartUp),
                                   FileMessages::refusedNameDetails(refusedName));
    else if (!file.isEmpty())
        window->LoadConfigFile(file, TMainDlg::LoadOrigin::StartUp);
    centreOnScreen(*window);
    window->show();
    return window;
}

int runProgram(int argc, char **argv, const ProgramProfile &profile)
{
    AtomicWriter::ignoreFileSizeSignal();

    QCommandLineParser parser;
    // Single-dash words are whole options, as the toolkit's own are (-platform, -reverse), so
    // that none of them reads as a row of letters such as -h or -v.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(profile.description);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("Configuration file (.%1) to open at start-up. Put -- before a name that "
                       "begins with -.")
            .arg(profile.extension),
        QStringLiteral("[FILE]"));
    if (const std::optional<int> done =
            answerWithoutWindow(parser, help, version, profile, argc, argv))
        return *done;

    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "%s needs a graphical display, and none was found (DISPLAY is not set).\n"
                     "Run it from a desktop session, or without a screen under a virtual one:\n"
                     "  xvfb-run -a %s [FILE]\n",
                     qPrintable(profile.name), argv[0]);
        return 2;
    }

    QApplication app(argc, argv);
    prepareApplication(profile);
    // Again, now without the toolkit's own options, so that a wrong option is reported.
    parser.process(app);

    // By now argv holds only what the toolkit did not take for itself.
    const QString file = parser.positionalArguments().value(0);
    const std::unique_ptr<TMainDlg> window =
        openMainWindow(profile, file, refusedName(file, argc, argv));
    if (!window)
        return EXIT_FAILURE;
    return app.exec();
}
