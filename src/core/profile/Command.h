// SPDX-License-Identifier: MIT
#pragma once

// The commands of the main window, in tool-bar order.
enum class Command
{
    Exit,
    New,
    Load,
    Save,
    Label,
    Code,
    Color,
    ProgOne,
    ProgAll,
    View,
    Print,
    TestKeys
};
inline constexpr int CommandCount = 12;
