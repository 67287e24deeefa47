#include "ProgramMain.h"

#include "mainwindow/TMainDlg.h"
#include "profile/Messages.h"
#include "profile/ProgramProfile.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

namespace {

bool displayAvailable()
{
    // Without a platform chosen explicitly, Qt aborts with a terse message when no display can
    // be reached; say plainly what is missing and how to run without one.
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

QIcon programIcon(const ProgramProfile &profile)
{
    const QString base = QStringLiteral(":/icons/") + profile.name.toLower();
    QIcon icon;
    icon.addFile(base + QStringLiteral("16.xpm"), QSize(16, 16));
    icon.addFile(base + QStringLiteral("32.xpm"), QSize(32, 32));
    return icon;
}

} // namespace

void prepareApplication(const ProgramProfile &profile)
{
    QApplication::setApplicationName(profile.name);
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    QApplication::setWindowIcon(programIcon(profile));
    // The installed desktop entry's name, by which the desktop matches the program's windows to
    // its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tavrin.") + profile.name);
}

std::unique_ptr<TMainDlg> openMainWindow(const ProgramProfile &profile, const QString &file)
{
    auto window = std::make_unique<TMainDlg>(profile);
    if (!window->keysCreated()) {
        QMessageBox::warning(nullptr, profile.name, QString::fromLatin1(Messages::CreateFailed));
        return nullptr;
    }
    if (!file.isEmpty())
        window->LoadConfigFile(file, TMainDlg::LoadOrigin::StartUp);
    window->centreOnScreen();
    window->show();
    return window;
}

int runProgram(int argc, char **argv, const ProgramProfile &profile)
{
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

    QCommandLineParser parser;
    parser.setApplicationDescription(profile.description);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("Configuration file (.%1) to open at start-up.").arg(profile.extension),
        QStringLiteral("[FILE]"));
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    const std::unique_ptr<TMainDlg> window = openMainWindow(profile, args.value(0));
    if (!window)
        return EXIT_FAILURE;
    return app.exec();
}
