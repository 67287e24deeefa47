// SPDX-License-Identifier: MIT
#pragma once

#include "ToolIo.h"
#include "programming/RunView.h"

#include <QElapsedTimer>

// A programming run's progress on the terminal: a bar redrawn in place with the packet number
// out of all, what the run is doing, the refused attempts so far and the time left. Where err is
// no terminal, only the refused attempts are written, a line each, for the log.
class TerminalRunView : public RunView
{
public:
    explicit TerminalRunView(ToolIo &io);

    void setBusyCursor(bool) override {}
    void runEvent(const RunEvent &event) override;

    // The packet the run got to, counted from 1, and the refused attempts so far.
    int packet() const { return m_packet; }
    int refused() const { return m_refused; }

private:
    void draw(const QString &text);
    void clear();

    ToolIo &m_io;
    int m_packets = 0;
    int m_packet = 0;
    int m_refused = 0;
    bool m_shown = false;
    QElapsedTimer m_clock;
};
