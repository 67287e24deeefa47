// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class KeyGrid;
struct KeyCell;

// One key cell on the main window: a window-less child that shows one cell of the key grid and
// reports clicks. The cell's data lives in the grid; the widget keeps only what is about the
// screen: whether it is drawn selected, and a press in progress.
class TKey : public QWidget
{
    Q_OBJECT
public:
    TKey(const KeyGrid &grid, int tag, QWidget *parent);

    int Tag() const { return m_tag; }
    const KeyGrid &grid() const { return m_grid; }
    const KeyCell &cell() const;
    bool Down() const { return m_down; }
    void setDown(bool down);
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

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void drawEdge(QPainter &painter);

    const KeyGrid &m_grid;
    int m_tag;
    bool m_down = false;
    bool m_pressed = false;
    bool m_marked = false;
};
