// SPDX-License-Identifier: MIT
#pragma once

#include "keymodel/LabelCodec.h"

#include <QString>
#include <QValidator>

// Keeps a label being edited within what a key record can store: a limited number of bytes in
// the label's code page (a double-byte character takes two), and only characters that code page
// holds. Like a length-limited edit box it cuts typed, pasted or dropped text to what still fits
// instead of refusing the whole of it, and it never cuts text that was already there.
class LabelValidator : public QValidator
{
public:
    LabelValidator(const LabelCodec &codec, qsizetype byteLimit, QObject *parent = nullptr);

    // The text the next edit starts from, taken as it is even when it is longer than the
    // limit; call it before putting a new text into the edit box.
    void setBaseline(const QString &text) { m_last = text; }
    State validate(QString &input, int &pos) const override;

    // The longest start of text that fits into byteBudget bytes, leaving out the characters the
    // code page cannot hold.
    QString fitting(QStringView text, qsizetype byteBudget) const;

private:
    const LabelCodec m_codec;
    qsizetype m_limit;
    // What the last edit left; comparing it with the new text tells what was put in.
    mutable QString m_last;
};
