// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>
#include <QCoreApplication>

class TKey;

// A key cell as a screen reader meets it: a button named by its place and label ("Key 12,
// Latte"), described by its codes as the strokes that make them ("Shift+A") and by the keys it
// is merged over, selected while it is the selected key. Pressing it is a click on it.
class KeyAccessible : public QAccessibleWidget
{
    Q_DECLARE_TR_FUNCTIONS(KeyAccessible)
public:
    explicit KeyAccessible(TKey *key);

    // Makes every key cell answer as this; a second call changes nothing.
    static void install();

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    TKey *key() const;
};
