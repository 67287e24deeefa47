// SPDX-License-Identifier: MIT
#include "ProgramProfile.h"

#include "CellCounts.h"

#include "keymodel/KeyRecord.h"

#include <QCoreApplication>

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
        .openFilter = QStringLiteral(QT_TRANSLATE_NOOP("ProgramProfile", "Tavrin Keyboard Config file(*tvr)|*.tvr")),
        .saveFilter = QStringLiteral(QT_TRANSLATE_NOOP("ProgramProfile", "Tavrin Keyboard Config file(*.tvr)|*.tvr")),
        .rowOrder = {},
        .commands = {Command::Exit, Command::New, Command::Load, Command::Save, Command::Label,
                     Command::Code, Command::Color, Command::ProgOne, Command::ProgAll,
                     Command::View, Command::Print, Command::TestKeys},
        .name = QStringLiteral("Tavrin"),
        .description =
            QStringLiteral(QT_TRANSLATE_NOOP("ProgramProfile", "Edits, saves and programs the keys of the point-of-sale keyboard.")),
        .loadOpenFailureText = QStringLiteral(QT_TRANSLATE_NOOP("ProgramProfile", "Failed to open spesified file.")),
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
        .openFilter = QStringLiteral(QT_TRANSLATE_NOOP("ProgramProfile", "Key Lock Config file(*.qld)|*.qld")),
        .saveFilter = QStringLiteral(QT_TRANSLATE_NOOP("ProgramProfile", "Key Lock Config file(*.qld)|*.qld")),
        // The lock's positions read 5, 6, 0, 1, ... from the left, as the switch turns.
        .rowOrder = {5, 6, 0, 1, 2, 3, 4},
        .commands = {Command::Exit, Command::New, Command::Load, Command::Save, Command::Label,
                     Command::Code, Command::ProgOne, Command::ProgAll, Command::TestKeys},
        .name = QStringLiteral("Quelda"),
        .description = QStringLiteral(QT_TRANSLATE_NOOP(
            "ProgramProfile",
            "Edits, saves and programs the positions of the point-of-sale keyboard's key lock.")),
        .loadOpenFailureText = QStringLiteral(QT_TRANSLATE_NOOP("ProgramProfile", "Failed to open specified file.")),
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

QPoint ProgramProfile::place(int index) const
{
    if (!rowOrder.isEmpty())
        return QPoint(int(rowOrder.indexOf(index)), 0);
    return QPoint(column(index), row(index));
}

QByteArray ProgramProfile::defaultLabel(int index) const
{
    return QByteArray::number(index + defaultLabelBase);
}

QString ProgramProfile::keyPlace(int index) const
{
    if (!keyboard)
        return QCoreApplication::translate("ProgramProfile", "key %1").arg(keyNumber(index));
    return QCoreApplication::translate("ProgramProfile", "key %1 (column %2, row %3)")
        .arg(keyNumber(index))
        .arg(column(index))
        .arg(row(index));
}

qint64 ProgramProfile::fileSize() const
{
    return magic.size() + qint64(cellCount) * KeyRecord::Size;
}

QString ProgramProfile::shown(const QString &text)
{
    return QCoreApplication::translate("ProgramProfile", text.toUtf8().constData());
}
