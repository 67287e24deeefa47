// SPDX-License-Identifier: MIT
#include "CodePageMenu.h"

#include "common/UserSettings.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>

namespace {
constexpr char Key[] = "labelCodePage";

QString captionOf(LabelCodePage::Page page)
{
    return QCoreApplication::translate("LabelCodePage", LabelCodePage::caption(page));
}
} // namespace

CodePageMenu::CodePageMenu(QMenu &menu, QObject *parent)
    : QObject(parent), m_group(new QActionGroup(this))
{
    QMenu *pages = menu.addMenu(tr("&Label Code Page"));
    pages->setObjectName(QStringLiteral("LabelCodePage1"));
    m_group->setExclusive(true);
    for (LabelCodePage::Page page : LabelCodePage::Pages) {
        QAction *action = pages->addAction(captionOf(page));
        action->setObjectName(QStringLiteral("CodePage_") + LabelCodePage::name(page));
        action->setCheckable(true);
        action->setData(int(page));
        m_group->addAction(action);
        connect(action, &QAction::triggered, this, [this, page] { choose(page); });
    }
    // A setting this version does not know, written by another, reads as the system's.
    const std::unique_ptr<QSettings> settings = UserSettings::open();
    const QString kept = settings ? settings->value(QLatin1String(Key)).toString() : QString();
    apply(LabelCodePage::fromName(kept).value_or(LabelCodePage::System));
}

QAction *CodePageMenu::action(LabelCodePage::Page page) const
{
    for (QAction *a : m_group->actions())
        if (a->data().toInt() == int(page))
            return a;
    return nullptr;
}

void CodePageMenu::choose(LabelCodePage::Page page)
{
    if (const std::unique_ptr<QSettings> settings = UserSettings::open())
        settings->setValue(QLatin1String(Key), LabelCodePage::name(page));
    if (page == m_page)
        return;
    apply(page);
    emit changed();
}

void CodePageMenu::apply(LabelCodePage::Page page)
{
    m_page = page;
    action(page)->setChecked(true);
    LabelCodePage::setCurrent(LabelCodePage::codec(page));
}

std::optional<QString> CodePageMenu::loadHint(const QList<KeyCell> &cells,
                                              const QString &path) const
{
    QList<QByteArray> labels;
    for (const KeyCell &cell : cells)
        labels << cell.Caption;
    const std::optional<LabelCodePage::Page> better =
        LabelCodePage::cleanerReading(labels, LabelCodePage::current());
    if (!better)
        return std::nullopt;
    return tr("The labels in %1 are not written in the code page in use, %2. They read as %3: "
              "choose it in Edit, Label Code Page to show them so. Until then the labels stay "
              "as they are.")
        .arg(QDir::toNativeSeparators(path), captionOf(m_page), captionOf(*better));
}
