// SPDX-License-Identifier: MIT
#include "ConfigFile.h"

#include "AtomicWriter.h"
#include "ConfigCheck.h"
#include "KeyRecord.h"
#include "profile/ProgramProfile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

ConfigFile::LoadResult status(ConfigFile::LoadStatus status)
{
    ConfigFile::LoadResult r;
    r.status = status;
    return r;
}

} // namespace

ConfigFile::FileKind ConfigFile::kindOf(const QString &path)
{
    const QFileInfo info(path); // a link counts as what it leads to
    if (!info.exists())
        return FileKind::Missing;
    if (info.isDir())
        return FileKind::Directory;
    return info.isFile() ? FileKind::Regular : FileKind::Other;
}

ConfigFile::LoadResult ConfigFile::load(const QString &path, const ProgramProfile &profile)
{
    switch (kindOf(path)) {
    case FileKind::Missing:
        return status(LoadStatus::Missing);
    case FileKind::Directory:
        return status(LoadStatus::Directory);
    case FileKind::Other:
        return status(LoadStatus::NotAFile);
    case FileKind::Regular:
        break;
    }
    const QFileInfo info(path);
    QFile file(path);
    if (info.size() != profile.fileSize()) {
        LoadResult wrong = status(LoadStatus::Invalid);
        wrong.size = info.size();
        // Only to say what the file is instead; a file that cannot be read is still invalid.
        if (file.open(QIODevice::ReadOnly))
            wrong.head = file.read(profile.magic.size());
        return wrong;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        LoadResult failed = status(LoadStatus::OpenFailed);
        failed.systemError = file.errorString();
        return failed;
    }
    LoadResult result = read(file, profile);
    if (result.status == LoadStatus::ReadFailed)
        result.systemError = file.errorString();
    return result;
}

ConfigFile::LoadResult ConfigFile::read(QIODevice &device, const ProgramProfile &profile)
{
    const QByteArray magic = device.read(profile.magic.size());
    if (magic.size() != profile.magic.size())
        return status(LoadStatus::ReadFailed);
    if (magic != profile.magic) {
        LoadResult wrong = status(LoadStatus::Invalid);
        wrong.size = profile.fileSize();
        wrong.head = magic;
        return wrong;
    }
    const qint64 recordBytes = profile.fileSize() - magic.size();
    const QByteArray records = device.read(recordBytes);
    // The file may have shrunk since its size was checked; that is a failed read, not a bad file.
    if (records.size() != recordBytes)
        return status(LoadStatus::ReadFailed);
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
    if (!v.loadable()) {
        LoadResult wrong = status(LoadStatus::Invalid);
        wrong.size = bytes.size();
        wrong.head = bytes.first(std::min(bytes.size(), profile.magic.size())).toByteArray();
        if (const ConfigProblem *p = v.refusal())
            wrong.refusal = *p;
        return wrong;
    }
    LoadResult loaded = status(LoadStatus::Loaded);
    loaded.cells = std::move(v.cells);
    return loaded;
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
                      const ProgramProfile &profile, QString *errorString)
{
    return AtomicWriter::write(path, serialize(cells, profile), AtomicWriter::Links::WriteThrough,
                               errorString);
}

QString ConfigFile::withExtension(const QString &path, const QString &extension)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path.endsWith(u'.') ? path + extension : path + u'.' + extension;
}
