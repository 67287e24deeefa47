// SPDX-License-Identifier: MIT
#pragma once

#include "ToolIo.h"
#include "programming/RunView.h"

#include <QElapsedTimer>

#include <functional>

// A programming run's progress on the terminal, one line redrawn in place as apt, curl and pv
// draw theirs: the share done, a bar, the packet number out of all, then as room allows the
// refused attempts so far, the time left and what the run is doing. The line fits the
// terminal's width as it is at each redraw, so a window made narrower mid-run still gets one
// line, and it is redrawn with a carriage return and spaces alone: no escape sequence, which a
// dumb terminal would print as text. Where err is no terminal, only the refused attempts are
// written, a line each, for the log.
class TerminalRunView : public RunView
{
public:
    // columns gives the terminal's width in characters, 0 when unknown; by default that of the
    // terminal standard error goes to.
    explicit TerminalRunView(ToolIo &io, std::function<int()> columns = {});

    void setBusyCursor(bool) override {}
    void runEvent(const RunEvent &event) override;

    // The packet the run got to, counted from 1, and the refused attempts so far.
    int packet() const { return m_packet; }
    int refused() const { return m_refused; }

    // The progress line for a width of columns characters, never longer than columns - 1 (a
    // line that reaches the last column makes some terminals wrap). done packets of packets,
    // msLeft < 0 when not known yet.
    static QString progressLine(int columns, int done, int packet, int packets, int refused,
                                qint64 msLeft, const QString &doing);
    // The width of the terminal on standard error, 0 when it is none or will not say.
    static int stderrColumns();

private:
    void draw(const QString &doing);
    void clear();

    ToolIo &m_io;
    std::function<int()> m_columns;
    int m_packets = 0;
    int m_packet = 0;
    int m_refused = 0;
    bool m_shown = false;
    qsizetype m_drawn = 0; // characters of the line now on the terminal
    QElapsedTimer m_clock;
};
