// SPDX-License-Identifier: MIT
#include "TProgress.h"

#include "common/ScreenPlacement.h"
#include "common/WindowGeometry.h"
#include "profile/Messages.h"
#include "profile/ProgramProfile.h"
#include "programming/RunView.h"

#include <QLabel>

TProgress::TProgress(const ProgramProfile &profile, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("TProgress"));
    setWindowTitle(profile.name);
    setFixedSize(266, 73);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    setFont(font);
    QPalette black = palette();
    black.setColor(QPalette::WindowText, Qt::black);
    setPalette(black);
    setCursor(Qt::WaitCursor);

    m_label->setObjectName(QStringLiteral("label"));
    const WindowGeometry &geometry = WindowGeometry::of(profile);
    m_label->setGeometry(geometry.progressLabel);
    m_label->setAlignment((geometry.progressCentred ? Qt::AlignHCenter : Qt::AlignLeft) |
                          Qt::AlignVCenter);
}

QString TProgress::text() const
{
    return m_label->text();
}

void TProgress::setText(const QString &text)
{
    // Painted on the next turn of the event loop, which is free during a run: texts that come
    // faster than the screen can show them are painted once, not each in turn.
    m_label->setText(text);
}

void TProgress::showEmpty()
{
    m_label->clear();
    centreOnScreen(*this);
    show();
    raise();
    repaint();
}

std::optional<QString> TProgress::showRunEvent(const RunEvent &event)
{
    switch (event.kind) {
    case RunEvent::Kind::Begun:
        showEmpty();
        break;
    case RunEvent::Kind::PacketTried:
        setText(QString::asprintf(qUtf8Printable(Messages::shown(Messages::NowProgramming)),
                                  event.packet));
        return text();
    case RunEvent::Kind::PacketRefused:
        setText(QString::asprintf(qUtf8Printable(Messages::shown(Messages::Waiting)), event.packet,
                                  event.attempt));
        return text();
    case RunEvent::Kind::Ended:
        hide();
        break;
    }
    return std::nullopt;
}
