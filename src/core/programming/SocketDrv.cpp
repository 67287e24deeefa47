// SPDX-License-Identifier: MIT
#include "SocketDrv.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int SpinMicroseconds = 200;
const char Stray[] = "the driver sent a byte that answers no request";

// Milliseconds left until deadline, for poll; never negative.
int msLeft(Clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return int(std::clamp<long long>(left, 0, 60'000));
}

// Waits for events on fd until deadline; false when the time ran out first.
bool waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        pollfd p{fd, events, 0};
        const int ready = ::poll(&p, 1, msLeft(deadline));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// What, if anything, has arrived unasked: -1 nothing, 0 the peer hung up, 1 bytes.
int unasked(int fd)
{
    std::uint8_t byte;
    for (;;) {
        const ssize_t got = ::recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK ? -1 : 0;
        return got > 0 ? 1 : 0;
    }
}

} // namespace

SocketDrv::SocketDrv(std::string path, int timeoutMs)
    : m_path(std::move(path)), m_timeoutMs(timeoutMs)
{
}

SocketDrv::~SocketDrv()
{
    drop();
}

std::string SocketDrv::defaultPath()
{
    const char *path = std::getenv(DriverProtocol::SocketVariable);
    return path && *path ? std::string(path) : std::string(DriverProtocol::DefaultSocketPath);
}

bool SocketDrv::Open()
{
    m_open = true;
    m_problem.clear();
    return connected() || connectOnce();
}

bool SocketDrv::Close()
{
    m_open = false;
    drop();
    return true;
}

bool SocketDrv::settled()
{
    m_problem.clear();
    // A hang-up is no reply to anything; the next IsReady connects again.
    if (connected() && unasked(m_fd) == 1)
        misaligned(Stray);
    if (!std::exchange(m_misaligned, false))
        return true;
    if (m_problem.empty())
        m_problem = "the driver's replies were out of step with the requests";
    return false;
}

void SocketDrv::misaligned(std::string problem)
{
    m_misaligned = true;
    drop(std::move(problem));
}

SocketDrv::Deadline SocketDrv::deadline() const
{
    return Clock::now() + std::chrono::milliseconds(m_timeoutMs);
}

bool SocketDrv::connectOnce()
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (m_path.empty() || m_path.size() >= sizeof address.sun_path) {
        m_problem = "the driver's socket path \"" + m_path + "\" is empty or too long";
        return false;
    }
    std::memcpy(address.sun_path, m_path.c_str(), m_path.size() + 1);

    m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_fd < 0) {
        m_problem = std::string("no socket could be made: ") + std::strerror(errno);
        return false;
    }
    // A daemon that has stopped accepting leaves its queue full, and a full queue answers a
    // connect that must not wait with "try again": try again until the deadline. One that kept
    // us waiting that long gets a single try until it accepts again, so that a run against it
    // fails as soon as one against a missing driver.
    const Deadline until = m_stalled ? Clock::now() : deadline();
    for (;;) {
        if (::connect(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0) {
            m_stalled = false;
            return true;
        }
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error == EAGAIN && Clock::now() < until) {
            ::poll(nullptr, 0, std::min(10, msLeft(until)));
            continue;
        }
        struct stat info;
        const bool exists = ::stat(m_path.c_str(), &info) == 0;
        m_stalled = error == EAGAIN;
        if (error == EAGAIN)
            drop("the driver at " + m_path + " accepted no connection within " +
                 std::to_string(m_timeoutMs) + " ms (it is stalled or overloaded)");
        else if (error == ENOENT || error == ENOTDIR)
            drop("there is no driver socket at " + m_path);
        else if (error == EACCES || error == EPERM)
            drop("permission to use the driver's socket " + m_path + " is refused");
        else if (exists && !S_ISSOCK(info.st_mode))
            drop(m_path + " is not a socket");
        else if (error == ECONNREFUSED)
            drop("nothing is listening on " + m_path);
        else
            drop("cannot connect to " + m_path + ": " + std::strerror(error));
        return false;
    }
}

void SocketDrv::drop(std::string problem)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_inExchange = false;
    if (!problem.empty())
        m_problem = std::move(problem);
}

