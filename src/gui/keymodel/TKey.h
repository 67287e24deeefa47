// SPDX-License-Identifier: MIT
#pragma once

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

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void drawEdge(QPainter &painter);

    const KeyGrid &m_grid;
    const KeySelection &m_selection;
    int m_tag;
    bool m_pressed = false;
    bool m_marked = false;
};
