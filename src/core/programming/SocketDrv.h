// SPDX-License-Identifier: MIT
#pragma once

#include "TDrv.h"

#include <chrono>
#include <string>

// The channel on Linux: the driver is a daemon outside the programs, reached over a Unix-domain
// stream socket (the protocol is DriverProtocol's). Nothing here waits for ever: connecting,
// writing a request and its reply share one deadline, and a request that misses it fails.
//
// A reply is exactly one byte, 0 or 1, to the request just sent. A late, surplus or foreign byte,
// a hang-up or silence fails the request and drops the connection, so that no later request can
// be answered by a reply meant for an earlier one. So does a no to EndExchange for an exchange
// that IsReady opened: the driver only refuses to close what is not open.
//
// An exchange lives on the connection whose IsReady opened it. So only IsReady connects again
// after the connection was lost, and if the daemon hung up before it could read the request (it
// restarted between two runs, say), IsReady is sent once more on a new connection; every other
// request fails at once when its connection is gone, since the exchange went with it.
class SocketDrv : public RequestDrv
{
public:
    static constexpr int DefaultTimeoutMs = DriverProtocol::ReplyTimeoutMs;

    explicit SocketDrv(std::string path, int timeoutMs = DefaultTimeoutMs);
    ~SocketDrv() override;

    // TVDRV_SOCKET when set and not empty, else the protocol's default path.
    static std::string defaultPath();

    bool Open() override;
    bool Close() override;
    bool settled() override;
    std::string lastProblem() const override { return m_problem; }

    bool connected() const { return m_fd >= 0; }
    const std::string &path() const { return m_path; }

protected:
    bool request(std::uint8_t code, const std::uint8_t *input, int length) override;

private:
    using Deadline = std::chrono::steady_clock::time_point;
    enum class Written
    {
        Whole,
        NotAtAll, // the daemon had gone before a byte of the request reached it
        Failed,
    };

    Deadline deadline() const;
    bool connectOnce();
    Written writeRequest(const std::uint8_t *bytes, std::size_t size, Deadline deadline);
    bool readReply(Deadline deadline);
    // The reply to the request with code, read by readReply and checked against the exchange.
    bool reply(std::uint8_t code, Deadline deadline);
    // Drops the connection; problem, when given, says why.
    void drop(std::string problem = {});
    // Drops the connection because a byte answered another request than it seemed to; the
    // next settled() says so.
    void misaligned(std::string problem);

    std::string m_path;
    int m_timeoutMs;
    int m_fd = -1;
    bool m_open = false;       // between Open and Close: IsReady may connect again
    bool m_stalled = false;    // the last connect timed out on a daemon that accepts nothing
    bool m_misaligned = false; // since the last settled()
    bool m_inExchange = false; // IsReady opened an exchange on this connection, not yet ended
    std::string m_problem;
};
