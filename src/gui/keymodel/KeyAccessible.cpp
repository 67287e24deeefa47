// SPDX-License-Identifier: MIT
#include "KeyAccessible.h"

#include "TKey.h"
#include "codeentry/CodeDecoder.h"
#include "keymodel/KeyCell.h"
#include "keymodel/KeyFace.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/LabelCodePage.h"
#include "profile/ProgramProfile.h"

#include <algorithm>

namespace {

QAccessibleInterface *forKey(const QString &className, QObject *object)
{
    if (className == QLatin1String("TKey") && object && object->isWidgetType())
        return new KeyAccessible(static_cast<TKey *>(object));
    return nullptr;
}

} // namespace

KeyAccessible::KeyAccessible(TKey *key) : QAccessibleWidget(key, QAccessible::Button) {}

void KeyAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(forKey);
        return true;
    }();
    Q_UNUSED(installed);
}

TKey *KeyAccessible::key() const
{
    return static_cast<TKey *>(widget());
}

QString KeyAccessible::text(QAccessible::Text t) const
{
    const KeyCell &cell = key()->cell();
    switch (t) {
    case QAccessible::Name: {
        const QString label =
            KeyFace::labelLines(cell.Caption, LabelCodePage::current()).join(u' ').simplified();
        // The number its face shows by default, as every other text names a key.
        const QString place = tr("Key %1").arg(key()->grid().profile().keyNumber(key()->Tag()));
        // A label that only repeats the number is not said twice.
        const bool ownLabel = !label.isEmpty() &&
                              cell.Caption != key()->grid().profile().defaultLabel(key()->Tag());
        return ownLabel ? tr("%1, %2").arg(place, label) : place;
    }
    case QAccessible::Description: {
        QString description = readableCodes(cell.usedCodes());
        const int covered = cell.ColSpan * cell.RowSpan;
        if (cell.Visible && covered > 1)
            description += tr("; merged over %1 keys").arg(covered);
        return description;
    }
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State KeyAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    // The grid's area holds the keyboard focus; of its keys the selected one has it.
    const QWidget *area = key()->parentWidget();
    s.focusable = true;
    s.focused = key()->Down() && area && area->hasFocus();
    s.selectable = true;
    s.selected = key()->Down();
    s.pressed = key()->Down();
    s.invisible = !key()->cell().Visible;
    return s;
}

QStringList KeyAccessible::actionNames() const
{
    return {pressAction()};
}

void KeyAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        emit key()->clicked(key(), Qt::NoModifier);
}
