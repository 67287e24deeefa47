// SPDX-License-Identifier: MIT
// Prints how long programming runs take against the keyboard simulator, next to the floor that
// the protocol's own pauses set: 10 ms after each packet, 200 ms at each end of the run and
// 500 ms for each refused attempt. Goal: within 2 % of the floor for a full run of every key,
// and a request's round trip under 0.1 ms. The runs go through the programs' own run object,
// worker thread and progress window included.
//   prog_bench [--quick]   (--quick leaves out the minute-long full keyboard run)

#include "FakePrompter.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "profile/ProgramProfile.h"
#include "programming/SendPackets.h"
#include "programming/SocketDrv.h"
#include "programming/TProgDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <memory>

namespace {

class BenchHost : public TProgDlg::Host
{
public:
    explicit BenchHost(const ProgramProfile &profile) : m_document(profile) {}
    KeyDocument &document() override { return m_document; }
    Prompter &prompter() override { return m_prompter; }
    void SetBusyCursor(bool) override {}
    QWidget *window() override { return nullptr; }
    const QStringList &shown() const { return m_prompter.shown; }

private:
    KeyDocument m_document;
    FakePrompter m_prompter;
};

// A simulator on a fresh socket in dir, logging nowhere, serving once this returns.
std::unique_ptr<QProcess> startSimulator(const QString &socket, const QStringList &extra)
{
    auto sim = std::make_unique<QProcess>();
    sim->setStandardOutputFile(QProcess::nullDevice());
    sim->start(QStringLiteral(TVDRV_SIM), QStringList{"--socket", socket} + extra);
    for (int i = 0; i < 500 && !QFile::exists(socket); ++i)
        QThread::msleep(10);
    return sim;
}

void stop(QProcess &sim)
{
    sim.terminate();
    sim.waitForFinished();
}

struct RunCase
{
    const char *name;
    const ProgramProfile &profile;
    int index; // -1: Prog All
    QStringList simArgs;
    int refusals;
};

void benchRun(const RunCase &c, const QString &socket)
{
    auto sim = startSimulator(socket, c.simArgs);
    BenchHost host(c.profile);
    for (int i = 0; i < host.document().grid().count(); ++i)
        host.document().setCodes(i, QByteArray(KeyCell::MaxCodes, '\x1C'));
    TProgDlg prog(c.profile, host);
    prog.setDrv(std::make_unique<SocketDrv>(socket.toStdString()));

    QElapsedTimer timer;
    timer.start();
    prog.ProgramKeys(c.index);
    const double ms = timer.nsecsElapsed() / 1e6;
    stop(*sim);

    const int packets = prog.run().packetCount();
    const double floor = packets * RunTiming::PacketPauseMs + 2 * RunTiming::BusyPauseMs +
                         c.refusals * RunTiming::RetryPauseMs;
    const double over = 100.0 * (ms - floor) / floor;
    std::printf("%-34s %7d %11.1f %11.1f %+8.2f %%   %s  %s\n", c.name, packets, ms, floor, over,
                over <= 2.0 ? "ok  " : "SLOW", qPrintable(host.shown().value(0)));
    std::fflush(stdout);
}

void benchRoundTrip(const QString &socket)
{
    auto sim = startSimulator(socket, {});
    SocketDrv drv(socket.toStdString());
    drv.Open();
    constexpr int Pairs = 5000;
    QElapsedTimer timer;
    timer.start();
    bool ok = true;
    for (int i = 0; i < Pairs; ++i)
        ok = drv.IsReady() && drv.EndExchange() && ok;
    const double us = timer.nsecsElapsed() / 1e3 / (2 * Pairs);
    drv.Close();
    stop(*sim);
    std::printf("request round trip: %.1f us on average over %d requests (goal: under 100 us)%s\n",
                us, 2 * Pairs, ok ? "" : ", SOME FAILED");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    QTemporaryDir dir;
    const QString socket = dir.filePath(QStringLiteral("tvdrv.sock"));

    benchRoundTrip(socket);
    std::printf("\n%-34s %7s %11s %11s %10s     goal: within 2 %% of the floor\n", "run", "packets",
                "ms", "floor ms", "over");
    const ProgramProfile &tavrin = ProgramProfile::tavrin();
    const ProgramProfile &quelda = ProgramProfile::quelda();
    benchRun({"Tavrin Prog One, full key", tavrin, 12, {}, 0}, socket);
    benchRun({"Tavrin Prog One, 3 refusals", tavrin, 12, {"--refuse-packet", "5,9-10"}, 3}, socket);
    benchRun({"Quelda Prog All, every key full", quelda, -1, {}, 0}, socket);
    if (!quick)
        benchRun({"Tavrin Prog All, every key full", tavrin, -1, {}, 0}, socket);
    return 0;
}
