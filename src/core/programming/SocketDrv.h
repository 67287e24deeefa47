#pragma once

#include "TDrv.h"

#include <string>

// The channel on Linux: the driver is a daemon outside the programs, reached over a Unix-domain
// stream socket. A request is one byte with the control code, one byte n, then n input bytes;
// the reply is one byte, 1 when the request succeeded and 0 when it failed. Any other reply, a
// closed connection or no reply in time fails the request and drops the connection; the next
// request first tries once to connect again, so a daemon that restarts needs no restart of the
// program.
class SocketDrv : public RequestDrv
{
public:
    static constexpr int DefaultReplyTimeoutMs = 2000;

    explicit SocketDrv(std::string path, int replyTimeoutMs = DefaultReplyTimeoutMs);
    ~SocketDrv() override;

    // TVDRV_SOCKET when set and not empty, else /run/tvdrv.sock.
    static std::string defaultPath();

    bool Open() override;
    bool Close() override;

    bool connected() const { return m_fd >= 0; }

protected:
    bool request(std::uint8_t code, const std::uint8_t *input, int length) override;

private:
    bool connectOnce();
    void drop();

    std::string m_path;
    int m_replyTimeoutMs;
    int m_fd = -1;
    bool m_open = false; // between Open and Close: requests may reconnect
};
