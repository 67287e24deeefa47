// SPDX-License-Identifier: MIT
#include "NativeKeys.h"

#include <algorithm>
#include <array>

namespace {

struct Scan
{
    quint8 scan;
    bool extended;
};

constexpr quint8 PauseScan = 0x45;
constexpr quint8 BreakScan = 0x46;
constexpr quint8 SysRqScan = 0x54;

// Linux input key codes (linux/input-event-codes.h) whose scan byte is not the code itself.
enum LinuxKey : quint32
{
    LinuxNumLock = 69,
    LinuxZenkakuHankaku = 85,
    LinuxRo = 89,
    LinuxHenkan = 92,
    LinuxKatakanaHiragana = 93,
    LinuxMuhenkan = 94,
    LinuxKeypadEnter = 96,
    LinuxRightCtrl = 97,
    LinuxKeypadSlash = 98,
    LinuxPrintScreen = 99,
    LinuxRightAlt = 100,
    LinuxHome = 102, // to Delete (111): the separate navigation and arrow block
    LinuxDelete = 111,
    LinuxPause = 119,
    LinuxYen = 124,
    LinuxLeftMeta = 125,
    LinuxRightMeta = 126,
    LinuxCompose = 127,
};

// Home, Up, Page Up, Left, Right, End, Down, Page Down, Insert, Delete.
constexpr std::array<quint8, 10> NavigationScans{0x47, 0x48, 0x49, 0x4B, 0x4D,
                                                 0x4F, 0x50, 0x51, 0x52, 0x53};

std::optional<Scan> linuxKeyScan(quint32 code)
{
    switch (code) {
    case LinuxNumLock:
        return Scan{0x45, true};
    case LinuxZenkakuHankaku:
        return Scan{0x29, false};
    case LinuxRo:
        return Scan{0x73, false};
    case LinuxHenkan:
        return Scan{0x79, false};
    case LinuxKatakanaHiragana:
        return Scan{0x70, false};
    case LinuxMuhenkan:
        return Scan{0x7B, false};
    case LinuxYen:
        return Scan{0x7D, false};
    case LinuxKeypadEnter:
        return Scan{0x1C, true};
    case LinuxRightCtrl:
        return Scan{0x1D, true};
    case LinuxKeypadSlash:
        return Scan{0x35, true};
    case LinuxPrintScreen:
        return Scan{0x37, true};
    case LinuxRightAlt:
        return Scan{0x38, true};
    case LinuxPause:
        return Scan{PauseScan, false};
    case LinuxLeftMeta:
        return Scan{0x5B, true};
    case LinuxRightMeta:
        return Scan{0x5C, true};
    case LinuxCompose:
        return Scan{0x5D, true};
    default:
        break;
    }
    // The main block, function keys and keypad keep the scan byte of the PC keyboard.
    if (code >= 1 && code <= 88)
        return Scan{quint8(code), false};
    if (code >= LinuxHome && code <= LinuxDelete)
        return Scan{NavigationScans[code - LinuxHome], true};
    return std::nullopt;
}

} // namespace

std::optional<KeyStroke> NativeKeys::fromX11(quint32 keycode, quint32 state, quint32 numLockMask)
{
    constexpr quint32 X11KeycodeOffset = 8;
    if (keycode < X11KeycodeOffset)
        return std::nullopt;
    const quint32 code = keycode - X11KeycodeOffset;
    std::optional<Scan> s = linuxKeyScan(code);
    if (!s)
        return std::nullopt;
    KeyStroke k;
    k.shift = state & X11Shift;
    k.ctrl = state & X11Control;
    k.alt = state & X11Alt;
    k.numLock = numLockMask && (state & numLockMask);
    // The PC keyboard sends other scans for these keys when Ctrl or Alt is held, and Windows
    // reports those: Break instead of Pause, SysRq instead of Print Screen.
    if (code == LinuxPause && k.ctrl)
        s = Scan{BreakScan, true};
    else if (code == LinuxPrintScreen && k.alt)
        s = Scan{SysRqScan, false};
    k.scan = s->scan;
    k.extended = s->extended;
    return k;
}

quint32 NativeKeys::x11NumLockMask(std::span<const quint8> modifierMap, int keycodesPerModifier,
                                   std::span<const quint32> keyboardMap, int keysymsPerKeycode,
                                   quint8 minKeycode)
{
    constexpr quint32 NumLockKeysym = 0xFF7F;
    constexpr int ModifierRows = 8;
    if (keycodesPerModifier <= 0 || keysymsPerKeycode <= 0)
        return X11DefaultNumLock;
    for (int row = 0; row < ModifierRows; ++row) {
        for (int i = 0; i < keycodesPerModifier; ++i) {
            const std::size_t at = std::size_t(row * keycodesPerModifier + i);
            if (at >= modifierMap.size() || modifierMap[at] < minKeycode)
                continue;
            const std::size_t first = std::size_t(modifierMap[at] - minKeycode) * keysymsPerKeycode;
            for (int s = 0; s < keysymsPerKeycode && first + s < keyboardMap.size(); ++s)
                if (keyboardMap[first + s] == NumLockKeysym)
                    return 1u << row;
        }
    }
    return X11DefaultNumLock;
}

