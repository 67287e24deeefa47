// SPDX-License-Identifier: MIT
#include "KeyClip.h"

#include "LayoutJson.h"
#include "LayoutText.h"
#include "profile/ProgramProfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>

#include <algorithm>
#include <numeric>

KeyClip KeyClip::copy(const QList<KeyCell> &cells, const ProgramProfile &profile,
                      QList<int> indices)
{
    std::sort(indices.begin(), indices.end());
    KeyClip clip;
    clip.profile = &profile;
    for (int i : indices)
        clip.keys.append({i, cells.at(i)});
    return clip;
}

QList<int> KeyClip::targets(const QList<KeyCell> &cells, int at) const
{
    QList<int> landed(keys.size(), -1);
    if (keys.isEmpty() || at < 0)
        return landed;
    const ProgramProfile &p = *profile;
    int left = p.gridColumns, top = p.gridRows;
    for (const Key &k : keys) {
        left = std::min(left, p.column(k.index));
        top = std::min(top, p.row(k.index));
    }
    // Row by row, left to right, so that a key moved on past a merged key pushes the ones
    // after it rather than jumping over them.
    QList<qsizetype> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int ia = keys[a].index, ib = keys[b].index;
        return std::pair(p.row(ia), p.column(ia)) < std::pair(p.row(ib), p.column(ib));
    });
    QList<bool> taken(cells.size(), false);
    for (qsizetype k : order) {
        int column = p.column(at) + p.column(keys[k].index) - left;
        const int row = p.row(at) + p.row(keys[k].index) - top;
        const auto cellAt = [&](int c) {
            return c >= 0 && c < p.gridColumns && row >= 0 && row < p.gridRows
                       ? c * p.gridRows + row
                       : -1;
        };
        int cell = cellAt(column);
        while (cell >= 0 && (!cells.at(cell).Visible || taken.at(cell)))
            cell = cellAt(++column);
        if (cell >= 0 && cell < cells.size()) {
            taken[cell] = true;
            landed[k] = cell;
        }
    }
    return landed;
}

QByteArray KeyClip::toJson(const LabelCodec &codec) const
{
    QStringList lines;
    for (const Key &k : keys)
        lines << QStringLiteral("    ") + LayoutJson::keyObject(k.content, k.index, *profile, codec);
    return (QStringLiteral("{\n  \"format\": \"%1\",\n  \"version\": %2,\n  \"program\": \"%3\",\n"
                           "  \"keys\": [\n")
                .arg(QLatin1String(Format))
                .arg(Version)
                .arg(profile->name) +
            lines.join(QStringLiteral(",\n")) + QStringLiteral("\n  ]\n}\n"))
        .toUtf8();
}

QString KeyClip::toText(const LabelCodec &codec) const
{
    QString text;
    for (const Key &k : keys)
        text += LayoutText::codeListing(k.content, k.index, *profile, codec);
    return text;
}

std::optional<KeyClip> KeyClip::fromJson(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    const QJsonObject root = doc.object();
    if (parseError.error != QJsonParseError::NoError || !doc.isObject() ||
        root.value(QLatin1String("format")).toString() != QLatin1String(Format)) {
        *error = QStringLiteral("not keys as JSON of format \"%1\"").arg(QLatin1String(Format));
        return std::nullopt;
    }
    if (root.value(QLatin1String("version")).toInt(Version + 1) > Version) {
        *error = QStringLiteral("keys of a version newer than %1").arg(Version);
        return std::nullopt;
    }
    KeyClip clip;
    const QString program = root.value(QLatin1String("program")).toString();
    for (const ProgramProfile *p : ProgramProfile::all())
        if (p->name == program)
            clip.profile = p;
    if (!clip.profile) {
        *error = QStringLiteral("program: \"%1\" is no program of ours").arg(program);
        return std::nullopt;
    }
    const QJsonArray list = root.value(QLatin1String("keys")).toArray();
    if (list.size() > clip.profile->cellCount) {
        *error = QStringLiteral("keys: more than a layout holds");
        return std::nullopt;
    }
    for (int i = 0; i < list.size(); ++i) {
        const auto key = LayoutJson::readKeyObject(list[i], QStringLiteral("keys[%1]").arg(i),
                                                   *clip.profile, error);
        if (!key)
            return std::nullopt;
        if (std::any_of(clip.keys.begin(), clip.keys.end(),
                        [&](const Key &k) { return k.index == key->index; })) {
            *error = QStringLiteral("keys[%1].index: %2 comes twice").arg(i).arg(key->index);
            return std::nullopt;
        }
        clip.keys.append({key->index, key->cell});
    }
    return clip;
}

QMimeData *KeyClip::toMimeData(const LabelCodec &codec) const
{
    auto *data = new QMimeData;
    data->setData(QLatin1String(MimeType), toJson(codec));
    data->setText(toText(codec));
    return data;
}

std::optional<KeyClip> KeyClip::fromMimeData(const QMimeData &data)
{
    if (!data.hasFormat(QLatin1String(MimeType)))
        return std::nullopt;
    QString error;
    std::optional<KeyClip> clip = fromJson(data.data(QLatin1String(MimeType)), &error);
    if (clip && clip->keys.isEmpty())
        return std::nullopt;
    return clip;
}
