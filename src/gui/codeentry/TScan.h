// SPDX-License-Identifier: MIT
#pragma once

#include "codeentry/CodeGroup.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QPlainTextEdit>

#include <memory>
#include <optional>

class Prompter;
class QKeyEvent;

// The capture control: a read-only list of code bytes, one line of two hex digits each. Every
// key that goes down while it has the focus, repeats included, adds that stroke's whole code
// group; no key ever types a character, moves the focus or reaches the dialog's buttons. This
// is the only place that reads the platform's key events.
class TScan : public QPlainTextEdit
{
    Q_OBJECT
public:
    // Which native data the platform's key events carry.
    enum class KeyData
    {
        X11,     // X key code and X modifier state (X11 and Wayland)
        Windows, // scan byte with extended flag, and the key states
        QtKey    // none worth reading: the toolkit's key is all there is
    };

    // programName titles the limit message.
    explicit TScan(const QString &programName, QWidget *parent = nullptr);
    ~TScan() override;

    static KeyData platformKeyData();
    void setKeyData(KeyData data) { m_keyData = data; }
    // Where the limit message goes.
    void setPrompter(std::unique_ptr<Prompter> prompter);

    // Records one stroke; a modifier alone or a key without a code records nothing.
    void CaptureKey(const KeyStroke &stroke);
    // Appends the bytes as lines, all of them, or none with the limit message when they would
    // bring the list past the most a key may hold. Returns whether they were added.
    bool AddCodes(QByteArrayView bytes);
    QByteArray GetCodes() const;
    int lineCount() const;

protected:
    bool event(QEvent *event) override;
    // Where each stroke's group goes: into the list. A control that only watches the strokes
    // takes them elsewhere, and the capture stays the same.
    virtual void takeGroup(const QByteArray &group) { AddCodes(group); }

private:
    std::optional<KeyStroke> strokeFrom(const QKeyEvent &event) const;

    std::unique_ptr<Prompter> m_prompter;
    KeyData m_keyData;
    quint32 m_x11NumLockMask;
};
