// SPDX-License-Identifier: MIT
#include "X11NumLock.h"

#include "codeentry/NativeKeys.h"

#include <QGuiApplication>

#ifdef TAVRIN_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

quint32 X11NumLock::mask()
{
#ifdef TAVRIN_HAVE_XCB
    const auto *x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    if (!c)
        return NativeKeys::X11DefaultNumLock;
    const xcb_setup_t *setup = xcb_get_setup(c);
    const auto modifiersCookie = xcb_get_modifier_mapping(c);
    const auto keysCookie = xcb_get_keyboard_mapping(
        c, setup->min_keycode, quint8(setup->max_keycode - setup->min_keycode + 1));
    const std::unique_ptr<xcb_get_modifier_mapping_reply_t, decltype(&std::free)> modifiers(
        xcb_get_modifier_mapping_reply(c, modifiersCookie, nullptr), &std::free);
    const std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> keys(
        xcb_get_keyboard_mapping_reply(c, keysCookie, nullptr), &std::free);
    if (!modifiers || !keys)
        return NativeKeys::X11DefaultNumLock;
    return NativeKeys::x11NumLockMask(
        {xcb_get_modifier_mapping_keycodes(modifiers.get()),
         std::size_t(xcb_get_modifier_mapping_keycodes_length(modifiers.get()))},
        modifiers->keycodes_per_modifier,
        {xcb_get_keyboard_mapping_keysyms(keys.get()),
         std::size_t(xcb_get_keyboard_mapping_keysyms_length(keys.get()))},
        keys->keysyms_per_keycode, setup->min_keycode);
#else
    return NativeKeys::X11DefaultNumLock;
#endif
}
