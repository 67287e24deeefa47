// SPDX-License-Identifier: MIT
#pragma once

#include "keymodel/KeyCell.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class LabelCodec;
struct ProgramProfile;

// A layout as JSON: what export writes and import reads, in a versioned schema (documented in
// the README, and as a JSON Schema in data/schema/tvrtool-layout.schema.json). It carries every
// byte a configuration file keeps, so that import gives back the file a desktop program writes
// after loading the original: label bytes the text cannot hold and the code area's bytes past
// the codes travel beside the readable fields.
namespace LayoutJson {

inline constexpr char Format[] = "tvrtool-layout";
inline constexpr int Version = 1;
// A layout's JSON is about 20 KB; anything much larger is refused before it is parsed, which
// for a huge document would take many seconds.
inline constexpr qsizetype MaxDocumentSize = 1024 * 1024;

// One key a line, in index order. Labels are read in codec's code page.
QByteArray write(const QList<KeyCell> &cells, const ProgramProfile &profile,
                 const LabelCodec &codec);

struct ReadResult
{
    const ProgramProfile *profile = nullptr;
    QList<KeyCell> cells;
    QString error;        // with the path of the field at fault, such as "keys[12].colSpan: ..."
    QStringList warnings; // what the file may hold but would not program as it reads

    bool ok() const { return error.isEmpty(); }
};

// Refuses anything a configuration file cannot hold or a desktop program would refuse to load,
// by the programs' own verdict on the file it makes. The cells are those the file loads as.
ReadResult read(const QByteArray &json);

} // namespace LayoutJson
