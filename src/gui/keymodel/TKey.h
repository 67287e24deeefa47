#pragma once

#include "keymodel/KeyCell.h"

#include <QWidget>

// One key cell on the main window: a window-less child that draws itself on the main window's
// surface and reports clicks. Its data lives in a KeyCell, which is what files and the
// programming run deal in.
class TKey : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Pitch = 44;

    TKey(int tag, const QByteArray &defaultLabel, QWidget *parent);

    int Tag() const { return m_tag; }
    const KeyCell &cell() const { return m_cell; }
    // Takes over every stored value at once, as a loaded record does.
    void setCell(const KeyCell &cell);
    void ResetKey();

    const QByteArray &Caption() const { return m_cell.Caption; }
    void setCaption(const QByteArray &caption);
    quint32 Color() const { return m_cell.Color; }
    void setColor(quint32 color);
    bool Down() const { return m_down; }
    void setDown(bool down);
    void setSpans(int colSpan, int rowSpan);
    void setKeyVisible(bool visible);
    bool isKeyVisible() const { return m_cell.Visible; }

signals:
    void clicked(TKey *key, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void applyGeometry();
    void drawEdge(QPainter &painter);
    void drawFace(QPainter &painter, const QRect &textBox);

    int m_tag;
    QByteArray m_defaultLabel;
    KeyCell m_cell;
    bool m_down = false;
    bool m_pressed = false;
};
