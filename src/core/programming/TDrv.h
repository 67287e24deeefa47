// SPDX-License-Identifier: MIT
#pragma once

#include "DriverProtocol.h"

#include <cstdint>
#include <memory>
#include <string>

// The programs' only road to the keyboard: the keyboard driver's channel, opened once and held
// until exit. Every operation answers with a plain yes or no; a channel that could not be
// opened answers no to every request, and the programming run turns that into its own message.
//
// Each request is one exchange with the driver. Requests 6, 2 and 5 may only be issued right
// after a successful IsReady, and every one of them is followed by EndExchange.
class TDrv
{
public:
    virtual ~TDrv() = default;

    // True when the channel is held afterwards.
    virtual bool Open() = 0;
    // Always true.
    virtual bool Close() = 0;
    virtual bool SendPacket(const std::uint8_t *packet, int length) = 0;
    virtual bool EndExchange() = 0;
    virtual bool IsReady() = 0;
    virtual bool EndRun() = 0;
    virtual bool BeginRun() = 0;

    // False when, since the last call, bytes came that answer no request, now or in the middle
    // of a request: some reply before them was not what it seemed. The channel drops them, with
    // the connection, and says so in lastProblem. A channel whose replies cannot come late is
    // always settled.
    virtual bool settled() { return true; }

    // Why the last request that failed without the driver's own "no" failed (the driver could
    // not be reached, did not answer in time, answered out of turn), for logs and the command
    // line; empty when the driver simply said no or nothing failed yet.
    virtual std::string lastProblem() const { return {}; }

    // The channel of the platform the program runs on, not yet opened.
    static std::unique_ptr<TDrv> createPlatformDrv();
};

// The five requests all take the same road in each platform layer; only request 2 carries
// input bytes.
class RequestDrv : public TDrv
{
public:
    bool SendPacket(const std::uint8_t *packet, int length) override
    {
        return request(DriverProtocol::SendPacketCode, packet, length);
    }
    bool EndExchange() override { return request(DriverProtocol::EndExchangeCode, nullptr, 0); }
    bool IsReady() override { return request(DriverProtocol::IsReadyCode, nullptr, 0); }
    bool EndRun() override { return request(DriverProtocol::EndRunCode, nullptr, 0); }
    bool BeginRun() override { return request(DriverProtocol::BeginRunCode, nullptr, 0); }

protected:
    virtual bool request(std::uint8_t code, const std::uint8_t *input, int length) = 0;
};
