// SPDX-License-Identifier: MIT
#pragma once

#include "ConfigCheck.h"
#include "KeyCell.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

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
        Directory,
        NotAFile, // a FIFO, a device: anything but a directory or a regular file
        Invalid,
        OpenFailed,
        ReadFailed
    };

    struct LoadResult
    {
        LoadStatus status = LoadStatus::ReadFailed;
        QList<KeyCell> cells; // every cell of the grid, only when status is Loaded
        // Why a file was not loaded, for the user to mend it: the system's own reason when it
        // could not be opened or read; the file's size and first bytes when it is not this
        // program's kind; the first key that keeps it from loading.
        QString systemError;
        qint64 size = -1;
        QByteArray head;
        std::optional<ConfigProblem> refusal;
    };

    // Whether bytes form a file that the programs load, and why not. Load in both programs and
    // every tvrtool subcommand go by this one verdict, so they never disagree about a file.
    struct Verdict
    {
        enum class Reason
        {
            Loadable,
            WrongSize,
            WrongMagic,
            BadValues // problems holds what is wrong
        };
        Reason reason = Reason::WrongSize;
        QList<KeyCell> cells;          // once size and magic pass: the cells as they load
        QList<ConfigProblem> problems; // once size and magic pass: refusals and warnings
        bool loadable() const { return reason == Reason::Loadable; }
        // The first problem that keeps the file from loading, or null.
        const ConfigProblem *refusal() const;
    };
    static Verdict judge(QByteArrayView bytes, const ProgramProfile &profile);

    // What stands at a path, told without opening it: only a regular file is ever read, since
    // a FIFO waits for a writer that may never come and a device may never end.
    enum class FileKind
    {
        Missing,
        Regular,
        Directory,
        Other
    };
    static FileKind kindOf(const QString &path);

    static LoadResult load(const QString &path, const ProgramProfile &profile);
    // Reads an opened file whose size has passed its check.
    static LoadResult read(QIODevice &device, const ProgramProfile &profile);
    // Checks and decodes a whole file's bytes, by the verdict above.
    static LoadResult parse(QByteArrayView bytes, const ProgramProfile &profile);
    // The cells of a file whose size and magic have passed their checks, values unchecked.
    static QList<KeyCell> decode(QByteArrayView bytes, const ProgramProfile &profile);

    static QByteArray serialize(const QList<KeyCell> &cells, const ProgramProfile &profile);
    // Replaces the file at path through AtomicWriter: the old one survives any failure. A link
    // to a regular file is written through, as the save dialog offers it.
    // On failure the system's reason goes to errorString.
    static bool save(const QString &path, const QList<KeyCell> &cells,
                     const ProgramProfile &profile, QString *errorString = nullptr);
    // The save dialog's rule: a name typed without an extension gets the program's one.
    static QString withExtension(const QString &path, const QString &extension);
};
