// SPDX-License-Identifier: MIT
#include "SendPackets.h"

#include "RunBuffer.h"
#include "TDrv.h"

namespace {

using Kind = RunEvent::Kind;

class Run
{
public:
    Run(TDrv &drv, RunView &view, RunClock &clock, const std::atomic<bool> *cancel)
        : m_drv(drv), m_view(view), m_clock(clock), m_cancel(cancel)
    {
    }

    void setBusy(bool busy)
    {
        m_view.setBusyCursor(busy);
        m_clock.sleep(RunTiming::BusyPauseMs);
    }

    // Requests 6 and 5 are only allowed right after the keyboard said it is ready, and every
    // exchange it opened is closed again; their own results change nothing.
    void exchange(bool (TDrv::*request)())
    {
        if (m_drv.IsReady()) {
            (m_drv.*request)();
            m_drv.EndExchange();
        }
    }

    bool cancelled() const { return m_cancel && m_cancel->load(); }

    // Completed when the keyboard took the packet within its attempts.
    RunOutcome sendPacket(const std::uint8_t *packet, int n)
    {
        for (int k = 1; k <= RunTiming::MaxAttempts; ++k) {
            m_view.runEvent({Kind::PacketTried, n, k});
            if (m_drv.IsReady()) {
                const bool taken = m_drv.SendPacket(packet, DriverProtocol::PacketSize);
                m_drv.EndExchange();
                if (taken)
                    return RunOutcome::Completed;
            }
            m_view.runEvent({Kind::PacketRefused, n, k});
            m_clock.sleep(RunTiming::RetryPauseMs);
            if (cancelled())
                return RunOutcome::Cancelled;
        }
        return RunOutcome::Refused;
    }

    void end(RunOutcome outcome, int packet)
    {
        if (m_ended)
            return;
        m_ended = true;
        m_view.runEvent({Kind::Ended, packet, 0, outcome});
    }

private:
    TDrv &m_drv;
    RunView &m_view;
    RunClock &m_clock;
    const std::atomic<bool> *m_cancel;
    bool m_ended = false;
};

} // namespace

RunOutcome sendPackets(TDrv &drv, const RunBuffer &packets, RunView &view, RunClock &clock,
                       const std::atomic<bool> *cancel)
{
    Run run(drv, view, clock, cancel);
    try {
        run.setBusy(true);
        run.exchange(&TDrv::BeginRun);
        view.runEvent({Kind::Begun, packets.packetCount()});

        RunOutcome outcome = run.cancelled() ? RunOutcome::Cancelled : RunOutcome::Completed;
        int n = 1;
        for (; n <= packets.packetCount() && outcome == RunOutcome::Completed; ++n) {
            outcome = run.sendPacket(packets.packet(n - 1), n);
            if (outcome != RunOutcome::Completed)
                break;
            clock.sleep(RunTiming::PacketPauseMs);
            if (run.cancelled() && n < packets.packetCount())
                outcome = RunOutcome::Cancelled;
        }

        run.end(outcome, n);
        run.exchange(&TDrv::EndRun);
        run.setBusy(false);
        return outcome;
    } catch (...) {
        run.end(RunOutcome::Failed, 0);
        run.exchange(&TDrv::EndRun);
        run.setBusy(false);
        return RunOutcome::Failed;
    }
}
