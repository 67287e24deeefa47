// SPDX-License-Identifier: MIT
#pragma once

#include "profile/Version.h"

// The programs' own wording, kept exactly as users of earlier versions know it.
namespace Messages {

inline constexpr char FileMissing[] = "Specified file does not exists.";
inline constexpr char FileInvalid[] = "Specified file is invalid.";
inline constexpr char OpenFailedAtStartUp[] = "Failed to open specified file.";
inline constexpr char LoadFailed[] = "Failed to load configuration.";
inline constexpr char SaveFailed[] = "Failed to save configuration.";
inline constexpr char OverwriteQuestion[] = "Specified file already exists.\nOverwrite it ?";
inline constexpr char CreateFailed[] = "Failed to create object(s).";
inline constexpr char SaveBeforeNew[] =
    "Key Configuration has already been changed.\nSave it before load new configration ?";
inline constexpr char SaveBeforeLoad[] =
    "Key Configuration has already been changed.\nSave it before load other configration?";
inline constexpr char SaveBeforeExit[] =
    "Key Configuration has already been changed.\nSave it before exit ?";
inline constexpr char CodeLimit[] = "Cannot add codes beyond the limit.";
inline constexpr char ProgramCompleted[] = "Program completed.";
inline constexpr char ProgramFailed[] = "Failed to program.";
// Progress of a programming run: the packet number, and the attempt that was refused.
inline constexpr char NowProgramming[] = "Now programming (%d) ...";
inline constexpr char Waiting[] = "Waiting (%d - %d) ...";
inline constexpr char Version[] = "Version " TAVRIN_VERSION;

} // namespace Messages
