// SPDX-License-Identifier: MIT
#pragma once

#include <QMimeData>
#include <QWidget>

class KeyGrid;
class KeySelection;

struct KeyCell;

// One key cell on the main window: a window-less child that shows one cell of the key grid and
// reports clicks. The cell's data lives in the grid and the selection in its own model; the
// widget keeps only what is about the screen: a press in progress, and whether it is marked.
class TKey : public QWidget
{
    Q_OBJECT
public:
    TKey(const KeyGrid &grid, const KeySelection &selection, int tag, QWidget *parent);

    int Tag() const { return m_tag; }
    const KeyGrid &grid() const { return m_grid; }
    const KeyCell &cell() const;
    // Drawn sunk: the key is the selected one.
    bool Down() const;
    // Points the key out (its face inverted) while the key tester names it; the look of every
    // other state stays as it is.
    bool marked() const { return m_marked; }
    void setMarked(bool marked);
    // Follows the cell's spans and visibility after the grid changed it, and repaints.
    void sync();
    // The label's lines and the codes as the strokes that make them, as the tooltip shows them.
    QString toolTipText() const;

signals:
    void clicked(TKey *key, Qt::KeyboardModifiers modifiers);
    // The mouse went down on the key and moved away with the button held.
    void dragStarted(TKey *key);
    // Keys were dropped on this one, to be moved (swapped) or copied.
    void dropped(TKey *key, const QMimeData *data, Qt::DropAction action);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void drawEdge(QPainter &painter);
    // The focus mark of Ctrl+arrows and the frame of a drop target, over the face.
    void drawMarks(QPainter &painter);
    // Whether keys in data can be dropped here: this program's keys, from anywhere.
    bool takes(const QMimeData &data) const;

    const KeyGrid &m_grid;
    const KeySelection &m_selection;
    int m_tag;
    bool m_pressed = false;
    QPoint m_pressedAt;
    // What a drag over the key would do if dropped now, NoAction when none is over it.
    Qt::DropAction m_dropping = Qt::IgnoreAction;
    bool m_marked = false;
};
