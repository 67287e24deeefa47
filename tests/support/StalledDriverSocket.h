// SPDX-License-Identifier: MIT
#pragma once

#include <QFile>
#include <QString>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

// A driver's socket whose daemon has stopped accepting: it listens with a queue of one, and
// that one place is already taken, so a further connect can only wait.
class StalledDriverSocket
{
public:
    explicit StalledDriverSocket(const QString &path)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray native = QFile::encodeName(path);
        std::memcpy(address.sun_path, native.constData(), std::size_t(native.size()) + 1);
        m_listen = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ::bind(m_listen, reinterpret_cast<const sockaddr *>(&address), sizeof address);
        ::listen(m_listen, 0);
        m_filler = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        ::connect(m_filler, reinterpret_cast<const sockaddr *>(&address), sizeof address);
    }
    ~StalledDriverSocket()
    {
        ::close(m_filler);
        ::close(m_listen);
    }
    StalledDriverSocket(const StalledDriverSocket &) = delete;
    StalledDriverSocket &operator=(const StalledDriverSocket &) = delete;

private:
    int m_listen = -1;
    int m_filler = -1;
};
