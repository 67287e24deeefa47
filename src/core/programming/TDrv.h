#pragma once

#include <cstdint>
#include <memory>

// The programs' only road to the keyboard: the keyboard driver's channel, opened once and held
// until exit. Every operation answers with a plain yes or no; a channel that could not be
// opened answers no to every request, and the programming run turns that into its own message.
//
// Each request is one exchange with the driver. Requests 6, 2 and 5 may only be issued right
// after a successful IsReady, and every one of them is followed by EndExchange.
class TDrv
{
public:
    // The control codes of the driver's requests, as plain numbers.
    enum Request : std::uint8_t
    {
        SendPacketCode = 2,
        EndExchangeCode = 3,
        IsReadyCode = 4,
        EndRunCode = 5,
        BeginRunCode = 6,
    };
    static constexpr int PacketSize = 5;

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
        return request(SendPacketCode, packet, length);
    }
    bool EndExchange() override { return request(EndExchangeCode, nullptr, 0); }
    bool IsReady() override { return request(IsReadyCode, nullptr, 0); }
    bool EndRun() override { return request(EndRunCode, nullptr, 0); }
    bool BeginRun() override { return request(BeginRunCode, nullptr, 0); }

protected:
    virtual bool request(std::uint8_t code, const std::uint8_t *input, int length) = 0;
};
