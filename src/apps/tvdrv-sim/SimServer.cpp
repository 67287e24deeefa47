// SPDX-License-Identifier: MIT
#include "SimServer.h"

#include "keymodel/AtomicWriter.h"
#include "programming/DriverProtocol.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {

// How long accepting rests once the process has run out of descriptors.
constexpr std::chrono::milliseconds AcceptPause(100);

// Signals reach the poll loop through a pipe, so a stop never lands between a check and a wait.
int stopPipe[2] = {-1, -1};

void onStopSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(stopPipe[1], &byte, 1);
}

bool socketAddress(const QString &path, sockaddr_un &address)
{
    const QByteArray native = path.toLocal8Bit();
    address = {};
    address.sun_family = AF_UNIX;
    if (native.isEmpty() || std::size_t(native.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, native.constData(), std::size_t(native.size()) + 1);
    return true;
}

// Whether something serves the socket at address. A simulator too busy to accept at once is
// still alive; asking must not wait on it.
bool served(const sockaddr_un &address)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    const bool live =
        ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0 ||
        errno == EAGAIN;
    ::close(fd);
    return live;
}

} // namespace

SimServer::SimServer(SimKeyboard &keyboard, QString socketPath, QString dumpPath, int socketMode)
    : m_keyboard(keyboard), m_socketPath(std::move(socketPath)), m_dumpPath(std::move(dumpPath)),
      m_socketMode(socketMode)
{
}

SimServer::~SimServer()
{
    shutDown();
}

void SimServer::shutDown()
{
    for (const auto &[fd, connection] : m_connections)
        ::close(fd);
    m_connections.clear();
    if (m_listenFd >= 0) {
        ::close(m_listenFd);
        ::unlink(m_socketPath.toLocal8Bit().constData());
    }
    m_listenFd = -1;
}

bool SimServer::listen()
{
    const QByteArray native = m_socketPath.toLocal8Bit();
    sockaddr_un address;
    if (!socketAddress(m_socketPath, address)) {
        std::fprintf(stderr, "tvdrv-sim: the socket path \"%s\" is empty or too long.\n",
                     native.constData());
        return false;
    }
    struct stat info;
    if (::lstat(native.constData(), &info) == 0) {
        if (!S_ISSOCK(info.st_mode)) {
            std::fprintf(stderr, "tvdrv-sim: %s exists and is not a socket; leaving it alone.\n",
                         native.constData());
            return false;
        }
        if (served(address)) {
            std::fprintf(stderr,
                         "tvdrv-sim: another simulator is already serving %s.\n"
                         "Stop it first, or give this one another path with --socket.\n",
                         native.constData());
            return false;
        }
        std::printf("tvdrv-sim: taking over %s, which nobody serves any more\n",
                    native.constData());
        ::unlink(native.constData());
    }

    // Whoever can connect can program the keyboard: the socket is born owner-only, whatever the
    // umask, and opened further only when asked.
    m_listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const mode_t umask = ::umask(0177);
    const bool bound =
        m_listenFd >= 0 &&
        ::bind(m_listenFd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::umask(umask);
    if (!bound || ::chmod(native.constData(), mode_t(m_socketMode)) != 0 ||
        ::listen(m_listenFd, 8) != 0) {
        std::fprintf(stderr, "tvdrv-sim: cannot serve %s: %s\n", native.constData(),
                     std::strerror(errno));
        if (m_listenFd >= 0)
            ::close(m_listenFd);
        if (bound)
            ::unlink(native.constData());
        m_listenFd = -1;
        return false;
    }
    std::printf("tvdrv-sim: serving %s (mode %03o)\n", native.constData(), m_socketMode);
    std::fflush(stdout);
    return true;
}

int SimServer::exec()
{
    if (::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return 1;
    struct sigaction action
    {
    };
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    for (;;) {
        const std::chrono::milliseconds wait = dropIdle();
        // While accepting would fail, the listening socket is not watched: it stays readable.
        const bool accepting = Clock::now() >= m_acceptAfter;
        std::vector<pollfd> fds{{stopPipe[0], POLLIN, 0}, {accepting ? m_listenFd : -1, POLLIN, 0}};
        for (const auto &[fd, connection] : m_connections)
            fds.push_back({fd, POLLIN, 0});
        const auto untilAccepting =
            std::chrono::ceil<std::chrono::milliseconds>(m_acceptAfter - Clock::now());
        const int timeout = int(accepting ? wait.count() : std::min(wait, untilAccepting).count());
        if (::poll(fds.data(), fds.size(), timeout) < 0) {
            if (errno == EINTR)
                continue;
            return 1;
        }
        if (fds[0].revents)
            break;
        if (fds[1].revents & POLLIN)
            accept();
        for (std::size_t i = 2; i < fds.size(); ++i) {
            if (!fds[i].revents)
                continue;
            const auto it = m_connections.find(fds[i].fd);
            if (!serve(it->first, it->second)) {
                ::close(it->first);
                m_connections.erase(it);
            }
        }
        if (m_keyboard.runEnded) {
            m_keyboard.runEnded = false;
            writeDump();
        }
    }
    writeDump();
    shutDown();
    std::printf("tvdrv-sim: stopped, %s removed\n", m_socketPath.toLocal8Bit().constData());
    std::fflush(stdout);
    return 0;
}

void SimServer::accept()
{
    // Never blocking on a client is what keeps one that stops reading from stalling the others.
    const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd >= 0) {
        m_connections.emplace(fd, Connection{});
        return;
    }
    // The client stays in the queue until a descriptor is free again: a connection that ends,
    // or one dropped for being idle.
    if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
        // Said once a shortage, not at every try.
        if (Clock::now() >= m_acceptAfter + AcceptPause) {
            std::printf("tvdrv-sim: out of descriptors (%s); accepting again shortly\n",
                        std::strerror(errno));
            std::fflush(stdout);
        }
        m_acceptAfter = Clock::now() + AcceptPause;
    }
}

