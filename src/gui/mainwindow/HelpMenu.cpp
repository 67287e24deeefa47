// SPDX-License-Identifier: MIT
#include "HelpMenu.h"

#include "profile/ProgramProfile.h"
#include "profile/Version.h"

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>

namespace HelpMenu {

QString aboutText(const ProgramProfile &profile)
{
    return QCoreApplication::translate("HelpMenu", "<p><b>%1</b> version %2</p><p>%3</p>"
                                                   "<p>Released under the MIT licence.</p>")
        .arg(profile.name, QStringLiteral(TAVRIN_VERSION),
             ProgramProfile::shown(profile.description).toHtmlEscaped());
}

void add(QMenuBar &bar, const ProgramProfile &profile, QWidget *window)
{
    QMenu *help = bar.addMenu(QCoreApplication::translate("HelpMenu", "&Help"));
    QAction *about =
        help->addAction(QCoreApplication::translate("HelpMenu", "&About %1").arg(profile.name));
    about->setObjectName(QStringLiteral("About1"));
    QObject::connect(about, &QAction::triggered, window, [window, &profile] {
        QMessageBox::about(window,
                           QCoreApplication::translate("HelpMenu", "About %1").arg(profile.name),
                           aboutText(profile));
    });
    QAction *aboutQt = help->addAction(QCoreApplication::translate("HelpMenu", "About &Qt"));
    aboutQt->setObjectName(QStringLiteral("AboutQt1"));
    QObject::connect(aboutQt, &QAction::triggered, window, [] { QApplication::aboutQt(); });
}

} // namespace HelpMenu
