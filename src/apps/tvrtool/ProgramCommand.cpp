// SPDX-License-Identifier: MIT
// tvrtool program: the desktop programs' Prog One and Prog All from the command line, through
// the same run and the same driver channel.

#include "Interruption.h"
#include "LayoutSource.h"
#include "SubcommandParser.h"
#include "Subcommands.h"
#include "TerminalRunView.h"
#include "keymodel/KeyDocument.h"
#include "profile/Messages.h"
#include "profile/ProgramProfile.h"
#include "programming/DriverProtocol.h"
#include "programming/ProgramKeys.h"
#include "programming/RunBuffer.h"
#include "programming/SendPackets.h"
#include "programming/TDrv.h"

namespace {

// Where the run reaches the driver on this platform, as the channel finds it.
QString driverChannel()
{
#ifdef Q_OS_WIN
    return QStringLiteral("keyboard driver");
#else
    return QStringLiteral("keyboard driver's\nsocket ($%1, else %2)")
        .arg(QLatin1String(DriverProtocol::SocketVariable),
             QLatin1String(DriverProtocol::DefaultSocketPath));
#endif
}

} // namespace

int programCommand(const QStringList &arguments, ToolIo &io)
{
    SubcommandParser parser(
        QStringLiteral("program"),
        QStringLiteral("Programs the keys of a layout into the keyboard, as Prog One and Prog "
                       "All do:\nthe same packets, retries and result texts, through the "
                       "%1. Ctrl+C ends the run cleanly:\nthe exchange under way is finished "
                       "and the run's end request still sent.\nExit status 1 when the run "
                       "fails or is interrupted.")
            .arg(driverChannel()));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Configuration file (.tvr or .qld)."));
    const QCommandLineOption key(QStringLiteral("key"),
                                 QStringLiteral("Program only key N, the number its face shows "
                                                "by default\n(Prog One)."),
                                 QStringLiteral("N"));
    const QCommandLineOption all(QStringLiteral("all"),
                                 QStringLiteral("Program every key (Prog All); the default."));
    parser.addOptions({key, all});
    if (const auto status = parser.parseOrExit(arguments, io, 1))
        return *status;
    if (parser.isSet(key) && parser.isSet(all)) {
        io.error(QStringLiteral("program: --key and --all exclude each other"));
        return ExitStatus::Trouble;
    }
    const LayoutSource source = LayoutSource::readOrReport(parser.positionalArguments()[0], io);
    if (!source.loaded())
        return ExitStatus::Trouble;
    const ProgramProfile &profile = *source.profile;
    int index = -1;
    if (parser.isSet(key)) {
        const std::optional<int> number = parser.intValue(
            key, profile.keyNumber(0), profile.keyNumber(profile.cellCount - 1), io);
        if (!number)
            return ExitStatus::Trouble;
        index = profile.indexOfKey(*number);
    }

    KeyDocument layout(*source.profile);
    layout.load(source.cells, source.path);
    RunBuffer run;
    buildRun(layout, index, run);

    // Ctrl+C is ours from here on, also while the channel opens (which has its deadline).
    const Interruption interruption;
    // As in the desktop programs, a channel that does not open is no reason not to try: every
    // request tries to reach the driver again.
    const std::unique_ptr<TDrv> drv = TDrv::createPlatformDrv();
    drv->Open();
    SystemRunClock clock;
    TerminalRunView view(io);
    std::string reason;
    const RunOutcome outcome =
        sendPackets(*drv, run, view, clock, &interruption.requested(), &reason);
    drv->Close();
    const bool taken = outcome == RunOutcome::Completed;

    // The result's text is the desktop programs'; under it, the reason the run failed (no
    // socket, no permission, nothing listening, no reply) is for the technician.
    io.out << (taken ? Messages::ProgramCompleted : Messages::ProgramFailed) << Qt::endl;
    if (!reason.empty())
        io.error(QStringLiteral("program: %1").arg(QString::fromStdString(reason)));
    if (outcome == RunOutcome::Cancelled)
        io.error(QStringLiteral("program: interrupted at packet %1 of %2; the run was ended")
                     .arg(view.packet())
                     .arg(run.packetCount()));
    return taken ? ExitStatus::Ok : ExitStatus::Found;
}
