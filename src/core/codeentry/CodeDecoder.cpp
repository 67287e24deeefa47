// SPDX-License-Identifier: MIT
#include "CodeDecoder.h"

#include "ScanTable.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringList>

#include <algorithm>

namespace {

// The longest group the capture makes: an extended key with fake shifts and all three modifiers.
constexpr qsizetype LongestGroup = 19;

struct KeyName
{
    quint8 code;
    const char *plain;    // the key that sends the code by itself
    const char *extended; // the key that sends it behind E0 (or E1 for Pause), if there is one
};

// Names of the set-2 make codes the scan table yields, for a US keyboard.
constexpr KeyName KeyNames[] = {
    {0x01, "F9", nullptr},
    {0x03, "F5", nullptr},
    {0x04, "F3", nullptr},
    {0x05, "F1", nullptr},
    {0x06, "F2", nullptr},
    {0x07, "F12", nullptr},
    {0x09, "F10", nullptr},
    {0x0A, "F8", nullptr},
    {0x0B, "F6", nullptr},
    {0x0C, "F4", nullptr},
    {0x0D, "Tab", nullptr},
    {0x0E, "`", nullptr},
    {0x11, "Alt", "Right Alt"},
    {0x12, "Shift", nullptr},
    {0x13, "Katakana/Hiragana", nullptr},
    {0x14, "Ctrl", "Right Ctrl"},
    {0x15, "Q", nullptr},
    {0x16, "1", nullptr},
    {0x1A, "Z", nullptr},
    {0x1B, "S", nullptr},
    {0x1C, "A", nullptr},
    {0x1D, "W", nullptr},
    {0x1E, "2", nullptr},
    {0x21, "C", nullptr},
    {0x22, "X", nullptr},
    {0x23, "D", nullptr},
    {0x24, "E", nullptr},
    {0x25, "4", nullptr},
    {0x26, "3", nullptr},
    {0x29, "Space", nullptr},
    {0x2A, "V", nullptr},
    {0x2B, "F", nullptr},
    {0x2C, "T", nullptr},
    {0x2D, "R", nullptr},
    {0x2E, "5", nullptr},
    {0x31, "N", nullptr},
    {0x32, "B", nullptr},
    {0x33, "H", nullptr},
    {0x34, "G", nullptr},
    {0x35, "Y", nullptr},
    {0x36, "6", nullptr},
    {0x3A, "M", nullptr},
    {0x3B, "J", nullptr},
    {0x3C, "U", nullptr},
    {0x3D, "7", nullptr},
    {0x3E, "8", nullptr},
    {0x41, ",", nullptr},
    {0x42, "K", nullptr},
    {0x43, "I", nullptr},
    {0x44, "O", nullptr},
    {0x45, "0", nullptr},
    {0x46, "9", nullptr},
    {0x49, ".", nullptr},
    {0x4A, "/", "Keypad /"},
    {0x4B, "L", nullptr},
    {0x4C, ";", nullptr},
    {0x4D, "P", nullptr},
    {0x4E, "-", nullptr},
    {0x51, "Ro", nullptr},
    {0x52, "'", nullptr},
    {0x54, "[", nullptr},
    {0x55, "=", nullptr},
    {0x58, "Caps Lock", nullptr},
    {0x59, "Right Shift", nullptr},
    {0x5A, "Enter", "Keypad Enter"},
    {0x5B, "]", nullptr},
    {0x5D, "\\", nullptr},
    {0x61, "102nd Key", nullptr},
    {0x64, "Henkan", nullptr},
    {0x66, "Backspace", nullptr},
    {0x67, "Muhenkan", nullptr},
    {0x69, "Keypad 1", "End"},
    {0x6A, "Yen", nullptr},
    {0x6B, "Keypad 4", "Left"},
    {0x6C, "Keypad 7", "Home"},
    {0x70, "Keypad 0", "Insert"},
    {0x71, "Keypad .", "Delete"},
    {0x72, "Keypad 2", "Down"},
    {0x73, "Keypad 5", nullptr},
    {0x74, "Keypad 6", "Right"},
    {0x75, "Keypad 8", "Up"},
    {0x76, "Esc", nullptr},
    {0x77, "Num Lock", "Pause"},
    {0x78, "F11", nullptr},
    {0x79, "Keypad +", nullptr},
    {0x7A, "Keypad 3", "Page Down"},
    {0x7B, "Keypad -", nullptr},
    {0x7C, "Keypad *", "Print Screen"},
    {0x7D, "Keypad 9", "Page Up"},
    {0x7E, "Scroll Lock", "Break"},
    {0x83, "F7", nullptr},
    {0x84, "SysRq", nullptr},
};

const KeyName *keyName(quint8 code)
{
    const auto it = std::lower_bound(std::begin(KeyNames), std::end(KeyNames), code,
                                     [](const KeyName &k, quint8 c) { return k.code < c; });
    return it != std::end(KeyNames) && it->code == code ? it : nullptr;
}

// Every group the capture can make, each with the first stroke that makes it. Num Lock off
// comes first and scans ascend, so a group that Num Lock does not change reads without it and a
// key that several scan bytes reach reads as the usual one.
const QHash<QByteArray, KeyStroke> &groupTable()
{
    static const QHash<QByteArray, KeyStroke> table = [] {
        QHash<QByteArray, KeyStroke> t;
        for (bool numLock : {false, true}) {
            for (int scan = 0; scan < 256; ++scan) {
                if (!ScanToCode(quint8(scan)) || CodeGroup::isModifierScan(quint8(scan)))
                    continue;
                for (bool extended : {false, true}) {
                    for (int mods = 0; mods < 8; ++mods) {
                        const KeyStroke s{quint8(scan),   extended,       bool(mods & 1),
                                          bool(mods & 2), bool(mods & 4), numLock};
                        // A group made before keeps its first stroke.
                        if (const QByteArray g = MakeCodes(s); !t.contains(g))
                            t.insert(g, s);
                    }
                }
            }
        }
        return t;
    }();
    return table;
}

} // namespace

