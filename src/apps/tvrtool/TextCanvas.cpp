// SPDX-License-Identifier: MIT
#include "TextCanvas.h"

TextCanvas::TextCanvas(int columns, int lines)
    : m_columns(columns), m_lines(lines), m_spots(columns * lines)
{
}

void TextCanvas::box(int x, int y, int width, int height)
{
    const auto mark = [this](int px, int py, quint8 lines) {
        if (inside(px, py))
            at(px, py).lines |= lines;
    };
    for (int i = 0; i < width; ++i) {
        for (int row : {y, y + height}) {
            mark(x + i, row, Right);
            mark(x + i + 1, row, Left);
        }
    }
    for (int i = 0; i < height; ++i) {
        for (int column : {x, x + width}) {
            mark(column, y + i, Down);
            mark(column, y + i + 1, Up);
        }
    }
}

int TextCanvas::columnsOf(QChar c)
{
    const char16_t u = c.unicode();
    // The East Asian wide and full-width ranges that labels can hold.
    const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) ||
                      (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) ||
                      (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
                      (u >= 0xFFE0 && u <= 0xFFE6);
    return wide ? 2 : 1;
}

void TextCanvas::text(int x, int y, const QString &text, int width)
{
    int used = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i].isPrint() ? text[i] : QChar(u'?');
        const int w = columnsOf(c);
        const bool last = i + 1 == text.size();
        // Keep a column for the cut mark unless this character ends the text.
        if (used + w > width - (last ? 0 : 1)) {
            if (inside(x + used, y) && used < width)
                at(x + used, y).c = u'~';
            return;
        }
        if (inside(x + used, y)) {
            at(x + used, y).c = c;
            if (w == 2 && inside(x + used + 1, y))
                at(x + used + 1, y).covered = true;
        }
        used += w;
    }
}

QString TextCanvas::toString() const
{
    // Box characters by the lines that meet at a spot: left, right, up, down.
    static const char16_t Junctions[16] = {
        u' ',      u'\u2500', u'\u2500', u'\u2500', // -, left, right, left+right
        u'\u2502', u'\u2518', u'\u2514', u'\u2534', // up, up+left, up+right, up+left+right
        u'\u2502', u'\u2510', u'\u250C', u'\u252C', // down, down+left, down+right, +both
        u'\u2502', u'\u2524', u'\u251C', u'\u253C', // up+down, +left, +right, +both
    };
    QString out;
    out.reserve((m_columns + 1) * m_lines);
    for (int y = 0; y < m_lines; ++y) {
        QString line;
        for (int x = 0; x < m_columns; ++x) {
            const Spot &s = m_spots[y * m_columns + x];
            if (s.covered)
                continue;
            line += (s.c != u' ' || !s.lines) ? s.c : QChar(Junctions[s.lines]);
        }
        while (line.endsWith(u' '))
            line.chop(1);
        out += line + u'\n';
    }
    return out;
}
