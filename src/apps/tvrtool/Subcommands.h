// SPDX-License-Identifier: MIT
#pragma once

#include "ToolIo.h"

#include <QStringList>

// The subcommands, each in a file of its own. Each takes the arguments after its name and
// returns the exit status.
int showCommand(const QStringList &arguments, ToolIo &io);
int checkCommand(const QStringList &arguments, ToolIo &io);
int exportCommand(const QStringList &arguments, ToolIo &io);
int importCommand(const QStringList &arguments, ToolIo &io);
int diffCommand(const QStringList &arguments, ToolIo &io);
int renderCommand(const QStringList &arguments, ToolIo &io);
int programCommand(const QStringList &arguments, ToolIo &io);
int matchCommand(const QStringList &arguments, ToolIo &io);
int setCommand(const QStringList &arguments, ToolIo &io);
int copyCommand(const QStringList &arguments, ToolIo &io);
int swapCommand(const QStringList &arguments, ToolIo &io);
