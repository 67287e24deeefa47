// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The one way every file the programs and tvrtool make is written: the whole new content or
// nothing, so that a full disk, a size limit or a refused folder never costs the old file.
class AtomicWriter
{
public:
    enum class Links
    {
        // A link to a regular file is written through: the file it names is replaced.
        WriteThrough,
        // Any link, dangling or not, is refused: what it points to lies elsewhere, and the user
        // named the link, not that.
        Refuse
    };

    // Writes bytes to path. Refuses a path that holds something other than a regular file (a
    // folder, a FIFO, a device node), since writing to it could hang or harm the system. The
    // new file takes the old one's place only once complete; where the folder does not let a
    // new file be made but the old one may be written, it is overwritten in place, and only
    // after room for the new content is reserved. On failure the reason, without the path,
    // goes to errorString.
    static bool write(const QString &path, const QByteArray &bytes, Links links,
                      QString *errorString = nullptr);

    // Writes all of bytes or reports failure; a short write counts as failure.
    static bool writeAll(QIODevice &device, const QByteArray &bytes);

    // Makes a write past the user's file-size limit fail instead of ending the program, for
    // the whole process. Start-up does it first thing; write() does it as well, so that the
    // core never depends on its caller for it.
    static void ignoreFileSizeSignal();
};
