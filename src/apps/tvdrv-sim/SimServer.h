// SPDX-License-Identifier: MIT
#pragma once

#include "SimKeyboard.h"

#include <QString>

#include <chrono>
#include <map>

// Serves the driver's socket protocol for a simulated keyboard: any number of connections, one
// request at a time across all of them (the keyboard is one device), a one-line log of every
// request on standard output. A client is never waited for: one that does not read its replies
// is dropped, and so is one that has sent nothing for the protocol's idle limit. Out of
// descriptors, it stops accepting for a moment instead of spinning, and goes on serving those it
// has.
class SimServer
{
public:
    // socketMode: the socket file's permissions, such as 0600.
    SimServer(SimKeyboard &keyboard, QString socketPath, QString dumpPath, int socketMode);
    ~SimServer();

    // Takes the socket path, or explains on standard error why not. A live simulator on the
    // path is left alone; a socket file that nobody serves any more is taken over.
    bool listen();
    // Serves until SIGINT or SIGTERM, then removes the socket. The exit status.
    int exec();

private:
    using Clock = std::chrono::steady_clock;
    struct Connection
    {
        QByteArray pending;
        SimKeyboard::Session session;
        Clock::time_point lastHeard = Clock::now();
    };

    void accept();
    // Closes the connections that have been quiet too long; the time until the next one is due.
    std::chrono::milliseconds dropIdle();
    // False when the connection is to be closed.
    bool serve(int fd, Connection &connection);
    void writeDump();
    void shutDown();

    SimKeyboard &m_keyboard;
    QString m_socketPath;
    QString m_dumpPath;
    int m_socketMode;
    int m_listenFd = -1;
    std::map<int, Connection> m_connections;
    // Until then no connection is accepted: the process is out of descriptors.
    Clock::time_point m_acceptAfter{};
    qint64 m_logged = 0;
};
