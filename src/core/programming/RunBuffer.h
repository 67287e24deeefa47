// SPDX-License-Identifier: MIT
#pragma once

#include "DriverProtocol.h"
#include "profile/CellCounts.h"

#include <array>
#include <cstdint>
#include <vector>

// The packets of one programming run, back to back in sending order. A packet is F1, one code
// byte or the end mark F7, the byte's position in its key's sequence, the key number, F4.
class RunBuffer
{
public:
    static constexpr int PacketSize = DriverProtocol::PacketSize;
    // Every key full: all the keyboard's keys, each with its most codes and the end mark.
    static constexpr int MaxPackets = CellCounts::Most * (DriverProtocol::MaxPosition + 1);

    RunBuffer();

    // Starts a new run: empties the buffer and sets the packet's fixed first and last bytes.
    void begin();
    // Appends one key's packets: its codes up to and including the first end mark. Codes read
    // from a file may hold an end mark of their own; the key's packets end there.
    void AppendKeyPackets(int keyNumber, const std::uint8_t *codes, int count);

    int packetCount() const { return int(m_bytes.size()) / PacketSize; }
    const std::uint8_t *packet(int index) const { return m_bytes.data() + index * PacketSize; }
    const std::vector<std::uint8_t> &bytes() const { return m_bytes; }

private:
    std::array<std::uint8_t, PacketSize> m_template{};
    std::vector<std::uint8_t> m_bytes;
};
