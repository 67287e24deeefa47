#pragma once

#include "InterruptibleRunClock.h"
#include "ToolIo.h"
#include "programming/SendRun.h"

#include <QElapsedTimer>

// A programming run's progress on the terminal: a bar redrawn in place with the packet number
// out of all, the run's own texts, the refused attempts so far and the time left. Where err is
// no terminal, only the refused attempts are written, a line each, for the log.
class TerminalRunView : public RunView
{
public:
    // clock, if given, takes Ctrl+C only while the packets are being sent.
    TerminalRunView(ToolIo &io, int packets, InterruptibleRunClock *clock = nullptr);

    void setBusyCursor(bool) override {}
    void showProgress() override;
    void setProgressText(const std::string &text) override;
    void hideProgress() override;

    // The packet the run got to, counted from 1, and the refused attempts so far.
    int packet() const { return m_packet; }
    int refused() const { return m_refused; }

private:
    void draw(const QString &text);

    ToolIo &m_io;
    int m_packets;
    InterruptibleRunClock *m_interrupts;
    int m_packet = 0;
    int m_refused = 0;
    bool m_shown = false;
    QElapsedTimer m_clock;
};
