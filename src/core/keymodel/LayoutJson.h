// SPDX-License-Identifier: MIT
#pragma once

#include "KeyCell.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QJsonValue;

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

// One key as an object on a line of its own, as write() lists it.
QString keyObject(const KeyCell &key, int index, const ProgramProfile &profile,
                  const LabelCodec &codec);

// A key object read on its own: where it stood, and its label, colour and codes (its spans and
// visibility stay with the layout it came from). error names the field at fault, under path.
struct KeyObject
{
    int index = -1;
    KeyCell cell;
};
std::optional<KeyObject> readKeyObject(const QJsonValue &value, const QString &path,
                                       const ProgramProfile &profile, QString *error);

// Refuses anything a configuration file cannot hold or a desktop program would refuse to load,
// by the programs' own verdict on the file it makes. The cells are those the file loads as.
ReadResult read(const QByteArray &json);

} // namespace LayoutJson
