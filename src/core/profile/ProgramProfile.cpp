#include "ProgramProfile.h"

#include "keymodel/KeyCell.h"
#include "keymodel/KeyRecord.h"

const ProgramProfile &ProgramProfile::tavrin()
{
    static const ProgramProfile p{
        .name = QStringLiteral("Tavrin"),
        .description =
            QStringLiteral("Edits, saves and programs the keys of the point-of-sale keyboard."),
        .cellCount = 84,
        .gridColumns = 12,
        .gridRows = 7,
        .placement = Placement::Columns,
        .defaultLabelBase = 1,
        .magic = QByteArrayLiteral("TVRN"),
        .extension = QStringLiteral("tvr"),
        .keyNumberBase = 8,
        .mergeable = true,
        .clientSize = QSize(544, 384),
        .versionLabel = QRect(440, 360, 92, 15),
        .lockPicture = false,
        .openFilter = QStringLiteral("Tavrin Keyboard Config file(*tvr)|*.tvr"),
        .saveFilter = QStringLiteral("Tavrin Keyboard Config file(*.tvr)|*.tvr"),
        .loadOpenFailureText = QStringLiteral("Failed to open spesified file."),
        .toolButtonLeft = {8, 40, 64, 88, 120, 144, 168, 200, 224, 256, 280},
        .progressLabel = QRect(16, 24, 233, 15),
        .progressCentred = true,
    };
    return p;
}

const ProgramProfile &ProgramProfile::quelda()
{
    static const ProgramProfile p{
        .name = QStringLiteral("Quelda"),
        .description = QStringLiteral(
            "Edits, saves and programs the positions of the point-of-sale keyboard's key lock."),
        .cellCount = 7,
        .gridColumns = 7,
        .gridRows = 1,
        .placement = Placement::LockRow,
        .defaultLabelBase = 0,
        .magic = QByteArrayLiteral("MGKY"),
        .extension = QStringLiteral("qld"),
        .keyNumberBase = 112,
        .mergeable = false,
        .clientSize = QSize(324, 374),
        .versionLabel = QRect(216, 352, 97, 19),
        .lockPicture = true,
        .openFilter = QStringLiteral("Key Lock Config file(*.qld)|*.qld"),
        .saveFilter = QStringLiteral("Key Lock Config file(*.qld)|*.qld"),
        .loadOpenFailureText = QStringLiteral("Failed to open specified file."),
        .toolButtonLeft = {8, 40, 64, 88, 120, 144, -1, 176, 200, -1, -1},
        .progressLabel = QRect(16, 24, 233, 17),
        .progressCentred = false,
    };
    return p;
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

qint64 ProgramProfile::fileSize() const
{
    return magic.size() + qint64(cellCount) * KeyRecord::Size;
}
