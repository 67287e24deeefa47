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
    Print
};
inline constexpr int CommandCount = 11;
