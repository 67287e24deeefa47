// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>

// Which keys of the layout the user has selected: the one place that knows it. The commands act
// on them, and the keys on the screen only show it. Beside the selection lies the focus mark
// that Ctrl+arrows move, as in item views: it points at a key without selecting it, so that
// Ctrl+Space can add that key or take it out.
class KeySelection : public QObject
{
    Q_OBJECT
public:
    explicit KeySelection(QObject *parent = nullptr) : QObject(parent) {}

    // The selected keys in grid order.
    const QList<int> &keys() const { return m_keys; }
    int count() const { return int(m_keys.size()); }
    bool isEmpty() const { return m_keys.isEmpty(); }
    // Exactly one key: what the commands for one key (label, codes, merging) need.
    bool isSingle() const { return m_keys.size() == 1; }
    // The first selected key in grid order (where a paste starts), or -1.
    int current() const { return m_keys.isEmpty() ? -1 : m_keys.first(); }
    bool contains(int index) const { return m_keys.contains(index); }

    // Selects the key at index alone, or nothing with -1; the focus mark goes with it.
    void select(int index);
    // Adds the key at index, or takes it out when it was selected.
    void toggle(int index);
    // Selects exactly these keys.
    void selectKeys(QList<int> indices);
    void clear() { select(-1); }

    // The key the focus mark points at, or -1.
    int focus() const { return m_focus; }
    void setFocus(int index);

signals:
    // The keys whose selected state changed.
    void changed(const QList<int> &touched);
    void focusChanged(int previous, int current);

private:
    QList<int> m_keys;
    int m_focus = -1;
};
