// SPDX-License-Identifier: MIT
#include "RunBuffer.h"

namespace {

enum PacketByte
{
    Head,
    Value,
    Position,
    KeyNumber,
    Tail
};

} // namespace

RunBuffer::RunBuffer()
{
    m_bytes.reserve(std::size_t(MaxPackets) * PacketSize);
}

void RunBuffer::begin()
{
    m_template[Head] = DriverProtocol::HeadMark;
    m_template[Tail] = DriverProtocol::TailMark;
    m_bytes.clear();
}

void RunBuffer::AppendKeyPackets(int keyNumber, const std::uint8_t *codes, int count)
{
    m_template[KeyNumber] = std::uint8_t(keyNumber & 0xFF);
    for (int p = 0; p < count; ++p) {
        m_template[Value] = codes[p];
        m_template[Position] = std::uint8_t(p);
        m_bytes.insert(m_bytes.end(), m_template.begin(), m_template.end());
        if (codes[p] == DriverProtocol::EndMark)
            break;
    }
}
