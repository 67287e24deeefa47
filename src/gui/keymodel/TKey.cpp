#include "TKey.h"

#include "keymodel/ColorValue.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/LabelCodec.h"

#include <QMouseEvent>
#include <QPainter>

TKey::TKey(const KeyGrid &grid, int tag, QWidget *parent)
    : QWidget(parent), m_grid(grid), m_tag(tag)
{
    // Labels use the desktop's small default face, not the main window's own font.
    QFont labelFont = font();
    labelFont.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Sans Serif")});
    labelFont.setPointSize(8);
    setFont(labelFont);
    sync();
}

const KeyCell &TKey::cell() const
{
    return m_grid.cell(m_tag);
}

void TKey::setDown(bool down)
{
    m_down = down;
    update();
}

void TKey::sync()
{
    const KeyCell &c = cell();
    resize(KeyCell::Pitch * c.ColSpan, KeyCell::Pitch * c.RowSpan);
    setVisible(c.Visible);
    update();
}

void TKey::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawEdge(painter);
    drawFace(painter, rect().adjusted(3, 3, -3, -3));
}

void TKey::drawEdge(QPainter &painter)
{
    // Light top and left with dark bottom and right look raised; swapped, the key looks pressed.
    const QColor a = m_down ? Qt::black : Qt::white;
    const QColor b = m_down ? Qt::white : Qt::black;
    const int r = width() - 1, bottom = height() - 1;
    painter.setPen(a);
    painter.drawLine(0, 0, r - 1, 0);
    painter.drawLine(0, 0, 0, bottom - 1);
    painter.setPen(b);
    painter.drawLine(0, bottom, r, bottom);
    painter.drawLine(r, 1, r, bottom);
}

void TKey::drawFace(QPainter &painter, const QRect &textBox)
{
    const QRect frame = textBox.adjusted(-2, -2, 2, 2);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(ColorValue::resolve(cell().Color, palette()));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setClipRect(textBox);
    const QString text = LabelCodec::forSystemLocale().decode(cell().Caption);
    painter.drawText(textBox, Qt::AlignLeft | Qt::AlignTop, text.section(u'|', 0, 0));
}

void TKey::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void TKey::mouseReleaseEvent(QMouseEvent *event)
{
    // A click counts when the button is let go over the same cell it went down on.
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked(this, event->modifiers());
}
