// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QMenuBar;
class QWidget;
struct ProgramProfile;

// The Help menu: what the program is, its version and licence, and the toolkit's own box.
namespace HelpMenu {

void add(QMenuBar &bar, const ProgramProfile &profile, QWidget *window);
// The About box's text.
QString aboutText(const ProgramProfile &profile);

} // namespace HelpMenu
