#pragma once

#include "KeyCell.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;
struct ProgramProfile;

// Reading and writing the configuration file of a whole key grid: the program's magic followed
// by one key record per cell. Loading is all or nothing, so a bad file never touches the grid.
class ConfigFile
{
public:
    enum class LoadStatus
    {
        Loaded,
        Missing,
        Invalid,
        OpenFailed,
        ReadFailed
    };

    struct LoadResult
    {
        LoadStatus status = LoadStatus::ReadFailed;
        QList<KeyCell> cells; // every cell of the grid, only when status is Loaded
    };

    static LoadResult load(const QString &path, const ProgramProfile &profile);
    // Reads an opened file whose size has passed its check.
    static LoadResult read(QIODevice &device, const ProgramProfile &profile);
    // Checks and decodes a whole file's bytes.
    static LoadResult parse(const QByteArray &bytes, const ProgramProfile &profile);
    // The cells of a file whose size and magic have passed their checks, values unchecked.
    static QList<KeyCell> decode(const QByteArray &bytes, const ProgramProfile &profile);
    // Values that merging and the programming run index the grid and the code area by, and
    // keys that do not overlap; ConfigCheck says what is wrong when they are not.
    static bool valuesAcceptable(const QList<KeyCell> &cells, const ProgramProfile &profile);

    static QByteArray serialize(const QList<KeyCell> &cells, const ProgramProfile &profile);
    // Makes a write past the user's file-size limit fail instead of ending the program, for
    // the whole process. Start-up does it first thing; save() does it as well, so that the
    // core never depends on its caller for it.
    static void ignoreFileSizeSignal();
    // Replaces the file at path only once the whole new file is written; the old one survives
    // any failure, unless the folder lets it be written only in place. Refuses a path that holds
    // something other than a regular file.
    static bool save(const QString &path, const QList<KeyCell> &cells,
                     const ProgramProfile &profile);
    // The save dialog's rule: a name typed without an extension gets the program's one.
    static QString withExtension(const QString &path, const QString &extension);
    // Writes all of bytes or reports failure; a short write counts as failure.
    static bool writeAll(QIODevice &device, const QByteArray &bytes);
};
