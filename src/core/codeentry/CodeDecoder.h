// SPDX-License-Identifier: MIT
#pragma once

#include "CodeGroup.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// A key's codes read back as the strokes that made them, through the same table and group rules
// the capture uses: a group decodes to a stroke exactly when that stroke makes it. Files made by
// hand may hold bytes that are no run of whole groups; decoding then stops where the first byte
// begins that starts no group, and the rest is left as bytes.
struct DecodedCodes
{
    struct Group
    {
        QByteArray bytes;
        KeyStroke stroke; // the simplest stroke that makes bytes
    };
    QList<Group> groups;
    qsizetype stoppedAt = 0; // bytes taken by whole groups
    QByteArray rest;         // the bytes from stoppedAt on

    bool whole() const { return rest.isEmpty(); }
};

DecodedCodes decodeCodes(QByteArrayView codes);

// "Shift+A", "Ctrl+Alt+Delete", "Up (Num Lock on)": the modifiers as Ctrl, Alt, Shift, then the
// key, then what else shaped the group.
QString strokeName(const KeyStroke &stroke);

// The group a stroke named as strokeName() names it makes, as capturing the stroke would; case
// does not matter. Nothing for a name no stroke has.
std::optional<QByteArray> groupNamed(const QString &name);

// The whole sequence for people: the strokes joined by ", ", and where decoding stopped, the
// rest as hex: "Shift+A, then at byte 6 not a whole group: 1C F0". Empty codes read "no codes".
QString readableCodes(QByteArrayView codes);

// Bytes as upper-case hex pairs separated by spaces: "12 1C F0".
QString hexBytes(QByteArrayView bytes);
