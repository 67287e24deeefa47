// SPDX-License-Identifier: MIT
#include "KeyRecord.h"

namespace KeyRecord {

namespace {
enum Offset
{
    VisibleAt = 0,
    RowSpanAt = 1,
    ColSpanAt = 2,
    CodeCountAt = 3,
    ColorAt = 4,
    LabelAt = 8,
    CodesAt = 28
};
}

void WriteKeyRecord(const KeyCell &key, QByteArray &out)
{
    const qsizetype start = out.size();
    out.resize(start + Size, '\0');
    char *r = out.data() + start;
    r[VisibleAt] = key.Visible ? 1 : 0;
    // Row span before column span: the order the keyboard's files have always used.
    r[RowSpanAt] = char(key.RowSpan & 0xFF);
    r[ColSpanAt] = char(key.ColSpan & 0xFF);
    r[CodeCountAt] = char(key.CodeCount & 0xFF);
    for (int i = 0; i < 4; ++i)
        r[ColorAt + i] = char((key.Color >> (8 * i)) & 0xFF);
    // A label shorter than the field is zero-terminated; one of exactly 20 bytes is not.
    const qsizetype labelLength = std::min<qsizetype>(key.Caption.size(), LabelSize);
    std::copy_n(key.Caption.constData(), labelLength, r + LabelAt);
    std::copy(key.Codes.begin(), key.Codes.end(), r + CodesAt);
}

KeyCell ReadKeyRecord(QByteArrayView record)
{
    Q_ASSERT(record.size() >= Size);
    const auto byte = [&](int at) { return quint8(record[at]); };
    KeyCell key;
    key.Visible = byte(VisibleAt) == 1;
    key.RowSpan = byte(RowSpanAt);
    key.ColSpan = byte(ColSpanAt);
    key.CodeCount = byte(CodeCountAt);
    key.Color = 0;
    for (int i = 0; i < 4; ++i)
        key.Color |= quint32(byte(ColorAt + i)) << (8 * i);
    const QByteArrayView label = record.sliced(LabelAt, LabelSize);
    const qsizetype end = label.indexOf('\0');
    key.Caption = (end < 0 ? label : label.first(end)).toByteArray();
    for (int i = 0; i < KeyCell::CodeCapacity; ++i)
        key.Codes[i] = byte(CodesAt + i);
    return key;
}

} // namespace KeyRecord
