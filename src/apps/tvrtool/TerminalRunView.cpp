// SPDX-License-Identifier: MIT
#include "TerminalRunView.h"

#include "profile/Messages.h"

TerminalRunView::TerminalRunView(ToolIo &io) : m_io(io) {}

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

void TerminalRunView::draw(const QString &text)
{
    if (!m_io.errIsTerminal || !m_shown)
        return;
    constexpr int BarWidth = 30;
    const int done = m_packet - 1;
    const int filled = m_packets > 0 ? done * BarWidth / m_packets : 0;
    QString line = QStringLiteral("\r[%1%2] %3/%4  %5")
                       .arg(QString(filled, u'#'), QString(BarWidth - filled, u'-'))
                       .arg(m_packet)
                       .arg(m_packets)
                       .arg(text);
    if (m_refused > 0)
        line += QStringLiteral("  %1 refused").arg(m_refused);
    if (done > 0) {
        const qint64 left = m_clock.elapsed() * (m_packets - done) / done;
        line += QStringLiteral("  about %1 s left").arg((left + 999) / 1000);
    }
    m_io.err << line << "\x1b[K" << Qt::flush;
}

void TerminalRunView::clear()
{
    if (m_io.errIsTerminal && m_shown)
        m_io.err << "\r\x1b[K" << Qt::flush;
    m_shown = false;
}
