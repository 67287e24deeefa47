// SPDX-License-Identifier: MIT
#include "KeyFace.h"

#include "ColorValue.h"
#include "KeyCell.h"

#include <QCoreApplication>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QStaticText>

namespace KeyFace {

namespace {
constexpr int ScreenInset = 3;
// More laid-out lines than the grid's labels and a view's ever need at once.
constexpr qsizetype MostLaidOutLines = 2048;

// A line as laid out for one font at one resolution.
struct LineKey
{
    QString text;
    QFont font;
    int dpiX, dpiY;

    bool operator==(const LineKey &other) const = default;
};

size_t qHash(const LineKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.text, key.font, key.dpiX, key.dpiY);
}

QHash<LineKey, QStaticText> *laidOutLines = nullptr;

// Laying a line of text out costs several times what drawing it does, and keys paint the same
// labels over and over, so laid-out lines are kept. Painting happens on the user-interface
// thread only.
const QStaticText &laidOut(const QPainter &canvas, const QString &line)
{
    if (!laidOutLines) {
        laidOutLines = new QHash<LineKey, QStaticText>;
        // Laid-out lines hold on to font engines, which end with the application object.
        qAddPostRoutine([] {
            delete laidOutLines;
            laidOutLines = nullptr;
        });
    }
    QHash<LineKey, QStaticText> &lines = *laidOutLines;
    const QPaintDevice *device = canvas.device();
    LineKey key{line, canvas.font(), device ? device->logicalDpiX() : 0,
                device ? device->logicalDpiY() : 0};
    if (const auto found = lines.constFind(key); found != lines.cend())
        return *found;
    if (lines.size() >= MostLaidOutLines)
        lines.clear();
    QString single = line;
    single.replace(u'\n', u' ').replace(u'\r', u' ');
    QStaticText text(single);
    text.setTextFormat(Qt::PlainText);
    text.setPerformanceHint(QStaticText::AggressiveCaching);
    text.prepare(canvas.transform(), canvas.font());
    return *lines.insert(std::move(key), text);
}

// One label line with its top-left corner at the line box's, cut off where it leaves the box.
void drawLine(QPainter &canvas, const QRect &lineBox, const QString &line)
{
    const QStaticText &text = laidOut(canvas, line);
    // Clipping costs as much again as drawing; a line inside its box needs none.
    const QSizeF size = text.size();
    if (size.width() <= lineBox.width() && size.height() <= lineBox.height()) {
        canvas.drawStaticText(lineBox.topLeft(), text);
        return;
    }
    canvas.save();
    canvas.setClipRect(lineBox, Qt::IntersectClip);
    canvas.drawStaticText(lineBox.topLeft(), text);
    canvas.restore();
}

} // namespace

QColor labelColor(const QColor &face, const QPalette &palette)
{
    const QColor text = ColorValue::resolve(LabelColor, palette);
    if (ColorValue::contrastRatio(text, face) >= LeastLabelContrast)
        return text;
    const QColor black(Qt::black), white(Qt::white);
    return ColorValue::contrastRatio(black, face) >= ColorValue::contrastRatio(white, face)
               ? black
               : white;
}

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
    const QColor fill = ColorValue::resolve(cell.Color, palette);
    canvas.fillRect(frame.adjusted(1, 1, -1, -1), fill);
    canvas.setBrush(Qt::NoBrush);

    canvas.setPen(labelColor(fill, palette));
    const int boxBottom = textBox.top() + textBox.height(); // exclusive
    // The first line always gets a whole line's height; later ones stop at the box's bottom.
    int top = textBox.top();
    int bottom = top + lineHeight;
    const QStringList lines = labelLines(cell.Caption, codec);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].isEmpty())
            drawLine(canvas, QRect(textBox.left(), top, textBox.width(), bottom - top), lines[i]);
        top += lineHeight;
        if (top >= boxBottom)
            break;
        bottom = std::min(bottom + lineHeight, boxBottom);
    }
    canvas.setPen(framePen);
}

} // namespace KeyFace
