// SPDX-License-Identifier: MIT
#include "KeySelection.h"

#include <utility>

void KeySelection::select(int index)
{
    if (index == m_current)
        return;
    const int previous = std::exchange(m_current, index);
    emit changed(previous, index);
}