SocketDrv::Written SocketDrv::writeRequest(const std::uint8_t *bytes, std::size_t size,
                                           Deadline until)
{
    // Anything waiting before the request is sent answers no request: a hang-up, or a byte that
    // the last reply should not have had.
    switch (unasked(m_fd)) {
    case 0:
        return Written::NotAtAll;
    case 1:
        misaligned(Stray);
        return Written::Failed;
    }
    std::size_t done = 0;
    while (done < size) {
        // MSG_NOSIGNAL: a daemon that went away must fail the request, not end the program.
        const ssize_t sent = ::send(m_fd, bytes + done, size - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            done += std::size_t(sent);
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && waitFor(m_fd, POLLOUT, until))
            continue;
        if (done == 0 && sent < 0 && (errno == EPIPE || errno == ECONNRESET))
            return Written::NotAtAll;
        drop(sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)
                 ? "the driver took no request within " + std::to_string(m_timeoutMs) + " ms"
                 : "the driver hung up during a request");
        return Written::Failed;
    }
    return Written::Whole;
}

bool SocketDrv::readReply(Deadline until)
{
    // Room for one byte more than a reply: a second byte that came with it is caught here, one
    // that comes later before the next request is written.
    std::uint8_t reply[2] = {};
    ssize_t got = 0;
    // A daemon on this machine answers within tens of microseconds: looking for the reply that
    // long costs less than going to sleep and being woken, and a run makes thousands of requests.
    const Deadline spinUntil = Clock::now() + std::chrono::microseconds(SpinMicroseconds);
    while ((got = ::recv(m_fd, reply, sizeof reply, MSG_DONTWAIT)) < 0 &&
           (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) &&
           Clock::now() < spinUntil) {
    }
    for (; got <= 0;) {
        if (got == 0) {
            drop("the driver hung up before it replied");
            return false;
        }
        if (!waitFor(m_fd, POLLIN, until)) {
            drop("the driver gave no reply within " + std::to_string(m_timeoutMs) + " ms");
            return false;
        }
        got = ::recv(m_fd, reply, sizeof reply, MSG_DONTWAIT);
        if (got < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)
            got = 0;
    }
    if (reply[0] != DriverProtocol::Yes && reply[0] != DriverProtocol::No) {
        char text[64];
        std::snprintf(text, sizeof text, "the driver replied %02X, which is no reply", reply[0]);
        drop(text);
        return false;
    }
    if (got > 1) {
        misaligned("the driver replied with more than one byte");
        return false;
    }
    return reply[0] == DriverProtocol::Yes;
}

bool SocketDrv::reply(std::uint8_t code, Deadline until)
{
    const bool yes = readReply(until);
    const bool closes = code == DriverProtocol::EndExchangeCode;
    // The driver refuses to close only an exchange it has not opened: a no here means that some
    // earlier reply of this exchange answered another request than it seemed to.
    if (closes && !yes && m_inExchange)
        misaligned("the driver's replies are out of step with the requests (it had no "
                   "exchange to end)");
    if (code == DriverProtocol::IsReadyCode || closes)
        m_inExchange = yes && !closes;
    return yes;
}

bool SocketDrv::request(std::uint8_t code, const std::uint8_t *input, int length)
{
    m_problem.clear();
    if (!m_open || length < 0 || length > DriverProtocol::MaxInput) {
        m_problem = m_open ? "a request too long for the protocol" : "the channel is closed";
        return false;
    }
    std::uint8_t message[2 + DriverProtocol::MaxInput];
    message[0] = code;
    message[1] = std::uint8_t(length);
    if (length > 0)
        std::memcpy(message + 2, input, std::size_t(length));

    const bool opensExchange = code == DriverProtocol::IsReadyCode;
    for (int tries = opensExchange ? 2 : 1; tries > 0; --tries) {
        if (!connected()) {
            if (!opensExchange) {
                m_problem = "the connection to the driver was lost, and the exchange with it";
                return false;
            }
            if (!connectOnce())
                return false;
        }
        const Deadline until = deadline();
        switch (writeRequest(message, 2 + std::size_t(length), until)) {
        case Written::Whole:
            return reply(code, until);
        case Written::NotAtAll:
            drop("the driver hung up before it got the request");
            continue; // never reached the daemon: IsReady may go again on a new connection
        case Written::Failed:
            return false;
        }
    }
    return false;
}
