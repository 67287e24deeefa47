// SPDX-License-Identifier: MIT
#pragma once

#include "SimKeyboard.h"

#include <QString>

#include <map>

// Serves the driver's socket protocol for a simulated keyboard: any number of connections, one
// request at a time across all of them (the keyboard is one device), a one-line log of every
// request on standard output. A client is never waited for: one that does not read its replies
// is dropped.
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
    struct Connection
    {
        QByteArray pending;
        SimKeyboard::Session session;
    };

    void accept();
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
    qint64 m_logged = 0;
};