std::optional<KeyStroke> NativeKeys::fromWindows(quint32 nativeScanCode, quint32 nativeModifiers)
{
    KeyStroke k;
    k.scan = quint8(nativeScanCode & 0xFF);
    if (k.scan == 0)
        return std::nullopt;
    k.extended = nativeScanCode & WindowsExtendedBit;
    k.shift = nativeModifiers & WindowsShift;
    k.ctrl = nativeModifiers & WindowsControl;
    k.alt = nativeModifiers & WindowsAlt;
    k.numLock = nativeModifiers & WindowsNumLock;
    return k;
}

namespace {

struct QtKeyScan
{
    int key;
    quint8 scan;
    bool extended;
};

// US layout, unshifted and shifted characters alike. Keys that are also on the keypad are the
// ones of the main block and the separate navigation block here.
constexpr QtKeyScan MainKeys[] = {
    {Qt::Key_Escape, 0x01, false},
    {Qt::Key_1, 0x02, false},
    {Qt::Key_Exclam, 0x02, false},
    {Qt::Key_2, 0x03, false},
    {Qt::Key_At, 0x03, false},
    {Qt::Key_3, 0x04, false},
    {Qt::Key_NumberSign, 0x04, false},
    {Qt::Key_4, 0x05, false},
    {Qt::Key_Dollar, 0x05, false},
    {Qt::Key_5, 0x06, false},
    {Qt::Key_Percent, 0x06, false},
    {Qt::Key_6, 0x07, false},
    {Qt::Key_AsciiCircum, 0x07, false},
    {Qt::Key_7, 0x08, false},
    {Qt::Key_Ampersand, 0x08, false},
    {Qt::Key_8, 0x09, false},
    {Qt::Key_Asterisk, 0x09, false},
    {Qt::Key_9, 0x0A, false},
    {Qt::Key_ParenLeft, 0x0A, false},
    {Qt::Key_0, 0x0B, false},
    {Qt::Key_ParenRight, 0x0B, false},
    {Qt::Key_Minus, 0x0C, false},
    {Qt::Key_Underscore, 0x0C, false},
    {Qt::Key_Equal, 0x0D, false},
    {Qt::Key_Plus, 0x0D, false},
    {Qt::Key_Backspace, 0x0E, false},
    {Qt::Key_Tab, 0x0F, false},
    {Qt::Key_Backtab, 0x0F, false},
    {Qt::Key_Q, 0x10, false},
    {Qt::Key_W, 0x11, false},
    {Qt::Key_E, 0x12, false},
    {Qt::Key_R, 0x13, false},
    {Qt::Key_T, 0x14, false},
    {Qt::Key_Y, 0x15, false},
    {Qt::Key_U, 0x16, false},
    {Qt::Key_I, 0x17, false},
    {Qt::Key_O, 0x18, false},
    {Qt::Key_P, 0x19, false},
    {Qt::Key_BracketLeft, 0x1A, false},
    {Qt::Key_BraceLeft, 0x1A, false},
    {Qt::Key_BracketRight, 0x1B, false},
    {Qt::Key_BraceRight, 0x1B, false},
    {Qt::Key_Return, 0x1C, false},
    {Qt::Key_Control, 0x1D, false},
    {Qt::Key_A, 0x1E, false},
    {Qt::Key_S, 0x1F, false},
    {Qt::Key_D, 0x20, false},
    {Qt::Key_F, 0x21, false},
    {Qt::Key_G, 0x22, false},
    {Qt::Key_H, 0x23, false},
    {Qt::Key_J, 0x24, false},
    {Qt::Key_K, 0x25, false},
    {Qt::Key_L, 0x26, false},
    {Qt::Key_Semicolon, 0x27, false},
    {Qt::Key_Colon, 0x27, false},
    {Qt::Key_Apostrophe, 0x28, false},
    {Qt::Key_QuoteDbl, 0x28, false},
    {Qt::Key_QuoteLeft, 0x29, false},
    {Qt::Key_AsciiTilde, 0x29, false},
    {Qt::Key_Shift, 0x2A, false},
    {Qt::Key_Backslash, 0x2B, false},
    {Qt::Key_Bar, 0x2B, false},
    {Qt::Key_Z, 0x2C, false},
    {Qt::Key_X, 0x2D, false},
    {Qt::Key_C, 0x2E, false},
    {Qt::Key_V, 0x2F, false},
    {Qt::Key_B, 0x30, false},
    {Qt::Key_N, 0x31, false},
    {Qt::Key_M, 0x32, false},
    {Qt::Key_Comma, 0x33, false},
    {Qt::Key_Less, 0x33, false},
    {Qt::Key_Period, 0x34, false},
    {Qt::Key_Greater, 0x34, false},
    {Qt::Key_Slash, 0x35, false},
    {Qt::Key_Question, 0x35, false},
    {Qt::Key_Alt, 0x38, false},
    {Qt::Key_Space, 0x39, false},
    {Qt::Key_CapsLock, 0x3A, false},
    {Qt::Key_F1, 0x3B, false},
    {Qt::Key_F2, 0x3C, false},
    {Qt::Key_F3, 0x3D, false},
    {Qt::Key_F4, 0x3E, false},
    {Qt::Key_F5, 0x3F, false},
    {Qt::Key_F6, 0x40, false},
    {Qt::Key_F7, 0x41, false},
    {Qt::Key_F8, 0x42, false},
    {Qt::Key_F9, 0x43, false},
    {Qt::Key_F10, 0x44, false},
    {Qt::Key_NumLock, 0x45, true},
    {Qt::Key_Pause, PauseScan, false},
    {Qt::Key_ScrollLock, 0x46, false},
    {Qt::Key_SysReq, SysRqScan, false},
    {Qt::Key_F11, 0x57, false},
    {Qt::Key_F12, 0x58, false},
    {Qt::Key_Enter, 0x1C, true},
    {Qt::Key_Print, 0x37, true},
    {Qt::Key_Home, 0x47, true},
    {Qt::Key_Up, 0x48, true},
    {Qt::Key_PageUp, 0x49, true},
    {Qt::Key_Left, 0x4B, true},
    {Qt::Key_Right, 0x4D, true},
    {Qt::Key_End, 0x4F, true},
    {Qt::Key_Down, 0x50, true},
    {Qt::Key_PageDown, 0x51, true},
    {Qt::Key_Insert, 0x52, true},
    {Qt::Key_Delete, 0x53, true},
};

// The keypad's keys, whatever Num Lock makes of them.
constexpr QtKeyScan KeypadKeys[] = {
    {Qt::Key_Home, 0x47, false},     {Qt::Key_7, 0x47, false},        {Qt::Key_Up, 0x48, false},
    {Qt::Key_8, 0x48, false},        {Qt::Key_PageUp, 0x49, false},   {Qt::Key_9, 0x49, false},
    {Qt::Key_Minus, 0x4A, false},    {Qt::Key_Left, 0x4B, false},     {Qt::Key_4, 0x4B, false},
    {Qt::Key_Clear, 0x4C, false},    {Qt::Key_5, 0x4C, false},        {Qt::Key_Right, 0x4D, false},
    {Qt::Key_6, 0x4D, false},        {Qt::Key_Plus, 0x4E, false},     {Qt::Key_End, 0x4F, false},
    {Qt::Key_1, 0x4F, false},        {Qt::Key_Down, 0x50, false},     {Qt::Key_2, 0x50, false},
    {Qt::Key_PageDown, 0x51, false}, {Qt::Key_3, 0x51, false},        {Qt::Key_Insert, 0x52, false},
    {Qt::Key_0, 0x52, false},        {Qt::Key_Delete, 0x53, false},   {Qt::Key_Period, 0x53, false},
    {Qt::Key_Comma, 0x53, false},    {Qt::Key_Asterisk, 0x37, false}, {Qt::Key_Slash, 0x35, true},
    {Qt::Key_Enter, 0x1C, true},
};

template <std::size_t N> const QtKeyScan *findKey(const QtKeyScan (&table)[N], int key)
{
    const auto it = std::find_if(std::begin(table), std::end(table),
                                 [key](const QtKeyScan &k) { return k.key == key; });
    return it == std::end(table) ? nullptr : it;
}

} // namespace

std::optional<KeyStroke> NativeKeys::fromQtKey(int key, Qt::KeyboardModifiers modifiers)
{
    // Letters arrive upper or lower case depending on the platform.
    if (key >= 'a' && key <= 'z')
        key -= 'a' - 'A';
    const QtKeyScan *found = nullptr;
    if (modifiers.testFlag(Qt::KeypadModifier))
        found = findKey(KeypadKeys, key);
    if (!found)
        found = findKey(MainKeys, key);
    if (!found)
        return std::nullopt;
    KeyStroke k;
    k.shift = modifiers.testFlag(Qt::ShiftModifier);
    k.ctrl = modifiers.testFlag(Qt::ControlModifier);
    k.alt = modifiers.testFlag(Qt::AltModifier);
    k.scan = found->scan;
    k.extended = found->extended;
    if (key == Qt::Key_Pause && k.ctrl)
        k = KeyStroke{BreakScan, true, k.shift, k.ctrl, k.alt, false};
    return k;
}
