// SPDX-License-Identifier: MIT
#pragma once

#include "LabelCodec.h"

#include <QList>
#include <QString>

#include <optional>

// The code page labels are read and written in. A file does not say which code page its labels
// are in: they are in the one of the desktop that wrote them. So labels go by this desktop's
// code page unless the user picks another, for a file from a colleague's desktop. Choosing only
// changes how labels read: their bytes stay as they are until a label is edited.
class LabelCodePage
{
public:
    enum Page
    {
        System,
        Japanese, // Shift-JIS as Windows writes it, code page 932
        Western   // Windows-1252
    };
    static constexpr Page Pages[] = {System, Japanese, Western};

    // How the page is named in the settings and on tvrtool's command line: "system", "932",
    // "1252".
    static QString name(Page page);
    static std::optional<Page> fromName(QStringView name);
    // The menu's words for the page, untranslated (translated in the "LabelCodePage" context).
    static const char *caption(Page page);
    static LabelCodec codec(Page page);

    // The codec labels go by in this process: the system's until one is chosen.
    static const LabelCodec &current();
    static void setCurrent(const LabelCodec &codec);

    // Whether every label reads cleanly in codec (LabelCodec::readsCleanly).
    static bool readsCleanly(const LabelCodec &codec, const QList<QByteArray> &labels);
    // The page that reads labels cleanly when chosen does not: the first of Japanese and
    // Western that does. None when chosen reads them, or no page does.
    static std::optional<Page> cleanerReading(const QList<QByteArray> &labels,
                                              const LabelCodec &chosen);
};
