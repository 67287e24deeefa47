// SPDX-License-Identifier: MIT
#pragma once

// What the programs and a keyboard driver agree on: the driver's five requests, the packet that
// request 2 carries, and how the requests travel over the driver's socket. The run, both channel
// layers and the keyboard simulator take these from here; docs/driver-protocol.md says the same
// in words for whoever writes another driver.

#include <cstdint>

namespace DriverProtocol {

// The control codes of the driver's requests, as plain numbers.
enum Request : std::uint8_t
{
    SendPacketCode = 2,  // one packet; only right after a successful IsReady
    EndExchangeCode = 3, // closes the exchange a successful IsReady opened
    IsReadyCode = 4,     // opens an exchange for exactly one request 6, 2 or 5
    EndRunCode = 5,      // once at the end of every run
    BeginRunCode = 6,    // once at the start of every run
};

// A packet: HeadMark, one code byte or EndMark, the byte's position in its key's sequence, the
// key number, TailMark.
inline constexpr int PacketSize = 5;
inline constexpr std::uint8_t HeadMark = 0xF1;
inline constexpr std::uint8_t TailMark = 0xF4;
// Ends a key's sequence; no code group ever contains it.
inline constexpr std::uint8_t EndMark = 0xF7;
// A key holds at most this many codes; its end mark stands at this position at the latest.
inline constexpr int MaxPosition = 63;

// Over the socket a request is its code, a length byte n, then n input bytes; the reply is one
// byte, Yes or No, to the request just sent, and nothing else.
inline constexpr int MaxInput = 255;
inline constexpr std::uint8_t No = 0;
inline constexpr std::uint8_t Yes = 1;
// A reply that has not come by then fails its request and ends the connection; connecting has
// the same deadline. On Windows a device control request that the driver has not finished by then
// is cancelled and fails.
inline constexpr int ReplyTimeoutMs = 2000;
// How long the Windows channel waits for a driver to give back a request it cancelled. A driver
// that honours cancellation does so at once; one that keeps the request past this is taken to be
// stuck, and the channel is closed instead of waiting on it.
inline constexpr int CancelWaitMs = 500;
// A daemon may drop a connection that has sent nothing for this long, so that clients that went
// quiet cannot hold its descriptors for ever; a client's next IsReady connects again.
inline constexpr int IdleLimitMs = 30'000;

inline constexpr char DefaultSocketPath[] = "/run/tvdrv.sock";
// The environment variable that names another socket.
inline constexpr char SocketVariable[] = "TVDRV_SOCKET";

} // namespace DriverProtocol
