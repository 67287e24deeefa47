// SPDX-License-Identifier: MIT
#include "AtomicWriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <csignal>
#include <cstring>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

namespace {

bool failed(QString *errorString, const QString &why)
{
    if (errorString)
        *errorString = why;
    return false;
}

// For a writable file in a folder where no new file may be made. Truncating first and then
// writing would leave the old file cut short if the disk filled; reserving the room first
// means that once the reservation holds, the write itself cannot run out of space.
bool writeInPlace(const QString &path, const QByteArray &bytes, QString *errorString)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return failed(errorString, file.errorString());
#ifdef Q_OS_LINUX
    if (!bytes.isEmpty()) {
        if (const int error = posix_fallocate(file.handle(), 0, bytes.size()); error != 0)
            return failed(errorString, QString::fromLocal8Bit(std::strerror(error)));
    }
#endif
    if (!AtomicWriter::writeAll(file, bytes) || !file.resize(bytes.size()))
        return failed(errorString, file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        return failed(errorString, file.errorString());
    return true;
}

} // namespace

bool AtomicWriter::write(const QString &path, const QByteArray &bytes, Links links,
                         QString *errorString)
{
    ignoreFileSizeSignal();
    const QFileInfo target(path);
    if (target.isSymLink() && links == Links::Refuse)
        return failed(errorString,
                      QCoreApplication::translate(
                          "AtomicWriter", "it is a symbolic link (to %1); name the file itself")
                          .arg(target.symLinkTarget()));
    if (target.isSymLink() && !target.exists())
        return failed(errorString, QCoreApplication::translate(
                                       "AtomicWriter", "it is a symbolic link to nothing (%1)")
                                       .arg(target.symLinkTarget()));
    // A FIFO or a device node would be replaced by a regular file, or, written to, could hang
    // the program or fail where nobody sees it. Leave such a thing alone.
    if (target.exists() && !target.isFile())
        return failed(errorString,
                      QCoreApplication::translate("AtomicWriter", "it is not a regular file"));
    // Where a link leads, the file it names is the one replaced, in that file's folder.
    const QFileInfo file(target.exists() ? target.canonicalFilePath() : path);
    if (file.exists() && !QFileInfo(file.absolutePath()).isWritable())
        return writeInPlace(file.filePath(), bytes, errorString);

    QSaveFile save(file.filePath());
    // Unbuffered, so that a write cut short by a full disk shows in write()'s count; a buffered
    // flush at commit can lose that and put a truncated file in place of the old one.
    if (!save.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(errorString, save.errorString());
    if (!writeAll(save, bytes)) {
        const QString why = save.errorString();
        save.cancelWriting();
        return failed(errorString, why);
    }
    if (!save.commit())
        return failed(errorString, save.errorString());
    return true;
}

bool AtomicWriter::writeAll(QIODevice &device, const QByteArray &bytes)
{
    return device.write(bytes) == bytes.size();
}

void AtomicWriter::ignoreFileSizeSignal()
{
#ifdef SIGXFSZ
    // By default the system ends a program whose write passes the user's file-size limit. With
    // the signal ignored the write fails instead, the save reports it, and no work is lost.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}
