// SPDX-License-Identifier: MIT
#pragma once

#include "TProgress.h"
#include "programming/RunBuffer.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

class KeyDocument;
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
// A run's requests and pauses take place on a worker thread that is handed the run as a value;
// what it reports comes back as events queued to this thread. Meanwhile this thread waits in an
// event loop that keeps the windows painted and leaves the user's input in the window system's
// queue: once the run is over that input is handled, in order, before the result is shown, as if
// the run had blocked the program. Whatever else asks for a command during a run waits for its
// end in whenIdle.
class TProgDlg : public QObject
{
    Q_OBJECT
public:
    // What the run needs of the main window.
    class Host
    {
    public:
        virtual ~Host() = default;
        // The layout whose keys are programmed; the run stores each key's end mark in it.
        virtual KeyDocument &document() = 0;
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

    // Prog One with the key at index, Prog All with -1.
    void ProgramKeys(int index);
    bool running() const { return m_running; }
    // Does what is asked now, or when the run under way has ended and shown its result.
    void whenIdle(std::function<void()> command);

    const RunBuffer &run() const { return m_run; }
    // The progress window; none before the first run.
    TProgress *progress() const { return m_progress; }

signals:
    // The progress window's label changed; for watching a run from outside.
    void progressTextChanged(const QString &text);

private:
    class QueuedView;

    // True when every packet was taken; otherwise reason says why, when the run knows.
    bool SendRun(std::string &reason);

    const ProgramProfile &m_profile;
    Host &m_host;
    std::unique_ptr<TDrv> m_drv;
    std::unique_ptr<RunClock> m_clock;
    bool m_opened = false; // Open was tried, or is being tried
    std::shared_future<void> m_opening;
    bool m_running = false;
    std::vector<std::function<void()>> m_afterRun;
    RunBuffer m_run;
    QPointer<TProgress> m_progress; // a child of the main window, when there is one
};
