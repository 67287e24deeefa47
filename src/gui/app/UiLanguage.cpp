// SPDX-License-Identifier: MIT
#include "UiLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace UiLanguage {

namespace {

// The translations built into the programs, one file per language for both of them.
constexpr char OwnFolder[] = ":/translations";
constexpr char OwnPrefix[] = "tavrin_";

bool load(QCoreApplication &app, const QString &file, const QString &folder)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(file, folder)) {
        QCoreApplication::installTranslator(translator);
        return true;
    }
    delete translator;
    return false;
}

} // namespace

void install(QCoreApplication &app)
{
    for (QString language : QLocale().uiLanguages()) {
        // "ja-JP" names the file tavrin_ja_JP, which falls back to tavrin_ja.
        language.replace(u'-', u'_');
        if (language == u"C" || language.startsWith(u"en"))
            return;
        if (load(app, QLatin1String(OwnPrefix) + language, QLatin1String(OwnFolder))) {
            // The toolkit's dialogs in the same language, where the system has them.
            load(app, QStringLiteral("qtbase_") + language,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            return;
        }
    }
}

} // namespace UiLanguage
