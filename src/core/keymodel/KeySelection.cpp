// SPDX-License-Identifier: MIT
#include "KeySelection.h"

#include <algorithm>
#include <utility>

void KeySelection::select(int index)
{
    selectKeys(index >= 0 ? QList<int>{index} : QList<int>{});
    setFocus(index);
}

void KeySelection::toggle(int index)
{
    QList<int> keys = m_keys;
    if (!keys.removeOne(index))
        keys.append(index);
    selectKeys(keys);
}

void KeySelection::selectKeys(QList<int> indices)
{
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    if (indices == m_keys)
        return;
    QList<int> touched;
    std::set_symmetric_difference(m_keys.begin(), m_keys.end(), indices.begin(), indices.end(),
                                  std::back_inserter(touched));
    m_keys = std::move(indices);
    emit changed(touched);
}

void KeySelection::setFocus(int index)
{
    if (index == m_focus)
        return;
    const int previous = std::exchange(m_focus, index);
    emit focusChanged(previous, index);
}
