// SPDX-License-Identifier: MIT
#pragma once

#include "CodeGroup.h"

#include <Qt>

#include <optional>
#include <span>

// What a platform tells about a key that went down, turned into the stroke the code groups are
// made from: the scan byte and extended flag a PC reports for the key, and the modifier states.
// Pure functions on the numbers the platform's key event carries, so each platform's rules are
// tested anywhere. Nothing means the key has no scan byte and records nothing.
namespace NativeKeys {

// X server modifier state bits; Num Lock's bit depends on the keymap, this is the usual one.
inline constexpr quint32 X11Shift = 0x01;
inline constexpr quint32 X11Control = 0x04;
inline constexpr quint32 X11Alt = 0x08;            // Mod1
inline constexpr quint32 X11DefaultNumLock = 0x10; // Mod2

// X11 and Wayland: the key code is the Linux input key code plus 8, the state the X modifier
// state before the key went down.
std::optional<KeyStroke> fromX11(quint32 keycode, quint32 state,
                                 quint32 numLockMask = X11DefaultNumLock);

// The state bit of the modifier that holds the Num_Lock key, from the server's modifier map
// (8 rows of keycodesPerModifier key codes) and keyboard map (keysymsPerKeycode symbols for each
// key code from minKeycode on); the usual bit if no modifier holds it.
quint32 x11NumLockMask(std::span<const quint8> modifierMap, int keycodesPerModifier,
                       std::span<const quint32> keyboardMap, int keysymsPerKeycode,
                       quint8 minKeycode);

// Windows: the toolkit passes bits 16 to 24 of the key message (scan byte, then the extended
// flag) as the native scan code, and the key states read with GetKeyState for that message as
// its native modifiers.
inline constexpr quint32 WindowsExtendedBit = 0x100;
inline constexpr quint32 WindowsShift = 0x011; // left or right
inline constexpr quint32 WindowsControl = 0x022;
inline constexpr quint32 WindowsAlt = 0x044;
inline constexpr quint32 WindowsNumLock = 0x200; // toggled on
std::optional<KeyStroke> fromWindows(quint32 nativeScanCode, quint32 nativeModifiers);

// Anywhere else, or for an event without native data: the physical key guessed from the
// toolkit's key and keypad flag on a US layout. Num Lock's state is not known here.
std::optional<KeyStroke> fromQtKey(int key, Qt::KeyboardModifiers modifiers);

} // namespace NativeKeys
