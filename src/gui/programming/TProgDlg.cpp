// SPDX-License-Identifier: MIT
#include "TProgDlg.h"

#include "TProgress.h"
#include "common/Prompter.h"
#include "profile/Messages.h"
#include "profile/ProgramProfile.h"
#include "programming/ProgramKeys.h"
#include "programming/SendPackets.h"
#include "programming/TDrv.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <functional>
#include <string>
#include <vector>

// Hands what the run shows over to the owner's thread, in order, as it happens and without
// waiting for it: the run's pacing is the keyboard's, never the screen's. A queued call costs the
// run microseconds, and the window paints on the owner's thread meanwhile, so the progress window
// appears when the run begins, says which packet is being exchanged while it is, and is gone
// before the run's end request.
class TProgDlg::QueuedView : public RunView
{
public:
    explicit QueuedView(TProgDlg &owner) : m_owner(&owner) {}

    void setBusyCursor(bool busy) override
    {
        show([busy](TProgDlg &p) { p.m_host.SetBusyCursor(busy); });
    }
    void runEvent(const RunEvent &event) override
    {
        show([event](TProgDlg &p) {
            if (const std::optional<QString> text = p.m_progress->showRunEvent(event))
                emit p.progressTextChanged(*text);
        });
    }

private:
    void show(std::function<void(TProgDlg &)> what)
    {
        QMetaObject::invokeMethod(
            m_owner, [owner = m_owner, what = std::move(what)] { what(*owner); },
            Qt::QueuedConnection);
    }

    TProgDlg *m_owner;
};

TProgDlg::TProgDlg(const ProgramProfile &profile, Host &host, QObject *parent)
    : QObject(parent), m_profile(profile), m_host(host), m_clock(new SystemRunClock)
{
}

TProgDlg::~TProgDlg()
{
    if (m_opening.valid())
        m_opening.wait();
    if (m_drv && m_opened)
        m_drv->Close();
    delete m_progress;
}

void TProgDlg::setDrv(std::unique_ptr<TDrv> drv)
{
    if (m_opening.valid())
        m_opening.wait();
    m_opening = {};
    m_drv = std::move(drv);
    m_opened = false;
}

void TProgDlg::setClock(std::unique_ptr<RunClock> clock)
{
    m_clock = std::move(clock);
}

void TProgDlg::openChannel()
{
    if (m_opened)
        return;
    if (!m_drv)
        m_drv = TDrv::createPlatformDrv();
    m_opened = true;
    // On Windows this installs and starts the driver service, which may take a while: never on
    // the thread that paints.
    m_opening = std::async(std::launch::async, [drv = m_drv.get(), name = m_profile.name] {
        // Nothing is shown to the user at start-up, but whoever reads the program's output
        // learns why programming will fail.
        if (!drv->Open())
            qInfo("%s: the keyboard driver cannot be reached yet: %s", qPrintable(name),
                  drv->lastProblem().empty() ? "it refused to open" : drv->lastProblem().c_str());
    });
}

void TProgDlg::whenIdle(std::function<void()> command)
{
    if (m_running)
        m_afterRun.push_back(std::move(command));
    else
        command();
}

void TProgDlg::ProgramKeys(int index)
{
    if (m_running)
        return;
    buildRun(m_host.document(), index, m_run);
    std::string reason;
    const bool taken = SendRun(reason);
    // A program started from the desktop has no terminal: the box says why, under its text.
    if (taken)
        m_host.prompter().information(Messages::shown(Messages::ProgramCompleted));
    else
        m_host.prompter().failure(Messages::shown(Messages::ProgramFailed),
                                  QString::fromStdString(reason));
    for (const auto &command : std::exchange(m_afterRun, {}))
        command();
}

bool TProgDlg::SendRun(std::string &reason)
{
    m_running = true;
    if (!m_drv)
        m_drv = TDrv::createPlatformDrv();
    if (!m_progress)
        m_progress = new TProgress(m_profile, m_host.window());
    // A run that comes before the channel has opened waits for it, and a channel never opened
    // is opened by the run; both on the run's thread.
    const bool open = !m_opened;
    m_opened = true;

    QEventLoop waiting;
    std::future<RunOutcome> outcome =
        std::async(std::launch::async, [packets = m_run, drv = m_drv.get(), opening = m_opening,
                                        open, view = std::make_shared<QueuedView>(*this),
                                        clock = m_clock.get(), reason = &reason, done = &waiting] {
            RunOutcome result = RunOutcome::Failed;
            try {
                if (opening.valid())
                    opening.wait();
                if (open)
                    drv->Open(); // a channel that failed to open fails each request in turn
                result = sendPackets(*drv, packets, *view, *clock, nullptr, reason);
            } catch (...) {
            }
            // Queued behind everything the run showed.
            QMetaObject::invokeMethod(done, &QEventLoop::quit, Qt::QueuedConnection);
            return result;
        });
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
    const bool taken = outcome.get() == RunOutcome::Completed;
    if (!reason.empty())
        qInfo("%s: programming failed: %s", qPrintable(m_profile.name), reason.c_str());

    // What the user did during the run is handled now, in order, before the result is shown.
    m_running = false;
    QCoreApplication::processEvents();
    return taken;
}
