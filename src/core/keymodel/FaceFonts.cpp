// SPDX-License-Identifier: MIT
#include "FaceFonts.h"

#include "LabelCodec.h"

#include <QFontInfo>

namespace FaceFonts {

QStringList gothic()
{
    return {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
            QStringLiteral("VL PGothic"), QStringLiteral("Noto Sans CJK JP")};
}

QStringList labels()
{
    // The desktop's sans-serif by its real name: in a list of faces the toolkit looks each name
    // up as it stands, so an alias such as "Sans Serif" would match nothing and the Gothic
    // after it would draw every label, Latin ones too.
    static const QString desktopSans = [] {
        QFont font;
        font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Sans Serif")});
        font.setStyleHint(QFont::SansSerif);
        return QFontInfo(font).family();
    }();
    return QStringList{QStringLiteral("MS Sans Serif"), desktopSans} + gothic();
}

QFont dialog()
{
    QFont font;
    font.setFamilies(gothic());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    return font;
}

QFont screenLabel(const LabelCodec &codec)
{
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    if (codec.encoding().compare("Shift_JIS", Qt::CaseInsensitive) == 0) {
        font.setFamilies(gothic());
        font.setPointSize(9);
    } else {
        font.setFamilies(labels());
        font.setPointSize(8);
    }
    return font;
}

} // namespace FaceFonts