DecodedCodes decodeCodes(QByteArrayView codes)
{
    const QHash<QByteArray, KeyStroke> &table = groupTable();
    DecodedCodes d;
    qsizetype at = 0;
    while (at < codes.size()) {
        // No group is the start of another, so the first length that matches is the group.
        bool found = false;
        for (qsizetype n = 1; n <= std::min(LongestGroup, codes.size() - at) && !found; ++n) {
            // Looked up in place; only a group found is copied.
            const auto it = table.constFind(QByteArray::fromRawData(codes.data() + at, n));
            if (it == table.constEnd())
                continue;
            d.groups.append({codes.sliced(at, n).toByteArray(), it.value()});
            at += n;
            found = true;
        }
        if (!found)
            break;
    }
    d.stoppedAt = at;
    d.rest = codes.sliced(at).toByteArray();
    return d;
}

QString strokeName(const KeyStroke &stroke)
{
    QStringList parts;
    if (stroke.ctrl)
        parts << QStringLiteral("Ctrl");
    if (stroke.alt)
        parts << QStringLiteral("Alt");
    if (stroke.shift)
        parts << QStringLiteral("Shift");

    const std::optional<quint8> code = ScanToCode(stroke.scan);
    if (!code)
        return QCoreApplication::translate("CodeDecoder", "scan %1")
            .arg(hexBytes(QByteArray(1, char(stroke.scan))));
    const bool prefixed = CodeGroup::isPrefixed(*code, stroke.extended);
    const KeyName *name = keyName(*code);
    QStringList notes;
    QString key;
    if (!name)
        key = hexBytes(QByteArray(1, char(*code)));
    else if (prefixed && name->extended)
        key = QString::fromLatin1(name->extended);
    else
        key = QString::fromLatin1(name->plain);
    if (prefixed && (!name || !name->extended))
        notes << QCoreApplication::translate("CodeDecoder", "extended");
    if (stroke.numLock)
        notes << QCoreApplication::translate("CodeDecoder", "Num Lock on");
    parts << key;
    QString text = parts.join(u'+');
    if (!notes.isEmpty())
        text += QStringLiteral(" (%1)").arg(notes.join(QStringLiteral(", ")));
    return text;
}

std::optional<QByteArray> groupNamed(const QString &name)
{
    // Every group by the name it reads back as, so that a name is taken exactly as shown.
    static const QHash<QString, QByteArray> byName = [] {
        QHash<QString, QByteArray> names;
        for (auto it = groupTable().cbegin(); it != groupTable().cend(); ++it)
            names.insert(strokeName(it.value()).toCaseFolded(), it.key());
        return names;
    }();
    const auto it = byName.constFind(name.trimmed().toCaseFolded());
    if (it == byName.cend())
        return std::nullopt;
    return it.value();
}

QString readableCodes(QByteArrayView codes)
{
    if (codes.isEmpty())
        return QCoreApplication::translate("CodeDecoder", "no codes");
    const DecodedCodes d = decodeCodes(codes);
    QStringList strokes;
    for (const DecodedCodes::Group &g : d.groups)
        strokes << strokeName(g.stroke);
    if (!d.whole())
        strokes << QCoreApplication::translate("CodeDecoder", "%1at byte %2 not a whole group: %3")
                       .arg(d.groups.isEmpty()
                                ? QString()
                                : QCoreApplication::translate("CodeDecoder", "then "))
                       .arg(d.stoppedAt)
                       .arg(hexBytes(d.rest));
    return strokes.join(QStringLiteral(", "));
}

QString hexBytes(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes.toByteArray().toHex(' ').toUpper());
}
