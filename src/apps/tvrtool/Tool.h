// SPDX-License-Identifier: MIT
#pragma once

#include "ToolIo.h"

#include <QStringList>

// tvrtool's command line: the subcommand named first, then its own arguments.
namespace Tool {

// arguments without the program's own name. Returns the exit status.
int run(const QStringList &arguments, ToolIo &io);

// Whether the subcommand draws, and so needs the GUI application object.
bool needsGui(const QStringList &arguments);

} // namespace Tool
