// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>

// A page of fixed-width text with box lines: boxes that share an edge share its line, and
// where lines meet the right junction is drawn. Characters that a terminal shows two columns
// wide (CJK labels) take two columns here too, so the boxes stay straight.
class TextCanvas
{
public:
    TextCanvas(int columns, int lines);

    // A box with its corners at (x, y) and (x + width, y + height).
    void box(int x, int y, int width, int height);
    // Text from (x, y) on, cut to at most width columns; a cut ends in "~".
    void text(int x, int y, const QString &text, int width);

    QString toString() const;

    // Columns a character takes on a terminal.
    static int columnsOf(QChar c);

private:
    enum Line : quint8
    {
        Left = 1,
        Right = 2,
        Up = 4,
        Down = 8
    };
    struct Spot
    {
        QChar c = u' ';
        quint8 lines = 0;
        bool covered = false; // the second column of a wide character
    };
    Spot &at(int x, int y) { return m_spots[y * m_columns + x]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_columns && y < m_lines; }

    int m_columns;
    int m_lines;
    QList<Spot> m_spots;
};
