// SPDX-License-Identifier: MIT
#include "LabelValidator.h"

#include "keymodel/LabelCodec.h"

#include <algorithm>

LabelValidator::LabelValidator(const LabelCodec &codec, qsizetype byteLimit, QObject *parent)
    : QValidator(parent), m_codec(codec), m_limit(byteLimit)
{
}

QString LabelValidator::fitting(QStringView text, qsizetype byteBudget) const
{
    QString fitted;
    for (qsizetype at = 0; at < text.size();) {
        // A character outside the basic plane is two code units; it stays whole.
        const qsizetype units =
            text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate() ? 2
                                                                                                : 1;
        const QString character = text.sliced(at, units).toString();
        at += units;
        if (!m_codec.canEncode(character))
            continue;
        byteBudget -= m_codec.byteLength(character);
        if (byteBudget < 0)
            break;
        fitted += character;
    }
    return fitted;
}

QValidator::State LabelValidator::validate(QString &input, int &pos) const
{
    // An edit replaces a stretch of the old text with what was typed or pasted, and leaves the
    // cursor after it: what the old and new texts share at either end, up to the cursor, stayed.
    const QString &old = m_last;
    const qsizetype maxHead = std::min({qsizetype(pos), old.size(), input.size()});
    qsizetype head = 0;
    while (head < maxHead && old[head] == input[head])
        ++head;
    const qsizetype maxTail = std::min(input.size() - pos, old.size() - head);
    qsizetype tail = 0;
    while (tail < maxTail && old[old.size() - 1 - tail] == input[input.size() - 1 - tail])
        ++tail;

    const QString kept = input.first(head);
    const QString after = input.last(tail);
    const QStringView added = QStringView(input).sliced(head, input.size() - head - tail);
    if (!added.isEmpty()) {
        const qsizetype budget = m_limit - m_codec.byteLength(kept) - m_codec.byteLength(after);
        const QString fitted = fitting(added, budget);
        if (fitted.size() != added.size()) {
            input = kept + fitted + after;
            pos = int(head + fitted.size());
        }
    }
    m_last = input;
    return Acceptable;
}
