// SPDX-License-Identifier: MIT
// tvdrv-sim: a simulated keyboard behind the driver's socket, so that both programs can program
// keys on a machine with no keyboard attached, and tests and benchmarks can watch what arrived.

#include "SimKeyboard.h"
#include "SimServer.h"
#include "profile/Version.h"
#include "programming/DriverProtocol.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {

QString defaultSocket()
{
    const QString fromEnvironment = qEnvironmentVariable(DriverProtocol::SocketVariable);
    return fromEnvironment.isEmpty() ? QString::fromLatin1(DriverProtocol::DefaultSocketPath)
                                     : fromEnvironment;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tvdrv-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVRIN_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Serves the keyboard driver's socket as a simulated keyboard: keeps the exchange rules,\n"
        "checks every packet, remembers each key's codes and logs one line per request.\n"
        "LIST is request numbers counted from 1 since the start, such as 1,4-9."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption socket(
        QStringLiteral("socket"),
        QStringLiteral("Socket to serve (default: $TVDRV_SOCKET, else %1).")
            .arg(QString::fromLatin1(DriverProtocol::DefaultSocketPath)),
        QStringLiteral("PATH"), defaultSocket());
    const QCommandLineOption mode(
        QStringLiteral("mode"),
        QStringLiteral("Permissions of the socket, in octal (default 600: only its owner may "
                       "program the keyboard; 660 lets the socket's group)."),
        QStringLiteral("OCTAL"), QStringLiteral("600"));
    const QCommandLineOption dump(
        QStringLiteral("dump"),
        QStringLiteral("Write the key memory as JSON to FILE after every run and at the end."),
        QStringLiteral("FILE"));
    const QCommandLineOption refuseReady(QStringLiteral("refuse-ready"),
                                         QStringLiteral("Answer these readiness requests with "
                                                        "\"not ready\"."),
                                         QStringLiteral("LIST"));
    const QCommandLineOption refusePacket(QStringLiteral("refuse-packet"),
                                          QStringLiteral("Refuse these packets."),
                                          QStringLiteral("LIST"));
    const QCommandLineOption neverReady(QStringLiteral("never-ready"),
                                        QStringLiteral("Never be ready."));
    const QCommandLineOption slow(QStringLiteral("slow"),
                                  QStringLiteral("Wait MS milliseconds before every reply."),
                                  QStringLiteral("MS"));
    const QCommandLineOption drop(QStringLiteral("drop"),
                                  QStringLiteral("Hang up instead of answering these requests "
                                                 "(of any kind)."),
                                  QStringLiteral("LIST"));
    parser.addOptions({socket, mode, dump, refuseReady, refusePacket, neverReady, slow, drop});
    parser.process(app);

    SimSchedule schedule;
    bool ok = true;
    auto numbers = [&](const QCommandLineOption &option, NumberSet &set) {
        bool valid = false;
        set = NumberSet::parse(parser.value(option), &valid);
        if (!valid) {
            std::fprintf(stderr, "tvdrv-sim: --%s wants numbers from 1 such as 1,4-9.\n",
                         qPrintable(option.names().constFirst()));
            ok = false;
        }
    };
    numbers(refuseReady, schedule.refuseReady);
    numbers(refusePacket, schedule.refusePacket);
    numbers(drop, schedule.drop);
    schedule.neverReady = parser.isSet(neverReady);
    if (parser.isSet(slow)) {
        bool valid = false;
        schedule.slowMs = parser.value(slow).toInt(&valid);
        if (!valid || schedule.slowMs < 0) {
            std::fprintf(stderr, "tvdrv-sim: --slow wants milliseconds, 0 or more.\n");
            ok = false;
        }
    }
    bool modeValid = false;
    const int socketMode = parser.value(mode).toInt(&modeValid, 8);
    if (!modeValid || socketMode < 0 || socketMode > 0777) {
        std::fprintf(stderr, "tvdrv-sim: --mode wants permissions in octal, such as 600.\n");
        ok = false;
    }
    if (!ok)
        return EXIT_FAILURE;

    SimKeyboard keyboard(schedule);
    SimServer server(keyboard, parser.value(socket), parser.value(dump), socketMode);
    if (!server.listen())
        return EXIT_FAILURE;
    return server.exec();
}