std::chrono::milliseconds SimServer::dropIdle()
{
    const auto limit = std::chrono::milliseconds(DriverProtocol::IdleLimitMs);
    const Clock::time_point now = Clock::now();
    auto next = limit;
    for (auto it = m_connections.begin(); it != m_connections.end();) {
        const auto quiet =
            std::chrono::duration_cast<std::chrono::milliseconds>(now - it->second.lastHeard);
        if (quiet < limit) {
            next = std::min(next, limit - quiet);
            ++it;
            continue;
        }
        std::printf("tvdrv-sim: a client that sent nothing for %d s was dropped\n",
                    DriverProtocol::IdleLimitMs / 1000);
        std::fflush(stdout);
        ::close(it->first);
        it = m_connections.erase(it);
    }
    return next + std::chrono::milliseconds(1);
}

bool SimServer::serve(int fd, Connection &connection)
{
    char buffer[512];
    const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
    if (got <= 0)
        return got < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK);
    connection.lastHeard = Clock::now();
    connection.pending.append(buffer, got);

    // A request is its code, its length n, then n bytes.
    while (connection.pending.size() >= 2 &&
           connection.pending.size() >= 2 + quint8(connection.pending[1])) {
        const quint8 code = quint8(connection.pending[0]);
        const int length = quint8(connection.pending[1]);
        const QByteArray input = connection.pending.mid(2, length);
        connection.pending.remove(0, 2 + length);

        const SimKeyboard::Answer answer = m_keyboard.handle(connection.session, code, input);
        const bool yes = answer.outcome == SimKeyboard::Outcome::Yes;
        std::printf("#%lld %s -> %s\n", ++m_logged, answer.line.toLocal8Bit().constData(),
                    answer.outcome == SimKeyboard::Outcome::HangUp ? "hang up"
                    : yes                                          ? "1"
                                                                   : "0");
        std::fflush(stdout);
        if (answer.outcome == SimKeyboard::Outcome::HangUp)
            return false;
        if (m_keyboard.schedule().slowMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(m_keyboard.schedule().slowMs));
        // The keyboard serves one request at a time for everyone: a reply that cannot go out at
        // once goes with its client rather than holding up the rest.
        const char reply = char(yes ? DriverProtocol::Yes : DriverProtocol::No);
        if (::send(fd, &reply, 1, MSG_NOSIGNAL | MSG_DONTWAIT) != 1) {
            std::printf("tvdrv-sim: a client that does not take its replies was dropped\n");
            std::fflush(stdout);
            return false;
        }
    }
    return true;
}

void SimServer::writeDump()
{
    if (m_dumpPath.isEmpty())
        return;
    if (QString why; !AtomicWriter::write(m_dumpPath, m_keyboard.memoryJson(),
                                          AtomicWriter::Links::WriteThrough, &why))
        std::fprintf(stderr, "tvdrv-sim: cannot write %s: %s\n",
                     m_dumpPath.toLocal8Bit().constData(), why.toLocal8Bit().constData());
}
