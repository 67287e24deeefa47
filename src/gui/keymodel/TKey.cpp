// SPDX-License-Identifier: MIT
#include "TKey.h"

#include "KeyAccessible.h"
#include "codeentry/CodeDecoder.h"
#include "common/WindowGeometry.h"
#include "keymodel/FaceFonts.h"
#include "keymodel/KeyFace.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/KeySelection.h"

#include "keymodel/KeyClip.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

namespace {
// The one-pixel edge round the cell; the frame and fill inside it are the face's.
QRegion edgeRing(const QRect &cell)
{
    return QRegion(cell) - QRegion(cell.adjusted(1, 1, -1, -1));
}
} // namespace

TKey::TKey(const KeyGrid &grid, const KeySelection &selection, int tag, QWidget *parent)
    : QWidget(parent), m_grid(grid), m_selection(selection), m_tag(tag)
{
    // Only the edge shows whether a cell is selected; its face stays as it is.
    connect(&selection, &KeySelection::changed, this, [this](const QList<int> &touched) {
        if (touched.contains(m_tag))
            update();
    });
    connect(&selection, &KeySelection::focusChanged, this, [this](int previous, int current) {
        if (previous == m_tag || current == m_tag)
            update();
    });
    setAcceptDrops(true);
    // Labels use the desktop's small default face, not the main window's own font.
    setFont(FaceFonts::screenLabel(LabelCodePage::current()));
    // Edge, frame and fill cover every pixel, so nothing behind the cell needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    KeyAccessible::install();
    sync();
}

const KeyCell &TKey::cell() const
{
    return m_grid.cell(m_tag);
}

bool TKey::Down() const
{
    return m_selection.contains(m_tag);
}

void TKey::setMarked(bool marked)
{
    if (marked == m_marked)
        return;
    m_marked = marked;
    update();
}

void TKey::sync()
{
    const KeyCell &c = cell();
    resize(WindowGeometry::Pitch * c.ColSpan, WindowGeometry::Pitch * c.RowSpan);
    setVisible(c.Visible);
    update();
}

QString TKey::toolTipText() const
{
    const KeyCell &c = cell();
    QStringList lines = KeyFace::labelLines(c.Caption, LabelCodePage::current());
    lines << tr("Codes: ") + readableCodes(c.usedCodes());
    return lines.join(u'\n');
}

bool TKey::event(QEvent *event)
{
    // Worked out when asked for, so that neither start-up nor an edit pays for decoding.
    if (event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), toolTipText(), this);
        return true;
    }
    return QWidget::event(event);
}

void TKey::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    drawEdge(painter);
    if (!event->region().subtracted(edgeRing(rect())).isEmpty()) {
        painter.setPen(QColor(KeyFace::ScreenFrame));
        KeyFace::DrawFace(painter, KeyFace::screenTextBox(size()), cell(), palette());
        if (m_marked) {
            // Inverted, whatever the face's colour: the edge stays, so the selection still shows.
            painter.setCompositionMode(QPainter::RasterOp_NotDestination);
            painter.fillRect(rect().adjusted(1, 1, -1, -1), Qt::black);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        drawMarks(painter);
    }
}

void TKey::drawMarks(QPainter &painter)
{
    // The focus mark shows only where it tells something: away from a lone selected key.
    const bool focused = m_selection.focus() == m_tag &&
                         !(m_selection.isSingle() && m_selection.contains(m_tag));
    if (focused) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
    if (m_dropping != Qt::IgnoreAction) {
        // A move is a swap: the frame is dashed, as the two keys' contents trade; a copy's frame
        // is solid, as this key takes the other's.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2,
                            m_dropping == Qt::CopyAction ? Qt::SolidLine : Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(2, 2, -2, -2));
    }
}

void TKey::drawEdge(QPainter &painter)
{
    // Light top and left with dark bottom and right look raised; swapped, the key looks sunk.
    // The top-right pixel belongs to the top row, the bottom-left one to the bottom row.
    const bool down = Down();
    const QColor a = down ? Qt::black : Qt::white;
    const QColor b = down ? Qt::white : Qt::black;
    const int w = width(), h = height();
    painter.fillRect(0, 0, w, 1, a);
    painter.fillRect(0, 1, 1, h - 2, a);
    painter.fillRect(0, h - 1, w, 1, b);
    painter.fillRect(w - 1, 1, 1, h - 2, b);
}

void TKey::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    m_pressedAt = event->position().toPoint();
}

void TKey::mouseMoveEvent(QMouseEvent *event)
{
    // A press that moves away far enough is a drag, and no longer a click.
    if (!m_pressed || (event->position().toPoint() - m_pressedAt).manhattanLength() <
                          QApplication::startDragDistance())
        return;
    m_pressed = false;
    emit dragStarted(this);
}

bool TKey::takes(const QMimeData &data) const
{
    const std::optional<KeyClip> clip = KeyClip::fromMimeData(data);
    return clip && clip->profile == &m_grid.profile();
}

void TKey::dragEnterEvent(QDragEnterEvent *event)
{
    if (!takes(*event->mimeData()))
        return;
    event->accept();
    m_dropping = event->dropAction();
    update();
}

void TKey::dragMoveEvent(QDragMoveEvent *event)
{
    // Ctrl pressed or let go during the drag turns a swap into a copy and back.
    event->accept();
    if (event->dropAction() != m_dropping) {
        m_dropping = event->dropAction();
        update();
    }
}

void TKey::dragLeaveEvent(QDragLeaveEvent *)
{
    m_dropping = Qt::IgnoreAction;
    update();
}

void TKey::dropEvent(QDropEvent *event)
{
    m_dropping = Qt::IgnoreAction;
    update();
    if (!takes(*event->mimeData()))
        return;
    event->accept();
    emit dropped(this, event->mimeData(), event->dropAction());
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
