// SPDX-License-Identifier: MIT
#include "KeyGrid.h"

#include "profile/ProgramProfile.h"

#include <algorithm>
#include <numeric>

KeyGrid::KeyGrid(const ProgramProfile &profile, QObject *parent)
    : QObject(parent), m_profile(profile), m_cells(profile.cellCount)
{
    for (int i = 0; i < count(); ++i)
        resetCell(i);
}

int KeyGrid::column(int index) const
{
    return m_profile.column(index);
}

int KeyGrid::row(int index) const
{
    return m_profile.row(index);
}

int KeyGrid::indexAt(int column, int row) const
{
    if (column < 0 || row < 0 || column >= m_profile.gridColumns || row >= m_profile.gridRows)
        return -1;
    const int index = column * m_profile.gridRows + row;
    return index < count() ? index : -1;
}

QList<int> KeyGrid::coveredBy(int index) const
{
    const KeyCell &key = cell(index);
    QList<int> covered;
    for (int a = 0; a < key.ColSpan; ++a)
        for (int b = 0; b < key.RowSpan; ++b)
            if (const int i = indexAt(column(index) + a, row(index) + b); i >= 0)
                covered.append(i);
    return covered;
}

void KeyGrid::resetCell(int index)
{
    m_cells[index].ResetKey(m_profile.defaultLabel(index));
}

void KeyGrid::resetAll()
{
    QList<int> all(count());
    for (int i = 0; i < count(); ++i) {
        resetCell(i);
        all[i] = i;
    }
    emit cellsChanged(all);
}

void KeyGrid::assign(const QList<KeyCell> &cells)
{
    Q_ASSERT(cells.size() == m_cells.size());
    m_cells = cells;
    QList<int> all(count());
    std::iota(all.begin(), all.end(), 0);
    emit cellsChanged(all);
}

void KeyGrid::setCells(const QList<int> &indices, const QList<KeyCell> &cells)
{
    Q_ASSERT(indices.size() == cells.size());
    for (qsizetype i = 0; i < indices.size(); ++i)
        m_cells[indices.at(i)] = cells.at(i);
    emit cellsChanged(indices);
}

void KeyGrid::setCaption(int index, const QByteArray &caption)
{
    m_cells[index].Caption = caption;
    emit cellsChanged({index});
}

void KeyGrid::setColor(int index, quint32 color)
{
    m_cells[index].Color = color;
    emit cellsChanged({index});
}

void KeyGrid::setCodes(int index, QByteArrayView codes)
{
    KeyCell &key = m_cells[index];
    const qsizetype n = std::min<qsizetype>(codes.size(), KeyCell::MaxCodes);
    std::copy_n(codes.begin(), n, key.Codes.begin());
    key.CodeCount = qint32(n);
    emit cellsChanged({index});
}

void KeyGrid::setContent(int index, const KeyCell &from)
{
    KeyCell &key = m_cells[index];
    key.Caption = from.Caption;
    key.Color = from.Color;
    setCodes(index, from.usedCodes());
}

void KeyGrid::clearContent(int index)
{
    KeyCell defaults;
    defaults.ResetKey(m_profile.defaultLabel(index));
    setContent(index, defaults);
}

QByteArray KeyGrid::storeEndMark(int index)
{
    KeyCell &key = m_cells[index];
    const qsizetype n = key.usedCodes().size();
    if (key.Codes[n] != KeyCell::EndMark) {
        key.Codes[n] = KeyCell::EndMark;
        emit cellsChanged({index});
    }
    return QByteArray(reinterpret_cast<const char *>(key.Codes.data()), n + 1);
}

void KeyGrid::showCovered(int index)
{
    for (int i : coveredBy(index))
        m_cells[i].Visible = true;
}

bool KeyGrid::SplitKey(int index)
{
    KeyCell &key = m_cells[index];
    QList<int> changed = coveredBy(index);
    const bool merged = key.ColSpan != 1 || key.RowSpan != 1;
    if (merged)
        showCovered(index);
    resetCell(index);
    emit cellsChanged(changed);
    return merged;
}

bool KeyGrid::MergeKey(int selected, int clicked)
{
    if (!m_profile.mergesKeys() || selected == clicked)
        return false;
    KeyCell &key = m_cells[selected];
    const int right = indexAt(column(selected) + key.ColSpan, row(selected));
    const int below = indexAt(column(selected), row(selected) + key.RowSpan);
    QList<int> taken;
    if (clicked == right) {
        for (int k = 0; k < key.RowSpan; ++k)
            taken.append(clicked + k);
    } else if (clicked == below) {
        for (int k = 0; k < key.ColSpan; ++k)
            taken.append(clicked + k * m_profile.gridRows);
    } else {
        return false;
    }
    QList<int> changed{selected};
    for (int x : taken) {
        // A neighbour that is itself merged gives its cells back before it is taken over.
        changed += coveredBy(x);
        SplitKey(x);
        m_cells[x].Visible = false;
    }
    if (clicked == right)
        ++key.ColSpan;
    else
        ++key.RowSpan;
    emit cellsChanged(changed);
    return true;
}
