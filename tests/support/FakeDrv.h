// SPDX-License-Identifier: MIT
#pragma once

#include "programming/SendPackets.h"
#include "programming/TDrv.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>
#include <string>

// A driver channel that answers from a script and writes down every request: "4" for IsReady,
// "2:F1 12 00 14 F4" for a packet, and so on. Scripts are strings of '1' (yes), '0' (no) and
// 'x' (a fault of the channel: no, with a reason in lastProblem), used up one answer per
// request; past their end every answer is `otherwise`.
class FakeDrv : public TDrv
{
public:
    QString readyScript;
    QString packetScript;
    QString endScript; // of EndExchange
    bool otherwise = true;
    int throwOnPacket = 0; // the packet request, counted from 1, that throws instead of answering
    QStringList requests;
    std::function<void()> packetHook; // called once, at the first packet, on the run's thread
    std::function<void()> openHook;   // called in Open, on whichever thread opens
    // Called at every request with its kind ("4", "2", ...), on the run's thread.
    std::function<void(const QString &)> requestHook;

    bool Open() override
    {
        if (openHook)
            openHook();
        return log(QStringLiteral("open"));
    }
    bool Close() override { return true; }
    bool SendPacket(const std::uint8_t *packet, int length) override
    {
        requests << QStringLiteral("2:") +
                        QString::fromLatin1(
                            QByteArray(reinterpret_cast<const char *>(packet), length)
                                .toHex(' ')
                                .toUpper());
        if (packetHook)
            std::exchange(packetHook, nullptr)();
        hook(QStringLiteral("2"));
        if (++m_packets == throwOnPacket)
            throw std::runtime_error("lost the device");
        return answer(packetScript, m_packets, "the driver gave no reply within 2000 ms");
    }
    bool EndExchange() override
    {
        log(QStringLiteral("3"));
        return answer(endScript, ++m_ends, "the connection to the driver was lost");
    }
    bool IsReady() override
    {
        requests << QStringLiteral("4");
        hook(QStringLiteral("4"));
        return answer(readyScript, ++m_readies, "nothing is listening");
    }
    std::string lastProblem() const override { return m_problem; }
    bool EndRun() override { return log(QStringLiteral("5")); }
    bool BeginRun() override { return log(QStringLiteral("6")); }

    QStringList packets() const { return requests.filter(QStringLiteral("2:")); }

private:
    void hook(const QString &kind)
    {
        m_problem.clear();
        if (requestHook)
            requestHook(kind);
    }
    bool log(const QString &request)
    {
        requests << request;
        hook(request);
        return true;
    }
    bool answer(const QString &script, int n, const char *fault)
    {
        const QChar a = n <= script.size() ? script.at(n - 1) : QChar(otherwise ? u'1' : u'0');
        if (a == u'x')
            m_problem = fault;
        return a == u'1';
    }

    int m_readies = 0;
    int m_packets = 0;
    int m_ends = 0;
    std::string m_problem;
};

// Lets a run's pauses pass at once and adds them up.
class VirtualClock : public RunClock
{
public:
    qint64 elapsedMs = 0;
    void sleep(int ms) override { elapsedMs += ms; }
};
