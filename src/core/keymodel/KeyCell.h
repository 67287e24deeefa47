// SPDX-License-Identifier: MIT
#pragma once

#include "programming/DriverProtocol.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <array>

// The data of one programmable key (or one key-lock position): what the configuration file
// stores, the dialogs edit and the programming run sends. The on-screen cell wraps one of these.
struct KeyCell
{
    // Two numbers that are easily confused: the code area is 64 bytes, in the cell and in the
    // file record, but a key holds at most 63 codes, since the byte after its last code is
    // kept for the end mark that the programming run stores there.
    static constexpr int CodeCapacity = 64;           // bytes in the code area
    static constexpr int MaxCodes = CodeCapacity - 1; // the most codes a key holds
    static constexpr quint32 ButtonFace = 0x8000000F;
    // What the keyboard takes as the end of a key's codes; no code group ever contains it.
    static constexpr quint8 EndMark = DriverProtocol::EndMark;
    // The keyboard takes the end mark at the position after the most codes.
    static_assert(MaxCodes == DriverProtocol::MaxPosition);

    bool Visible = true;
    QByteArray Caption; // label bytes in the legacy code page, kept verbatim for byte-exact files
    quint32 Color = 0;
    qint32 ColSpan = 0;
    qint32 RowSpan = 0;
    qint32 CodeCount = 0;
    std::array<quint8, CodeCapacity> Codes{};

    // Default contents. The code bytes stay as they are: past CodeCount they carry no meaning.
    void ResetKey(const QByteArray &defaultLabel);
    // The codes the key uses. A count out of range, which only a damaged record could hold,
    // never reads past the most codes a key holds.
    QByteArrayView usedCodes() const;

    bool operator==(const KeyCell &) const = default;
};
