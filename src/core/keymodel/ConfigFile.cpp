// SPDX-License-Identifier: MIT
#include "ConfigFile.h"

#include "AtomicWriter.h"
#include "ConfigCheck.h"
#include "KeyRecord.h"
#include "profile/ProgramProfile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

ConfigFile::LoadResult ConfigFile::load(const QString &path, const ProgramProfile &profile)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {LoadStatus::Missing, {}};
    if (info.size() != profile.fileSize())
        return {LoadStatus::Invalid, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {LoadStatus::OpenFailed, {}};
    return read(file, profile);
}

ConfigFile::LoadResult ConfigFile::read(QIODevice &device, const ProgramProfile &profile)
{
    const QByteArray magic = device.read(profile.magic.size());
    if (magic.size() != profile.magic.size())
        return {LoadStatus::ReadFailed, {}};
    if (magic != profile.magic)
        return {LoadStatus::Invalid, {}};
    const qint64 recordBytes = profile.fileSize() - magic.size();
    const QByteArray records = device.read(recordBytes);
    // The file may have shrunk since its size was checked; that is a failed read, not a bad file.
    if (records.size() != recordBytes)
        return {LoadStatus::ReadFailed, {}};
    return parse(magic + records, profile);
}

const ConfigProblem *ConfigFile::Verdict::refusal() const
{
    const auto found = std::find_if(problems.begin(), problems.end(),
                                    [](const ConfigProblem &p) { return p.refusesLoad(); });
    return found == problems.end() ? nullptr : &*found;
}

ConfigFile::Verdict ConfigFile::judge(QByteArrayView bytes, const ProgramProfile &profile)
{
    Verdict v;
    if (bytes.size() != profile.fileSize())
        return v;
    if (!bytes.startsWith(profile.magic)) {
        v.reason = Verdict::Reason::WrongMagic;
        return v;
    }
    v.cells = decode(bytes, profile);
    v.problems = ConfigCheck::problems(v.cells, profile);
    v.reason = v.refusal() ? Verdict::Reason::BadValues : Verdict::Reason::Loadable;
    // A hidden cell's spans mean nothing while it is hidden, but merging takes them as they
    // stand once a key grows over the cell. Spans 1 keep every later merge and split sound, so
    // that whatever the programs save from here, they load again.
    if (v.loadable()) {
        for (KeyCell &k : v.cells)
            if (!k.Visible)
                k.ColSpan = k.RowSpan = 1;
    }
    return v;
}

ConfigFile::LoadResult ConfigFile::parse(QByteArrayView bytes, const ProgramProfile &profile)
{
    Verdict v = judge(bytes, profile);
    if (!v.loadable())
        return {LoadStatus::Invalid, {}};
    return {LoadStatus::Loaded, std::move(v.cells)};
}

QList<KeyCell> ConfigFile::decode(QByteArrayView bytes, const ProgramProfile &profile)
{
    Q_ASSERT(bytes.size() == profile.fileSize());
    QList<KeyCell> cells;
    cells.reserve(profile.cellCount);
    for (int i = 0; i < profile.cellCount; ++i) {
        const qsizetype at = profile.magic.size() + qsizetype(i) * KeyRecord::Size;
        cells.append(KeyRecord::ReadKeyRecord(bytes.sliced(at, KeyRecord::Size)));
    }
    return cells;
}

QByteArray ConfigFile::serialize(const QList<KeyCell> &cells, const ProgramProfile &profile)
{
    QByteArray bytes = profile.magic;
    bytes.reserve(profile.fileSize());
    for (const KeyCell &k : cells)
        KeyRecord::WriteKeyRecord(k, bytes);
    return bytes;
}

bool ConfigFile::save(const QString &path, const QList<KeyCell> &cells,
                      const ProgramProfile &profile)
{
    return AtomicWriter::write(path, serialize(cells, profile), AtomicWriter::Links::WriteThrough);
}

QString ConfigFile::withExtension(const QString &path, const QString &extension)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path.endsWith(u'.') ? path + extension : path + u'.' + extension;
}
