// SPDX-License-Identifier: MIT
// tvrtool: the command-line companion of Tavrin and Quelda, for scripts, batch work and
// reviews: show, check, export, import, diff, render and program configuration files.

#include "Tool.h"
#include "keymodel/AtomicWriter.h"
#include "keymodel/CommandLineName.h"

#include <QGuiApplication>
#include <QIODevice>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {

// Whether error messages reach a person at a terminal rather than a file or a pipe.
bool stderrIsTerminal()
{
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

// The width of the terminal standard output goes to, 0 when it is none.
int stdoutColumns()
{
#ifndef _WIN32
    winsize size{};
    if (isatty(fileno(stdout)) && ioctl(fileno(stdout), TIOCGWINSZ, &size) == 0)
        return size.ws_col;
#endif
    return 0;
}

QtMessageHandler qtHandler = nullptr;

// Off screen, Qt warns that it has no runtime folder, which drawing does not need: on a server,
// where there is none, every render would say so.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    if (qtHandler)
        qtHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char **argv)
{
    qtHandler = qInstallMessageHandler(quietHandler);
    AtomicWriter::ignoreFileSizeSignal();
    // Any argument may name a file to read or to write; one whose name cannot be carried
    // exactly ends the run before anything is read or written.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        const std::optional<QString> argument = CommandLineName::decode(argv[i]);
        if (!argument) {
            std::fprintf(stderr, "tvrtool: %s: %s\n", qPrintable(CommandLineName::shown(argv[i])),
                         qPrintable(CommandLineName::refusal()));
            return ExitStatus::Trouble;
        }
        arguments << *argument;
    }

    // Only drawing needs the GUI application, and it draws off screen, so no subcommand ever
    // needs a display.
    std::unique_ptr<QCoreApplication> app;
    if (Tool::needsGui(arguments)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("tvrtool"));

    int status = ExitStatus::Trouble;
    QString lost; // why the output did not all leave, when it did not
    {
        QTextStream out(stdout);
        QTextStream err(stderr);
        ToolIo io{out, err, stderrIsTerminal(), stdoutColumns()};
        status = Tool::run(arguments, io);
        out.flush();
        err.flush();
        if (out.status() != QTextStream::Ok)
            lost = out.device()->errorString();
    }
    // A full disk shows only when the last of the output leaves, or even only at close: a
    // script must not take a cut JSON file or listing for the whole of it.
    if (lost.isEmpty() && (std::fflush(stdout) != 0 || std::fclose(stdout) != 0))
        lost = QString::fromLocal8Bit(std::strerror(errno));
    if (!lost.isEmpty()) {
        std::fprintf(stderr, "tvrtool: standard output: %s; the output is incomplete\n",
                     qPrintable(lost));
        return ExitStatus::Trouble;
    }
    return status;
}
