#pragma once

#include "TProgress.h"
#include "programming/RunBuffer.h"

#include <QObject>
#include <QPointer>

#include <future>
#include <memory>

class KeyGrid;
class Prompter;
class QWidget;
class RunClock;
class TDrv;
struct ProgramProfile;

// Owner of the programming run and of the driver channel. The channel is opened at start-up once
// the main window has been painted, on a thread of its own so that the window never waits for a
// driver (a run that comes first waits for it on the run's thread), and it is closed when this
// object goes at exit.
//
// A run's requests and pauses take place on a worker thread while this thread waits in an event
// loop that leaves user input queued: the windows stay painted and answer the window manager,
// and what the user did meanwhile is handled only once the run is over.
class TProgDlg : public QObject
{
    Q_OBJECT
public:
    // What the run needs of the main window.
    class Host
    {
    public:
        virtual ~Host() = default;
        virtual KeyGrid &grid() = 0;
        virtual Prompter &prompter() = 0;
        // The hourglass over the main window, or the default cursor.
        virtual void SetBusyCursor(bool busy) = 0;
        // Parent of the progress window; may be none.
        virtual QWidget *window() = 0;
    };

    TProgDlg(const ProgramProfile &profile, Host &host, QObject *parent = nullptr);
    ~TProgDlg() override;

    // Replaces the platform's channel or the real clock; before the first run only.
    void setDrv(std::unique_ptr<TDrv> drv);
    void setClock(std::unique_ptr<RunClock> clock);

    // Opens the channel in the background; once, and only when no run has opened it yet.
    void openChannel();

    // Prog One with the key at index, Prog All with -1. Does nothing while a run is going on.
    void ProgramKeys(int index);
    bool running() const { return m_running; }

    const RunBuffer &run() const { return m_run; }
    // The progress window; none before the first run.
    TProgress *progress() const { return m_progress; }

signals:
    // The progress window's label changed; for watching a run from outside.
    void progressTextChanged(const QString &text);

private:
    class QueuedView;

    bool SendRun();
    void waitForOpening();

    const ProgramProfile &m_profile;
    Host &m_host;
    std::unique_ptr<TDrv> m_drv;
    std::unique_ptr<RunClock> m_clock;
    bool m_opened = false; // Open was tried, or is being tried
    std::future<void> m_opening;
    bool m_running = false;
    RunBuffer m_run;
    QPointer<TProgress> m_progress; // a child of the main window, when there is one
};
