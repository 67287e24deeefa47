// SPDX-License-Identifier: MIT
#pragma once

#include "LayoutSource.h"

#include "keymodel/KeyDocument.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

class SubcommandParser;
struct ToolIo;

// What set, copy and swap share: keys named by the number their faces show, a layout loaded into
// the same document the desktop programs edit, and the result written whole, in place or to -o.
namespace LayoutEdit {

// The cell of the key a number names, after "key " as people read it; reports otherwise. Only
// shown keys can be edited: a cell under a merged key is part of that key.
std::optional<int> keyIndex(const QString &number, const LayoutSource &layout,
                            const QString &subcommand, ToolIo &io);
// "KEY" or "FIRST-LAST": the shown keys of the rectangle from one key to the other.
std::optional<QList<int>> keyRange(const QString &range, const LayoutSource &layout,
                                   const QString &subcommand, ToolIo &io);

// The layout at path, loaded for editing; reports and gives nothing when it does not load.
struct Loaded
{
    LayoutSource source;
    std::unique_ptr<KeyDocument> document;
};
std::optional<Loaded> load(const QString &path, ToolIo &io);

// Writes the edited layout to -o, or back to the file it came from. Standard input has no file
// to go back to: it needs -o.
bool save(const Loaded &layout, const SubcommandParser &parser, ToolIo &io);

} // namespace LayoutEdit
