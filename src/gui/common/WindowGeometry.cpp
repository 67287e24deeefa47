// SPDX-License-Identifier: MIT
#include "WindowGeometry.h"

#include "profile/ProgramProfile.h"

namespace {

// Where the top-left cell stands on the main window, below the tool bar.
constexpr QPoint FirstCell(8, 41);

// Both tool bars begin alike, with the file commands, Label and Code; the rest follows.
QList<WindowGeometry::ToolButton> toolBar(std::initializer_list<WindowGeometry::ToolButton> rest)
{
    QList<WindowGeometry::ToolButton> bar{{Command::Exit, 8},    {Command::New, 40},
                                          {Command::Load, 64},   {Command::Save, 88},
                                          {Command::Label, 120}, {Command::Code, 144}};
    bar.append(QList<WindowGeometry::ToolButton>(rest));
    return bar;
}

const WindowGeometry KeyboardWindows{
    .clientSize = QSize(544, 384),
    .versionLabel = QRect(440, 360, 92, 15),
    .lockPicture = false,
    .toolBar = toolBar({{Command::Color, 168},
                        {Command::ProgOne, 200},
                        {Command::ProgAll, 224},
                        {Command::View, 256},
                        {Command::Print, 280}}),
    .progressLabel = QRect(16, 24, 233, 15),
    .progressCentred = true,
};

const WindowGeometry KeyLockWindows{
    .clientSize = QSize(324, 374),
    .versionLabel = QRect(216, 352, 97, 19),
    .lockPicture = true,
    .toolBar = toolBar({{Command::ProgOne, 176}, {Command::ProgAll, 200}}),
    .progressLabel = QRect(16, 24, 233, 17),
    .progressCentred = false,
};

} // namespace

const WindowGeometry &WindowGeometry::of(const ProgramProfile &profile)
{
    return profile.keyboard ? KeyboardWindows : KeyLockWindows;
}

QPoint WindowGeometry::cellPosition(const ProgramProfile &profile, int index) const
{
    return FirstCell + profile.place(index) * Pitch;
}

std::optional<int> WindowGeometry::toolButtonLeft(Command command) const
{
    for (const ToolButton &button : toolBar)
        if (button.command == command)
            return button.left;
    return std::nullopt;
}
