// SPDX-License-Identifier: MIT
#include "ProgramProfile.h"

#include "CellCounts.h"

#include "keymodel/KeyCell.h"
#include "keymodel/KeyRecord.h"

const ProgramProfile &ProgramProfile::tavrin()
{
    static const ProgramProfile p{
        .cellCount = CellCounts::Keyboard,
        .gridColumns = CellCounts::KeyboardColumns,
        .gridRows = CellCounts::KeyboardRows,
        .defaultLabelBase = 1,
        .keyNumberBase = 8,
        .keyboard = true,
        .magic = QByteArrayLiteral("TVRN"),
        .extension = QStringLiteral("tvr"),
        .openFilter = QStringLiteral("Tavrin Keyboard Config file(*tvr)|*.tvr"),
        .saveFilter = QStringLiteral("Tavrin Keyboard Config file(*.tvr)|*.tvr"),
        .placement = Placement::Columns,
        .clientSize = QSize(544, 384),
        .versionLabel = QRect(440, 360, 92, 15),
        .lockPicture = false,
        .toolButtonLeft = {8, 40, 64, 88, 120, 144, 168, 200, 224, 256, 280, MenuOnly},
        .progressLabel = QRect(16, 24, 233, 15),
        .progressCentred = true,
        .name = QStringLiteral("Tavrin"),
        .description =
            QStringLiteral("Edits, saves and programs the keys of the point-of-sale keyboard."),
        .loadOpenFailureText = QStringLiteral("Failed to open spesified file."),
    };
    return p;
}

const ProgramProfile &ProgramProfile::quelda()
{
    static const ProgramProfile p{
        .cellCount = CellCounts::KeyLock,
        .gridColumns = CellCounts::KeyLock,
        .gridRows = 1,
        .defaultLabelBase = 0,
        .keyNumberBase = 112,
        .keyboard = false,
        .magic = QByteArrayLiteral("MGKY"),
        .extension = QStringLiteral("qld"),
        .openFilter = QStringLiteral("Key Lock Config file(*.qld)|*.qld"),
        .saveFilter = QStringLiteral("Key Lock Config file(*.qld)|*.qld"),
        .placement = Placement::LockRow,
        .clientSize = QSize(324, 374),
        .versionLabel = QRect(216, 352, 97, 19),
        .lockPicture = true,
        .toolButtonLeft = {8, 40, 64, 88, 120, 144, -1, 176, 200, -1, -1, MenuOnly},
        .progressLabel = QRect(16, 24, 233, 17),
        .progressCentred = false,
        .name = QStringLiteral("Quelda"),
        .description = QStringLiteral(
            "Edits, saves and programs the positions of the point-of-sale keyboard's key lock."),
        .loadOpenFailureText = QStringLiteral("Failed to open specified file."),
    };
    return p;
}

const std::array<const ProgramProfile *, 2> &ProgramProfile::all()
{
    static const std::array<const ProgramProfile *, 2> programs{&tavrin(), &quelda()};
    return programs;
}

const ProgramProfile *ProgramProfile::forFileStart(QByteArrayView bytes)
{
    for (const ProgramProfile *p : all())
        if (bytes.startsWith(p->magic))
            return p;
    return nullptr;
}

QPoint ProgramProfile::cellPosition(int index) const
{
    if (placement == Placement::LockRow)
        // The lock's positions read 5, 6, 0, 1, ... from the left, as the switch turns.
        return QPoint(((index + 2) % 7) * KeyCell::Pitch + 8, 41);
    return QPoint((index / gridRows) * KeyCell::Pitch + 8,
                  (index % gridRows) * KeyCell::Pitch + 41);
}

QByteArray ProgramProfile::defaultLabel(int index) const
{
    return QByteArray::number(index + defaultLabelBase);
}

QString ProgramProfile::keyPlace(int index) const
{
    if (!keyboard)
        return QStringLiteral("position %1").arg(index);
    return QStringLiteral("key %1 (column %2, row %3)").arg(index).arg(column(index)).arg(row(index));
}

qint64 ProgramProfile::fileSize() const
{
    return magic.size() + qint64(cellCount) * KeyRecord::Size;
}
