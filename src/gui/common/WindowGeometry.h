// SPDX-License-Identifier: MIT
#pragma once

#include "profile/Command.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

struct ProgramProfile;

// How a program's windows are laid out, in pixels: the main window's client area, its tool bar,
// key cells and decorations, and the progress window's label. The program's facts are in its
// profile; this is only how its widgets show them.
struct WindowGeometry
{
    // Grid pitch and cell size on the main window: a key spanning n cells is n pitches wide, so
    // merged keys fill exactly the cells they cover.
    static constexpr int Pitch = 44;

    struct ToolButton
    {
        Command command;
        int left;
    };

    QSize clientSize; // main window client area below the menu
    QRect versionLabel;
    bool lockPicture;
    // The tool bar from left to right; a command not in it is in the menu only.
    QList<ToolButton> toolBar;

    QRect progressLabel;  // the label, in the progress window's 266 x 73 client area
    bool progressCentred; // the label's text centred, else left-aligned

    static const WindowGeometry &of(const ProgramProfile &profile);

    // The top-left corner of a cell on the main window's client area.
    QPoint cellPosition(const ProgramProfile &profile, int index) const;
    // Where the command's tool-bar button stands, or nothing where it has none.
    std::optional<int> toolButtonLeft(Command command) const;
};
