#include "KeyFace.h"

#include "ColorValue.h"
#include "KeyCell.h"

#include <QPainter>

namespace KeyFace {

namespace {
// The frame lies this far outside the text box, with the fill between them.
constexpr int FrameMargin = 2;
constexpr int ScreenInset = 3;
} // namespace

QRect screenTextBox(const QSize &cellSize)
{
    return QRect(QPoint(0, 0), cellSize)
        .adjusted(ScreenInset, ScreenInset, -ScreenInset, -ScreenInset);
}

QStringList labelLines(const QByteArray &caption, const LabelCodec &codec)
{
    return codec.decode(caption).split(u'|');
}

void DrawFace(QPainter &canvas, const QRect &textBox, const KeyCell &cell, const QPalette &palette,
              const LabelCodec &codec)
{
    if (!cell.Visible)
        return;
    // The height of the separator's own text extent spaces the lines, so a font's line height
    // is whatever it says for "|".
    const int lineHeight =
        canvas.fontMetrics().size(Qt::TextSingleLine, QStringLiteral("|")).height();
    const QPen framePen = canvas.pen();

    // Filled rectangles rather than an outline, so the frame is one device pixel on every
    // surface whatever the painter's pen width or render hints.
    const QRect frame = textBox.adjusted(-FrameMargin, -FrameMargin, FrameMargin, FrameMargin);
    canvas.fillRect(frame, framePen.color());
    canvas.fillRect(frame.adjusted(1, 1, -1, -1), ColorValue::resolve(cell.Color, palette));
    canvas.setBrush(Qt::NoBrush);

    canvas.setPen(ColorValue::resolve(LabelColor, palette));
    const int boxBottom = textBox.top() + textBox.height(); // exclusive
    // The first line always gets a whole line's height; later ones stop at the box's bottom.
    int top = textBox.top();
    int bottom = top + lineHeight;
    const QStringList lines = labelLines(cell.Caption, codec);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].isEmpty())
            canvas.drawText(QRect(textBox.left(), top, textBox.width(), bottom - top),
                            Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignTop | Qt::TextSingleLine,
                            lines[i]);
        top += lineHeight;
        if (top >= boxBottom)
            break;
        bottom = std::min(bottom + lineHeight, boxBottom);
    }
    canvas.setPen(framePen);
}

} // namespace KeyFace
