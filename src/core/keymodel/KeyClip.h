// SPDX-License-Identifier: MIT
#pragma once

#include "KeyCell.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class KeyGrid;
class LabelCodec;
class QMimeData;
struct ProgramProfile;

// Keys copied out of a layout: each key's content (label, colour and codes) and where it stood,
// so that a paste puts them down in the same places relative to each other. On the clipboard it
// travels as JSON of our own type, each key an object as tvrtool export writes it, and as text
// that a person can read, the keys listed as tvrtool show --codes lists them.
struct KeyClip
{
    struct Key
    {
        int index; // where it stood in the layout it came from
        KeyCell content;
    };

    static constexpr char MimeType[] = "application/x-tavrin-keys";
    static constexpr char Format[] = "tvrtool-keys";
    static constexpr int Version = 1;

    const ProgramProfile *profile = nullptr;
    QList<Key> keys;

    // The keys at indices, in grid order.
    static KeyClip copy(const QList<KeyCell> &cells, const ProgramProfile &profile,
                        QList<int> indices);

    // Where each key lands when the clip is pasted from the key at index at, in the order of
    // keys; -1 for a key that would fall off the grid. A key whose place lies under a merged key
    // moves on along its row to the next shown cell that no other pasted key takes.
    QList<int> targets(const QList<KeyCell> &cells, int at) const;

    QByteArray toJson(const LabelCodec &codec) const;
    QString toText(const LabelCodec &codec) const;
    // A clip from JSON as toJson writes it; error says what is wrong with anything else.
    static std::optional<KeyClip> fromJson(const QByteArray &json, QString *error);

    // Both forms at once, for the clipboard or a drag.
    QMimeData *toMimeData(const LabelCodec &codec) const;
    // The keys the clipboard holds, if it holds keys.
    static std::optional<KeyClip> fromMimeData(const QMimeData &data);
};
