#include "SocketDrv.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

SocketDrv::SocketDrv(std::string path, int replyTimeoutMs)
    : m_path(std::move(path)), m_replyTimeoutMs(replyTimeoutMs)
{
}

SocketDrv::~SocketDrv()
{
    drop();
}

std::string SocketDrv::defaultPath()
{
    const char *path = std::getenv("TVDRV_SOCKET");
    return path && *path ? std::string(path) : std::string("/run/tvdrv.sock");
}

bool SocketDrv::Open()
{
    m_open = true;
    return connected() || connectOnce();
}

bool SocketDrv::Close()
{
    m_open = false;
    drop();
    return true;
}

bool SocketDrv::connectOnce()
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (m_path.empty() || m_path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, m_path.c_str(), m_path.size() + 1);

    m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        return false;
    if (::connect(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        drop();
        return false;
    }
    return true;
}

void SocketDrv::drop()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

namespace {

bool sendAll(int fd, const std::uint8_t *bytes, std::size_t size)
{
    while (size > 0) {
        // MSG_NOSIGNAL: a daemon that went away must fail the request, not end the program.
        const ssize_t sent = ::send(fd, bytes, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes += sent;
        size -= std::size_t(sent);
    }
    return true;
}

// One byte, or -1 when none came in time or the connection closed.
int receiveByte(int fd, int timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, int(std::max<long long>(left.count(), 0)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return -1;
        std::uint8_t byte = 0;
        const ssize_t got = ::recv(fd, &byte, 1, 0);
        if (got < 0 && errno == EINTR)
            continue;
        return got == 1 ? byte : -1;
    }
}

} // namespace

bool SocketDrv::request(std::uint8_t code, const std::uint8_t *input, int length)
{
    if (!m_open || length < 0 || length > 255)
        return false;
    if (!connected() && !connectOnce())
        return false;

    std::uint8_t message[2 + 255];
    message[0] = code;
    message[1] = std::uint8_t(length);
    if (length > 0)
        std::memcpy(message + 2, input, std::size_t(length));
    if (!sendAll(m_fd, message, 2 + std::size_t(length))) {
        drop();
        return false;
    }
    const int reply = receiveByte(m_fd, m_replyTimeoutMs);
    if (reply == 1)
        return true;
    if (reply != 0) // silence, a hang-up or nonsense: a late answer must not be taken for the next
        drop();
    return false;
}
