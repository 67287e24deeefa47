// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

// Which key of the layout the user has selected, if any: the one place that knows it. The
// commands act on it, and the keys on the screen only show it.
class KeySelection : public QObject
{
    Q_OBJECT
public:
    explicit KeySelection(QObject *parent = nullptr) : QObject(parent) {}

    // The selected key's index in the grid, or -1.
    int current() const { return m_current; }
    bool isEmpty() const { return m_current < 0; }
    bool contains(int index) const { return index >= 0 && index == m_current; }

    // Selects the key at index, or nothing with -1.
    void select(int index);
    void clear() { select(-1); }

signals:
    void changed(int previous, int current);

private:
    int m_current = -1;
};
