#include "ConfigFile.h"

#include "ConfigCheck.h"
#include "KeyRecord.h"
#include "profile/ProgramProfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <csignal>

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

ConfigFile::LoadResult ConfigFile::parse(const QByteArray &bytes, const ProgramProfile &profile)
{
    if (bytes.size() != profile.fileSize() || !bytes.startsWith(profile.magic))
        return {LoadStatus::Invalid, {}};
    LoadResult result{LoadStatus::Loaded, decode(bytes, profile)};
    if (!valuesAcceptable(result.cells, profile))
        return {LoadStatus::Invalid, {}};
    return result;
}

QList<KeyCell> ConfigFile::decode(const QByteArray &bytes, const ProgramProfile &profile)
{
    Q_ASSERT(bytes.size() == profile.fileSize());
    QList<KeyCell> cells;
    cells.reserve(profile.cellCount);
    for (int i = 0; i < profile.cellCount; ++i) {
        const qsizetype at = profile.magic.size() + qsizetype(i) * KeyRecord::Size;
        cells.append(KeyRecord::ReadKeyRecord(QByteArrayView(bytes).sliced(at, KeyRecord::Size)));
    }
    return cells;
}

bool ConfigFile::valuesAcceptable(const QList<KeyCell> &cells, const ProgramProfile &profile)
{
    const QList<ConfigProblem> found = ConfigCheck::problems(cells, profile);
    return std::none_of(found.begin(), found.end(),
                        [](const ConfigProblem &p) { return p.refusesLoad(); });
}

QByteArray ConfigFile::serialize(const QList<KeyCell> &cells, const ProgramProfile &profile)
{
    QByteArray bytes = profile.magic;
    bytes.reserve(profile.fileSize());
    for (const KeyCell &k : cells)
        KeyRecord::WriteKeyRecord(k, bytes);
    return bytes;
}

void ConfigFile::ignoreFileSizeSignal()
{
#ifdef SIGXFSZ
    // By default the system ends a program whose write passes the user's file-size limit. With
    // the signal ignored the write fails instead, the save reports it, and no work is lost.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

bool ConfigFile::save(const QString &path, const QList<KeyCell> &cells,
                      const ProgramProfile &profile)
{
    ignoreFileSizeSignal();
    const QFileInfo target(path);
    // A FIFO or a device node would be replaced by a regular file, or, written to, could hang
    // the program or fail where nobody sees it. Leave such a thing alone.
    if (target.exists() && !target.isFile())
        return false;
    QSaveFile file(path);
    // The new file is written beside the old one and takes its place only when complete. Where
    // the folder does not let us create that file but the old one may be written, overwrite it
    // in place, as users of this folder have always been able to.
    file.setDirectWriteFallback(target.exists() && !QFileInfo(target.absolutePath()).isWritable());
    // Unbuffered, so that a write cut short by a full disk shows in write()'s count; a buffered
    // flush at commit can lose that and put a truncated file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (!writeAll(file, serialize(cells, profile))) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool ConfigFile::writeAll(QIODevice &device, const QByteArray &bytes)
{
    return device.write(bytes) == bytes.size();
}

QString ConfigFile::withExtension(const QString &path, const QString &extension)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path.endsWith(u'.') ? path + extension : path + u'.' + extension;
}
