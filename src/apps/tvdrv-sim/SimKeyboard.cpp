// SPDX-License-Identifier: MIT
#include "SimKeyboard.h"

#include "profile/ProgramProfile.h"
#include "programming/DriverProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

using DriverProtocol::EndMark;
using DriverProtocol::MaxPosition;

// The keyboard takes the key numbers of both programs: its keys and its key lock's positions.
bool isKeyNumber(int k)
{
    const auto &programs = ProgramProfile::all();
    return std::any_of(programs.begin(), programs.end(),
                       [k](const ProgramProfile *p) { return p->hasKeyNumber(k); });
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace

NumberSet NumberSet::parse(const QString &text, bool *ok)
{
    NumberSet set;
    *ok = true;
    for (const QString &part : text.split(u',', Qt::SkipEmptyParts)) {
        const QStringList ends = part.split(u'-');
        bool firstOk = false, lastOk = true;
        const qint64 first = ends.value(0).trimmed().toLongLong(&firstOk);
        const qint64 last = ends.size() == 2 ? ends[1].trimmed().toLongLong(&lastOk) : first;
        if (ends.size() > 2 || !firstOk || !lastOk || first < 1 || last < first) {
            *ok = false;
            return {};
        }
        set.m_ranges.append({first, last});
    }
    return set;
}

bool NumberSet::contains(qint64 n) const
{
    for (const auto &[first, last] : m_ranges)
        if (n >= first && n <= last)
            return true;
    return false;
}

SimKeyboard::SimKeyboard(SimSchedule schedule) : m_schedule(std::move(schedule)) {}

SimKeyboard::Answer SimKeyboard::handle(Session &session, quint8 code, const QByteArray &input)
{
    using State = Session::State;
    ++m_requests;
    if (m_schedule.drop.contains(m_requests))
        return {Outcome::HangUp, QStringLiteral("request %1: hanging up (--drop)").arg(code)};
    if ((code == DriverProtocol::SendPacketCode) != (input.size() == DriverProtocol::PacketSize) ||
        code < DriverProtocol::SendPacketCode || code > DriverProtocol::BeginRunCode)
        return {Outcome::No, QStringLiteral("request %1 with %2 input bytes: not a request of "
                                            "this keyboard")
                                 .arg(code)
                                 .arg(input.size())};

    if (code == DriverProtocol::IsReadyCode) {
        ++m_readies;
        if (session.state != State::Idle)
            return {Outcome::No, QStringLiteral("IsReady: refused, the last exchange was never "
                                                "ended with EndExchange")};
        if (m_schedule.neverReady || m_schedule.refuseReady.contains(m_readies))
            return {Outcome::No, QStringLiteral("IsReady: not ready (schedule)")};
        session.state = State::Ready;
        return {Outcome::Yes, QStringLiteral("IsReady")};
    }
    if (code == DriverProtocol::EndExchangeCode) {
        if (session.state == State::Idle)
            return {Outcome::No, QStringLiteral("EndExchange: no exchange open")};
        session.state = State::Idle;
        return {Outcome::Yes, QStringLiteral("EndExchange")};
    }

    const QString name = code == DriverProtocol::SendPacketCode ? QStringLiteral("SendPacket")
                         : code == DriverProtocol::EndRunCode   ? QStringLiteral("EndRun")
                                                                : QStringLiteral("BeginRun");
    if (session.state != State::Ready)
        return {Outcome::No, name + QStringLiteral(": refused, not right after a successful "
                                                   "IsReady")};
    session.state = State::Used;
    if (code == DriverProtocol::EndRunCode)
        runEnded = true;
    if (code != DriverProtocol::SendPacketCode)
        return {Outcome::Yes, name};
    return packet(input);
}

SimKeyboard::Answer SimKeyboard::packet(const QByteArray &input)
{
    ++m_packets;
    const QString shown = QStringLiteral("SendPacket %1").arg(hex(input));
    auto refuse = [&](const QString &why) {
        return Answer{Outcome::No, shown + QStringLiteral(": refused, ") + why};
    };
    if (m_schedule.refusePacket.contains(m_packets))
        return refuse(QStringLiteral("schedule"));

    const quint8 value = quint8(input[1]);
    const int position = quint8(input[2]);
    const int key = quint8(input[3]);
    if (quint8(input[0]) != DriverProtocol::HeadMark ||
        quint8(input[4]) != DriverProtocol::TailMark)
        return refuse(QStringLiteral("a packet starts with F1 and ends with F4"));
    if (!isKeyNumber(key))
        return refuse(QStringLiteral("there is no key number %1").arg(key));
    if (input == m_lastTaken) // its answer was lost on the way: take it again, change nothing
        return {Outcome::Yes, shown + QStringLiteral(" (again)")};
    if (position > MaxPosition || (value != EndMark && position == MaxPosition))
        return refuse(QStringLiteral("a key holds at most %1 codes").arg(MaxPosition));
    if (position != 0 && (key != m_key || position != m_next))
        return refuse(
            m_key < 0 ? QStringLiteral("a key's codes start at position 0")
                      : QStringLiteral("expected position %1 of key %2").arg(m_next).arg(m_key));
    if (position == 0) {
        m_key = key;
        m_codes.clear();
    }
    m_lastTaken = input;
    if (value == EndMark) {
        m_memory[key] = m_codes;
        m_key = -1;
        m_next = 0;
        return {Outcome::Yes,
                shown + QStringLiteral(" key %1 now holds [%2]").arg(key).arg(hex(m_codes))};
    }
    m_codes.append(char(value));
    m_next = position + 1;
    return {Outcome::Yes, shown};
}

QByteArray SimKeyboard::memoryJson() const
{
    QJsonArray keys;
    for (auto it = m_memory.cbegin(); it != m_memory.cend(); ++it)
        keys.append(QJsonObject{{QStringLiteral("key"), it.key()},
                                {QStringLiteral("codes"), hex(it.value())}});
    return QJsonDocument(QJsonObject{{QStringLiteral("keys"), keys}}).toJson();
}
