// SPDX-License-Identifier: MIT
#include "LockPicture.h"

#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QtMath>

namespace {

// Entries of the 16-colour palette. Antialiasing stays off below so no other shades appear.
const QColor Black(0x00, 0x00, 0x00);
const QColor Grey(0x80, 0x80, 0x80);
const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor White(0xFF, 0xFF, 0xFF);

// The lock sits low and centred, leaving the top band clear for the leader lines.
const QPoint Centre(LockPicture::Width / 2, 148);
constexpr int BezelRadius = 84;    // outer metal rim
constexpr int GrooveRadius = 64;   // recess the cylinder turns in
constexpr int CylinderRadius = 55; // the turning part with the keyhole
constexpr int ShadowOffset = 4;

// Positions are spread evenly over the upper arc, first one on the left, so leader lines
// from left-to-right cells never cross.
double positionAngle(int position)
{
    return 165.0 - 25.0 * position;
}

QPoint onCircle(int radius, double degrees)
{
    const double a = qDegreesToRadians(degrees);
    return Centre + QPoint(qRound(radius * qCos(a)), -qRound(radius * qSin(a)));
}

QRect circleRect(int radius)
{
    return QRect(Centre.x() - radius, Centre.y() - radius, 2 * radius, 2 * radius);
}

// Light falls from the upper left: a raised edge is lit there and shaded on the lower right,
// a sunken one the other way round.
void drawBevel(QPainter &p, int radius, const QColor &upperLeft, const QColor &lowerRight)
{
    for (int r = radius; r > radius - 2; --r) {
        p.setPen(upperLeft);
        p.drawArc(circleRect(r), 45 * 16, 180 * 16);
        p.setPen(lowerRight);
        p.drawArc(circleRect(r), 225 * 16, 180 * 16);
    }
}

void drawDisc(QPainter &p, int radius, const QColor &fill)
{
    p.setPen(Black);
    p.setBrush(fill);
    p.drawEllipse(circleRect(radius));
}

void drawLeaderLines(QPainter &p)
{
    p.setPen(QPen(Black, 1));
    for (int s = 0; s < LockPicture::PositionCount; ++s)
        p.drawLine(QPoint(LockPicture::leaderX(s), 0), onCircle(BezelRadius, positionAngle(s)));
}

// Engraved ticks on the rim, one per position, where the leader lines arrive.
void drawPositionTicks(QPainter &p)
{
    for (int s = 0; s < LockPicture::PositionCount; ++s) {
        const double a = positionAngle(s);
        p.setPen(QPen(Black, 2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(onCircle(BezelRadius - 4, a), onCircle(GrooveRadius + 7, a));
    }
}

void drawKeyhole(QPainter &p)
{
    const int x = Centre.x();
    const int y = Centre.y();
    const QPolygon slot({QPoint(x - 5, y - 10), QPoint(x + 5, y - 10), QPoint(x + 9, y + 26),
                         QPoint(x - 9, y + 26)});
    p.setPen(Black);
    p.setBrush(Black);
    p.drawPolygon(slot);
    p.drawEllipse(QPoint(x, y - 12), 11, 11);
    // A lit lower edge makes the hole read as cut into the cylinder.
    p.setPen(White);
    p.drawLine(QPoint(x - 8, y + 27), QPoint(x + 8, y + 27));
}

} // namespace

QImage LockPicture::render()
{
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);

    // A shadow to the lower right lifts the silver lock off a silver dialog background.
    p.setPen(Qt::NoPen);
    p.setBrush(Grey);
    p.drawEllipse(circleRect(BezelRadius).translated(ShadowOffset, ShadowOffset));

    // Lines before the rim: it then covers any pixel a line overshoots by.
    drawLeaderLines(p);

    drawDisc(p, BezelRadius, Silver);
    drawBevel(p, BezelRadius - 1, White, Grey);
    drawPositionTicks(p);

    drawDisc(p, GrooveRadius, Grey);
    drawBevel(p, GrooveRadius - 1, Black, Silver);

    drawDisc(p, CylinderRadius, Silver);
    drawBevel(p, CylinderRadius - 1, White, Grey);
    drawKeyhole(p);

    return image;
}
