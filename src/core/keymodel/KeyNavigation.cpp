// SPDX-License-Identifier: MIT
#include "KeyNavigation.h"

#include "KeyGrid.h"
#include "profile/ProgramProfile.h"

#include <algorithm>

namespace KeyNavigation {

namespace {

int alongRow(const KeyGrid &grid, int index, Move move)
{
    const QList<int> &order = grid.profile().rowOrder;
    switch (move) {
    case Move::First:
        return order.front();
    case Move::Last:
        return order.back();
    case Move::Up:
    case Move::Down:
        return -1;
    case Move::Left:
    case Move::Right:
        break;
    }
    const auto at = std::find(order.begin(), order.end(), index);
    if (move == Move::Left)
        return at == order.begin() ? -1 : *(at - 1);
    return at + 1 == order.end() ? -1 : *(at + 1);
}

int acrossGrid(const KeyGrid &grid, int index, Move move)
{
    if (move == Move::First)
        return keyOver(grid, 0);
    if (move == Move::Last)
        return keyOver(grid, grid.count() - 1);
    const KeyCell &key = grid.cell(index);
    const int c = grid.column(index), r = grid.row(index);
    int next = -1;
    switch (move) {
    case Move::First:
    case Move::Last:
        break;
    case Move::Left:
        next = grid.indexAt(c - 1, r);
        break;
    case Move::Right:
        next = grid.indexAt(c + key.ColSpan, r);
        break;
    case Move::Up:
        next = grid.indexAt(c, r - 1);
        break;
    case Move::Down:
        next = grid.indexAt(c, r + key.RowSpan);
        break;
    }
    return next < 0 ? -1 : keyOver(grid, next);
}

} // namespace

int keyOver(const KeyGrid &grid, int index)
{
    if (grid.cell(index).Visible)
        return index;
    for (int k = 0; k < grid.count(); ++k)
        if (grid.cell(k).Visible && grid.coveredBy(k).contains(index))
            return k;
    return -1;
}

int target(const KeyGrid &grid, int index, Move move)
{
    if (index < 0)
        move = move == Move::Last ? Move::Last : Move::First;
    if (!grid.profile().rowOrder.isEmpty())
        return alongRow(grid, index, move);
    return acrossGrid(grid, index, move);
}

} // namespace KeyNavigation
