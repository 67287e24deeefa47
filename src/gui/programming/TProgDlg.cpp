#include "TProgDlg.h"

#include "TProgress.h"
#include "common/Prompter.h"
#include "profile/Messages.h"
#include "profile/ProgramProfile.h"
#include "programming/ProgramKeys.h"
#include "programming/SendRun.h"
#include "programming/TDrv.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>

#include <thread>

// Hands what the run shows over to this object's thread, in order, without waiting for it:
// the run's pacing is the keyboard's, never the screen's.
class TProgDlg::QueuedView : public RunView
{
public:
    explicit QueuedView(TProgDlg &owner) : m_owner(owner) {}

    void setBusyCursor(bool busy) override
    {
        post([busy](TProgDlg &p) { p.m_host.SetBusyCursor(busy); });
    }
    void showProgress() override
    {
        post([](TProgDlg &p) { p.m_progress->showEmpty(); });
    }
    void setProgressText(const std::string &text) override
    {
        post([text = QString::fromStdString(text)](TProgDlg &p) {
            p.m_progress->setText(text);
            emit p.progressTextChanged(text);
        });
    }
    void hideProgress() override
    {
        post([](TProgDlg &p) { p.m_progress->hide(); });
    }

private:
    template <typename F> void post(F &&f)
    {
        QMetaObject::invokeMethod(
            &m_owner, [&owner = m_owner, f = std::forward<F>(f)] { f(owner); },
            Qt::QueuedConnection);
    }

    TProgDlg &m_owner;
};

TProgDlg::TProgDlg(const ProgramProfile &profile, Host &host, QObject *parent)
    : QObject(parent), m_profile(profile), m_host(host), m_clock(new SystemRunClock)
{
}

TProgDlg::~TProgDlg()
{
    waitForOpening();
    if (m_drv && m_opened)
        m_drv->Close();
    delete m_progress;
}

void TProgDlg::setDrv(std::unique_ptr<TDrv> drv)
{
    waitForOpening();
    m_drv = std::move(drv);
    m_opened = false;
}

void TProgDlg::openChannel()
{
    if (m_opened || m_opening.valid())
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

void TProgDlg::waitForOpening()
{
    if (m_opening.valid())
        m_opening.get();
}

void TProgDlg::setClock(std::unique_ptr<RunClock> clock)
{
    m_clock = std::move(clock);
}

void TProgDlg::ProgramKeys(int index)
{
    if (m_running)
        return;
    buildRun(m_host.grid(), index, m_run);
    const bool taken = SendRun();
    if (taken)
        m_host.prompter().information(QString::fromLatin1(Messages::ProgramCompleted));
    else
        m_host.prompter().failure(QString::fromLatin1(Messages::ProgramFailed));
}

bool TProgDlg::SendRun()
{
    m_running = true;
    if (!m_drv)
        m_drv = TDrv::createPlatformDrv();
    if (!m_progress)
        m_progress = new TProgress(m_profile, m_host.window());

    QueuedView view(*this);
    QEventLoop waiting;
    bool taken = false;
    std::thread worker([&] {
        try {
            // A Prog command given while the channel is still opening waits for it here, not on
            // the thread that paints.
            waitForOpening();
            if (!m_opened) {
                m_opened = true;
                m_drv->Open(); // a channel that failed to open fails each request in turn
            }
            taken = ::SendRun(*m_drv, m_run, view, *m_clock);
        } catch (...) {
            taken = false;
        }
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (!taken && !m_drv->lastProblem().empty())
        qInfo("%s: programming failed: %s", qPrintable(m_profile.name),
              m_drv->lastProblem().c_str());

    // What the user did during the run is handled now, before the result is shown; commands
    // among it still find a run going on and do not start.
    QCoreApplication::processEvents();
    m_running = false;
    return taken;
}
