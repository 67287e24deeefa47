// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

// Request numbers picked out on the command line, such as "1,4-9", counted from 1.
class NumberSet
{
public:
    // Empty text gives the empty set; nullopt-like failure is reported through ok.
    static NumberSet parse(const QString &text, bool *ok);
    bool contains(qint64 n) const;

private:
    QList<QPair<qint64, qint64>> m_ranges;
};

// When the simulated keyboard misbehaves on purpose.
struct SimSchedule
{
    NumberSet refuseReady;  // readiness requests answered "not ready"
    NumberSet refusePacket; // packets refused
    NumberSet drop;         // requests of any kind answered by hanging up
    bool neverReady = false;
    int slowMs = 0; // wait before every reply
};

// The keyboard behind the driver: it keeps the exchange rules, checks every packet, and keeps
// for every key number the codes of the last complete sequence it was sent.
class SimKeyboard
{
public:
    enum class Outcome
    {
        Yes,
        No,
        HangUp
    };
    struct Answer
    {
        Outcome outcome;
        QString line; // one line for the log, without the request number
    };
    // The exchange state of one connection: a readiness request that succeeded opens an
    // exchange for exactly one request 6, 2 or 5, and EndExchange closes it.
    struct Session
    {
        enum class State
        {
            Idle,
            Ready,
            Used
        };
        State state = State::Idle;
    };

    explicit SimKeyboard(SimSchedule schedule = {});

    Answer handle(Session &session, quint8 code, const QByteArray &input);

    const SimSchedule &schedule() const { return m_schedule; }
    const QMap<int, QByteArray> &memory() const { return m_memory; }
    // Set by EndRun; cleared by whoever wrote the memory out.
    bool runEnded = false;
    QByteArray memoryJson() const;

private:
    Answer packet(const QByteArray &input);

    SimSchedule m_schedule;
    qint64 m_requests = 0;
    qint64 m_readies = 0;
    qint64 m_packets = 0;
    // The sequence being received: its key, the next position and the codes so far.
    int m_key = -1;
    int m_next = 0;
    QByteArray m_codes;
    QByteArray m_lastTaken;
    QMap<int, QByteArray> m_memory;
};
