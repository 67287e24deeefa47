// SPDX-License-Identifier: MIT
#include "LabelCodePage.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

struct PageRow
{
    LabelCodePage::Page page;
    const char *name;
    const char *caption;
    const char *encoding; // none: the system's
};

constexpr PageRow Rows[] = {
    {LabelCodePage::System, "system", QT_TRANSLATE_NOOP("LabelCodePage", "System"), nullptr},
    {LabelCodePage::Japanese, "932", QT_TRANSLATE_NOOP("LabelCodePage", "Japanese (Shift-JIS)"),
     "Shift_JIS"},
    {LabelCodePage::Western, "1252", QT_TRANSLATE_NOOP("LabelCodePage", "Western (Windows-1252)"),
     "windows-1252"},
};

const PageRow &row(LabelCodePage::Page page)
{
    return *std::find_if(std::begin(Rows), std::end(Rows),
                         [page](const PageRow &r) { return r.page == page; });
}

LabelCodec &currentCodec()
{
    static LabelCodec codec = LabelCodec::forSystemLocale();
    return codec;
}

} // namespace

QString LabelCodePage::name(Page page)
{
    return QString::fromLatin1(row(page).name);
}

std::optional<LabelCodePage::Page> LabelCodePage::fromName(QStringView name)
{
    for (const PageRow &r : Rows)
        if (name.compare(QLatin1String(r.name), Qt::CaseInsensitive) == 0)
            return r.page;
    return std::nullopt;
}

const char *LabelCodePage::caption(Page page)
{
    return row(page).caption;
}

LabelCodec LabelCodePage::codec(Page page)
{
    const char *encoding = row(page).encoding;
    return encoding ? LabelCodec(encoding) : LabelCodec::forSystemLocale();
}

const LabelCodec &LabelCodePage::current()
{
    return currentCodec();
}

void LabelCodePage::setCurrent(const LabelCodec &codec)
{
    currentCodec() = codec;
}

bool LabelCodePage::readsCleanly(const LabelCodec &codec, const QList<QByteArray> &labels)
{
    return std::all_of(labels.begin(), labels.end(),
                       [&codec](const QByteArray &label) { return codec.readsCleanly(label); });
}

std::optional<LabelCodePage::Page> LabelCodePage::cleanerReading(const QList<QByteArray> &labels,
                                                                 const LabelCodec &chosen)
{
    // A code page this Qt lacks reads nothing cleanly, and says so when labels are edited;
    // pointing to another would only add a second message to that one.
    if (!chosen.isAvailable() || readsCleanly(chosen, labels))
        return std::nullopt;
    for (Page page : {Japanese, Western}) {
        const LabelCodec other = codec(page);
        if (other.encoding().compare(chosen.encoding(), Qt::CaseInsensitive) != 0 &&
            readsCleanly(other, labels))
            return page;
    }
    return std::nullopt;
}
