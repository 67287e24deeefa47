// SPDX-License-Identifier: MIT
#include "LayoutEdit.h"

#include "SubcommandParser.h"
#include "ToolIo.h"
#include "keymodel/ConfigFile.h"
#include "keymodel/KeyGrid.h"
#include "profile/ProgramProfile.h"

#include <algorithm>

namespace LayoutEdit {

std::optional<int> keyIndex(const QString &number, const LayoutSource &layout,
                            const QString &subcommand, ToolIo &io)
{
    const ProgramProfile &profile = *layout.profile;
    bool ok = false;
    const int index = profile.indexOfKey(number.toInt(&ok));
    if (!ok || index < 0) {
        io.error(QStringLiteral("%1: \"%2\" is no key of a %3 layout, which has keys %4 to %5")
                     .arg(subcommand, number, profile.name)
                     .arg(profile.keyNumber(0))
                     .arg(profile.keyNumber(profile.cellCount - 1)));
        return std::nullopt;
    }
    if (!layout.cells.at(index).Visible) {
        io.error(QStringLiteral("%1: key %2 lies under a merged key").arg(subcommand, number));
        return std::nullopt;
    }
    return index;
}

std::optional<QList<int>> keyRange(const QString &range, const LayoutSource &layout,
                                   const QString &subcommand, ToolIo &io)
{
    const QStringList ends = range.split(u'-');
    if (ends.size() > 2) {
        io.error(QStringLiteral("%1: \"%2\" is no key and no range such as 1-14")
                     .arg(subcommand, range));
        return std::nullopt;
    }
    const std::optional<int> first = keyIndex(ends.first(), layout, subcommand, io);
    const std::optional<int> last =
        first ? keyIndex(ends.last(), layout, subcommand, io) : std::nullopt;
    if (!last)
        return std::nullopt;
    const ProgramProfile &p = *layout.profile;
    QList<int> keys;
    for (int i = 0; i < p.cellCount; ++i) {
        const auto within = [&](int v, int a, int b) {
            return v >= std::min(a, b) && v <= std::max(a, b);
        };
        if (layout.cells.at(i).Visible &&
            within(p.column(i), p.column(*first), p.column(*last)) &&
            within(p.row(i), p.row(*first), p.row(*last)))
            keys.append(i);
    }
    return keys;
}

std::optional<Loaded> load(const QString &path, ToolIo &io)
{
    Loaded layout{LayoutSource::readOrReport(path, io), nullptr};
    if (!layout.source.loaded())
        return std::nullopt;
    layout.document = std::make_unique<KeyDocument>(*layout.source.profile);
    layout.document->load(layout.source.cells, path);
    return layout;
}

bool save(const Loaded &layout, const SubcommandParser &parser, ToolIo &io)
{
    const QString out = parser.outputPath();
    const QString target = out.isEmpty() ? layout.source.path : out;
    if (target == QLatin1String("-")) {
        io.error(QStringLiteral("%1: -o FILE names the configuration file to write; a layout "
                                "read from standard input has no file to go back to")
                     .arg(parser.name()));
        return false;
    }
    const QByteArray bytes =
        ConfigFile::serialize(layout.document->grid().cells(), *layout.source.profile);
    return SubcommandParser::writeFile(target, bytes, io);
}

} // namespace LayoutEdit
