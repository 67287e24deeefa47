// SPDX-License-Identifier: MIT
#include "TerminalRunView.h"

#include "profile/Messages.h"

#include <QStringList>

#include <algorithm>
#include <cstdio>

#ifndef _WIN32
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {
// Below this many cells a bar tells nothing that the percentage does not.
constexpr int MinBar = 10;
// A terminal that will not tell its width is taken to be as wide as the traditional one.
constexpr int DefaultColumns = 80;

// How much of a line may be written: all but the last column, where some terminals wrap.
int room(int columns)
{
    return (columns > 0 ? columns : DefaultColumns) - 1;
}
} // namespace

TerminalRunView::TerminalRunView(ToolIo &io, std::function<int()> columns)
    : m_io(io), m_columns(columns ? std::move(columns) : &TerminalRunView::stderrColumns)
{
}

int TerminalRunView::stderrColumns()
{
#ifndef _WIN32
    winsize size{};
    if (ioctl(fileno(stderr), TIOCGWINSZ, &size) == 0)
        return size.ws_col;
#endif
    return 0;
}

void TerminalRunView::runEvent(const RunEvent &event)
{
    switch (event.kind) {
    case RunEvent::Kind::Begun:
        m_packets = event.packet;
        m_shown = true;
        m_clock.start();
        break;
    case RunEvent::Kind::PacketTried:
        m_packet = event.packet;
        draw(QString::asprintf(Messages::NowProgramming, event.packet));
        break;
    case RunEvent::Kind::PacketRefused: {
        ++m_refused;
        const QString text = QString::asprintf(Messages::Waiting, event.packet, event.attempt);
        if (!m_io.errIsTerminal)
            m_io.err << text << Qt::endl;
        draw(text);
        break;
    }
    case RunEvent::Kind::Ended:
        if (event.packet > 0)
            m_packet = std::min(event.packet, m_packets);
        clear();
        break;
    }
}

QString TerminalRunView::progressLine(int columns, int done, int packet, int packets, int refused,
                                      qint64 msLeft, const QString &doing)
{
    const int width = room(columns);
    const int percent = packets > 0 ? done * 100 / packets : 0;
    const QString share = QStringLiteral("%1%").arg(percent, 3);
    const QString count = QStringLiteral(" %1/%2").arg(packet).arg(packets);
    QString line = share;
    // The bar takes what the rest leaves, and the extras come only while the bar keeps its
    // least width: on a narrow terminal the share and the count are what matter.
    const qsizetype fixed = share.size() + 3 + count.size(); // " [" "]" around the bar
    QString extras;
    QStringList candidates;
    if (refused > 0)
        candidates << QStringLiteral("  %1 refused").arg(refused);
    if (msLeft >= 0)
        candidates << QStringLiteral("  %1 s left").arg((msLeft + 999) / 1000);
    candidates << QStringLiteral("  ") + doing;
    for (const QString &extra : candidates) {
        if (fixed + MinBar + extras.size() + extra.size() > width)
            break;
        extras += extra;
    }
    const qsizetype bar = width - fixed - extras.size();
    if (bar < MinBar) {
        line += count;
    } else {
        const qsizetype filled = packets > 0 ? bar * done / packets : 0;
        line += QStringLiteral(" [") + QString(filled, u'#') + QString(bar - filled, u'-') + u']' +
                count + extras;
    }
    return line.left(width);
}

void TerminalRunView::draw(const QString &doing)
{
    if (!m_io.errIsTerminal || !m_shown)
        return;
    const int done = m_packet - 1;
    const qint64 msLeft = done > 0 ? m_clock.elapsed() * (m_packets - done) / done : qint64(-1);
    const int columns = m_columns();
    const QString line = progressLine(columns, done, m_packet, m_packets, m_refused, msLeft, doing);
    // Spaces over what is left of a longer line drawn before: no escape sequence needed. Never
    // up to the last column, even when the window has just been made narrower.
    const qsizetype blank =
        std::max<qsizetype>(0, std::min<qsizetype>(m_drawn, room(columns)) - line.size());
    m_io.err << '\r' << line << QString(blank, u' ') << Qt::flush;
    m_drawn = line.size() + blank;
}

void TerminalRunView::clear()
{
    if (m_io.errIsTerminal && m_shown && m_drawn > 0)
        m_io.err << '\r' << QString(std::min<qsizetype>(m_drawn, room(m_columns())), u' ') << '\r'
                 << Qt::flush;
    m_shown = false;
    m_drawn = 0;
}
