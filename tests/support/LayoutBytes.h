// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

// Configuration files written out by hand, byte by byte, for the tests of tvrtool: what the
// tool reads is checked against the file format, not against the reader's own code.
namespace LayoutBytes {

// Offsets in a key record.
enum At
{
    Visible = 0,
    RowSpan = 1,
    ColSpan = 2,
    CodeCount = 3,
    Color = 4,
    Label = 8,
    Codes = 28
};

// Every key at its defaults.
inline QByteArray defaults(bool keyboard = true)
{
    QByteArray file = keyboard ? "TVRN" : "MGKY";
    for (int i = 0; i < (keyboard ? 84 : 7); ++i) {
        QByteArray record(92, '\0');
        record[Visible] = record[RowSpan] = record[ColSpan] = 1;
        record[Color] = 0x0F;
        record[Color + 3] = char(0x80);
        const QByteArray label = QByteArray::number(keyboard ? i + 1 : i);
        record.replace(Label, label.size(), label);
        file += record;
    }
    return file;
}

inline QByteArray &set(QByteArray &file, int key, At field, const QByteArray &bytes)
{
    file.replace(4 + 92 * key + field, bytes.size(), bytes);
    return file;
}

// Codes and their count together.
inline QByteArray &setCodes(QByteArray &file, int key, const char *hex)
{
    const QByteArray codes = QByteArray::fromHex(hex);
    set(file, key, CodeCount, QByteArray(1, char(codes.size())));
    return set(file, key, Codes, codes);
}

inline QByteArray label(const QByteArray &text)
{
    return text.leftJustified(20, '\0', true);
}

} // namespace LayoutBytes
