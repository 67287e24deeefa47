// SPDX-License-Identifier: MIT
#pragma once

#include "programming/SendPackets.h"
#include "programming/TDrv.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

// A driver channel that answers from a script and writes down every request: "4" for IsReady,
// "2:F1 12 00 14 F4" for a packet, and so on. Scripts are strings of '1' (yes) and '0' (no),
// used up one answer per request; past their end every answer is `otherwise`.
class FakeDrv : public TDrv
{
public:
    QString readyScript;
    QString packetScript;
    bool otherwise = true;
    int throwOnPacket = 0; // the packet request, counted from 1, that throws instead of answering
    QStringList requests;
    std::function<void()> packetHook; // called once, at the first packet, on the run's thread
    std::function<void()> openHook;   // called in Open, on whichever thread opens

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
        if (++m_packets == throwOnPacket)
            throw std::runtime_error("lost the device");
        return answer(packetScript, m_packets);
    }
    bool EndExchange() override { return log(QStringLiteral("3")); }
    bool IsReady() override
    {
        requests << QStringLiteral("4");
        return answer(readyScript, ++m_readies);
    }
    bool EndRun() override { return log(QStringLiteral("5")); }
    bool BeginRun() override { return log(QStringLiteral("6")); }

    QStringList packets() const { return requests.filter(QStringLiteral("2:")); }

private:
    bool log(const QString &request)
    {
        requests << request;
        return true;
    }
    bool answer(const QString &script, int n) const
    {
        return n <= script.size() ? script.at(n - 1) == u'1' : otherwise;
    }

    int m_readies = 0;
    int m_packets = 0;
};

// Lets a run's pauses pass at once and adds them up.
class VirtualClock : public RunClock
{
public:
    qint64 elapsedMs = 0;
    void sleep(int ms) override { elapsedMs += ms; }
};
