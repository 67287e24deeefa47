#include "TerminalRunView.h"

#include "profile/Messages.h"

#include <cstdio>

TerminalRunView::TerminalRunView(ToolIo &io, int packets, InterruptibleRunClock *clock)
    : m_io(io), m_packets(packets), m_interrupts(clock)
{
}

void TerminalRunView::showProgress()
{
    if (m_interrupts)
        m_interrupts->setArmed(true);
    m_shown = true;
    m_clock.start();
}

void TerminalRunView::setProgressText(const std::string &text)
{
    // The run tells its progress only in its texts, and these are its own formats.
    int n = 0, attempt = 0;
    if (std::sscanf(text.c_str(), Messages::Waiting, &n, &attempt) == 2) {
        ++m_refused;
        if (!m_io.errIsTerminal)
            m_io.err << QString::fromStdString(text) << Qt::endl;
    } else if (std::sscanf(text.c_str(), Messages::NowProgramming, &n) != 1) {
        return;
    }
    m_packet = n;
    draw(QString::fromStdString(text));
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

void TerminalRunView::hideProgress()
{
    if (m_interrupts)
        m_interrupts->setArmed(false);
    if (m_io.errIsTerminal && m_shown)
        m_io.err << "\r\x1b[K" << Qt::flush;
    m_shown = false;
}
