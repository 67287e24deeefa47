// SPDX-License-Identifier: MIT
#include "SendPackets.h"

#include "RunBuffer.h"
#include "TDrv.h"

#include <exception>
#include <vector>

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
        if (const bool ready = m_drv.IsReady(); faulty(ready) || !ready)
            return;
        faulty((m_drv.*request)());
        faulty(m_drv.EndExchange());
    }

    // False when the request was answered, or refused with the driver's plain no; true when it
    // failed for a reason of the channel's (no reply, a reply out of turn, a lost connection).
    // The first such reason is the run's: what fails after it mostly follows from it.
    bool faulty(bool answered)
    {
        if (answered)
            return false;
        std::string problem = m_drv.lastProblem();
        if (problem.empty())
            return false;
        if (m_reason.empty())
            m_reason = std::move(problem);
        return true;
    }
    void failedInside(const std::exception *e)
    {
        if (m_reason.empty())
            m_reason = e ? e->what() : "the driver channel failed";
    }
    const std::string &reason() const { return m_reason; }

    bool cancelled() const { return m_cancel && m_cancel->load(); }

    // Attempt k at packet n: true when the keyboard took it, and the exchange was clean.
    bool attempt(const std::uint8_t *packet, int n, int k)
    {
        m_view.runEvent({Kind::PacketTried, n, k});
        const bool ready = m_drv.IsReady();
        if (faulty(ready) || !ready)
            return false;
        const bool taken = m_drv.SendPacket(packet, DriverProtocol::PacketSize);
        const bool clean = !faulty(taken);
        // A fault in closing the exchange voids the packet too: the yes that came may have been
        // a stray byte, and the packet's own reply the one this request read.
        return !faulty(m_drv.EndExchange()) && clean && taken;
    }

    // Says that attempt k at packet n was not taken and waits before the next; false when the
    // run was asked to stop meanwhile.
    bool pauseAfterRefusal(int n, int k)
    {
        m_view.runEvent({Kind::PacketRefused, n, k});
        m_clock.sleep(RunTiming::RetryPauseMs);
        return !cancelled();
    }

    // False when bytes came after the last exchange had ended: one of its replies was not what
    // it seemed.
    bool settled()
    {
        const bool quiet = m_drv.settled();
        faulty(quiet);
        return quiet;
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
    std::string m_reason;
};

} // namespace

RunOutcome sendPackets(TDrv &drv, const RunBuffer &packets, RunView &view, RunClock &clock,
                       const std::atomic<bool> *cancel, std::string *reason)
{
    Run run(drv, view, clock, cancel);
    const auto result = [&](RunOutcome outcome) {
        if (reason)
            *reason = outcome == RunOutcome::Completed ? std::string() : run.reason();
        return outcome;
    };
    try {
        run.setBusy(true);
        run.exchange(&TDrv::BeginRun);
        view.runEvent({Kind::Begun, packets.packetCount()});

        RunOutcome outcome = run.cancelled() ? RunOutcome::Cancelled : RunOutcome::Completed;
        const int count = packets.packetCount();
        std::vector<int> tried(std::size_t(count) + 2, 0);
        int n = 1;
        int confirmed = 0; // the packets up to this one stand
        while (outcome == RunOutcome::Completed && n <= count) {
            const bool taken = run.attempt(packets.packet(n - 1), n, ++tried[n]);
            if (taken) {
                clock.sleep(RunTiming::PacketPauseMs);
                if (run.cancelled() && n < count)
                    outcome = RunOutcome::Cancelled;
                ++n;
            } else if (!run.pauseAfterRefusal(n, tried[n])) {
                outcome = RunOutcome::Cancelled;
            }
            if (outcome == RunOutcome::Cancelled)
                break;
            if (!run.settled()) {
                // Some reply since the last confirmation answered another request than it
                // seemed to: every packet taken since then is in doubt and goes again.
                n = confirmed + 1;
            } else if (!taken) {
                // After the long pause every late reply has come, and none did: the packets
                // before this one stand.
                confirmed = n - 1;
            }
            if (n <= count && tried[n] >= RunTiming::MaxAttempts)
                outcome = RunOutcome::Refused;
        }

        run.end(outcome, n);
        run.exchange(&TDrv::EndRun);
        run.setBusy(false);
        // A late reply that comes only now still says that some exchange was not what it
        // seemed: which packet it voided is past knowing, so the run is not called a success.
        if (outcome == RunOutcome::Completed && count > 0 && !run.settled())
            outcome = RunOutcome::Refused;
        return result(outcome);
    } catch (const std::exception &e) {
        run.failedInside(&e);
    } catch (...) {
        run.failedInside(nullptr);
    }
    run.end(RunOutcome::Failed, 0);
    run.exchange(&TDrv::EndRun);
    run.setBusy(false);
    return result(RunOutcome::Failed);
}
