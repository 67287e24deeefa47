// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QString>

// The programs' own wording, kept exactly as users of earlier versions know it, and the
// source of its translations: a box shows shown(Messages::X), the user's language.
namespace Messages {

inline constexpr char FileMissing[] =
    QT_TRANSLATE_NOOP("Messages", "Specified file does not exists.");
inline constexpr char FileInvalid[] = QT_TRANSLATE_NOOP("Messages", "Specified file is invalid.");
inline constexpr char OpenFailedAtStartUp[] =
    QT_TRANSLATE_NOOP("Messages", "Failed to open specified file.");
inline constexpr char LoadFailed[] = QT_TRANSLATE_NOOP("Messages", "Failed to load configuration.");
inline constexpr char SaveFailed[] = QT_TRANSLATE_NOOP("Messages", "Failed to save configuration.");
inline constexpr char OverwriteQuestion[] =
    QT_TRANSLATE_NOOP("Messages", "Specified file already exists.\nOverwrite it ?");
inline constexpr char CreateFailed[] = QT_TRANSLATE_NOOP("Messages", "Failed to create object(s).");
inline constexpr char SaveBeforeNew[] = QT_TRANSLATE_NOOP(
    "Messages",
    "Key Configuration has already been changed.\nSave it before load new configration ?");
inline constexpr char SaveBeforeLoad[] = QT_TRANSLATE_NOOP(
    "Messages",
    "Key Configuration has already been changed.\nSave it before load other configration?");
inline constexpr char SaveBeforeExit[] = QT_TRANSLATE_NOOP(
    "Messages", "Key Configuration has already been changed.\nSave it before exit ?");
inline constexpr char CodeLimit[] =
    QT_TRANSLATE_NOOP("Messages", "Cannot add codes beyond the limit.");
inline constexpr char ProgramCompleted[] = QT_TRANSLATE_NOOP("Messages", "Program completed.");
inline constexpr char ProgramFailed[] = QT_TRANSLATE_NOOP("Messages", "Failed to program.");
// Progress of a programming run: the packet number, and the attempt that was refused.
inline constexpr char NowProgramming[] = QT_TRANSLATE_NOOP("Messages", "Now programming (%d) ...");
inline constexpr char Waiting[] = QT_TRANSLATE_NOOP("Messages", "Waiting (%d - %d) ...");
// The version label; the program's version is the argument.
inline constexpr char Version[] = QT_TRANSLATE_NOOP("Messages", "Version %1");

inline QString shown(const char *message)
{
    return QCoreApplication::translate("Messages", message);
}

} // namespace Messages
