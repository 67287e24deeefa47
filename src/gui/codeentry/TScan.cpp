// SPDX-License-Identifier: MIT
#include "TScan.h"

#include "X11NumLock.h"
#include "codeentry/NativeKeys.h"
#include "common/DialogPrompter.h"
#include "profile/Messages.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QStringList>

TScan::TScan(const QString &programName, QWidget *parent)
    : QPlainTextEdit(parent), m_prompter(std::make_unique<DialogPrompter>(this, programName)),
      m_keyData(platformKeyData()), m_x11NumLockMask(X11NumLock::mask())
{
    setUndoRedoEnabled(false);
    setFocusPolicy(Qt::StrongFocus);
    // Nothing is ever typed or dropped in: the lines come from key strokes only.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setAcceptDrops(false);
    // The Menu key records nothing; a menu it opened would only swallow the next click.
    setContextMenuPolicy(Qt::NoContextMenu);
}

TScan::~TScan() = default;

TScan::KeyData TScan::platformKeyData()
{
#ifdef Q_OS_WIN
    return KeyData::Windows;
#else
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")))
        return KeyData::X11;
    return KeyData::QtKey;
#endif
}

void TScan::setPrompter(std::unique_ptr<Prompter> prompter)
{
    m_prompter = std::move(prompter);
}

bool TScan::event(QEvent *e)
{
    switch (e->type()) {
    case QEvent::ShortcutOverride:
        // Claimed before any shortcut, focus move or default button can act on the key.
        e->accept();
        return true;
    case QEvent::KeyPress:
        if (const std::optional<KeyStroke> stroke = strokeFrom(*static_cast<QKeyEvent *>(e)))
            CaptureKey(*stroke);
        e->accept();
        return true;
    case QEvent::KeyRelease:
        // The release part of a group was made at the key-down.
        e->accept();
        return true;
    default:
        return QPlainTextEdit::event(e);
    }
}

std::optional<KeyStroke> TScan::strokeFrom(const QKeyEvent &e) const
{
    // Events made up inside the program carry no native data; the toolkit's key then tells.
    if (e.nativeScanCode() != 0) {
        switch (m_keyData) {
        case KeyData::X11:
            return NativeKeys::fromX11(e.nativeScanCode(), e.nativeModifiers(), m_x11NumLockMask);
        case KeyData::Windows:
            return NativeKeys::fromWindows(e.nativeScanCode(), e.nativeModifiers());
        case KeyData::QtKey:
            break;
        }
    }
    return NativeKeys::fromQtKey(e.key(), e.modifiers());
}

void TScan::CaptureKey(const KeyStroke &stroke)
{
    if (CodeGroup::isModifierScan(stroke.scan))
        return;
    const QByteArray group = MakeCodes(stroke);
    if (!group.isEmpty())
        takeGroup(group);
}

bool TScan::AddCodes(QByteArrayView bytes)
{
    if (!CodeGroup::fits(lineCount(), bytes.size())) {
        m_prompter->failure(Messages::shown(Messages::CodeLimit));
        // The box took the focus; without a window manager nobody gives it back, and the next
        // strokes would be lost. Asked for once the box is gone: the system ignores a request
        // older than the focus change that closing the box made.
        if (isVisible()) {
            QTimer::singleShot(0, this, [this] {
                if (!isVisible())
                    return;
                window()->activateWindow();
                setFocus(Qt::OtherFocusReason);
            });
        }
        return false;
    }
    if (bytes.isEmpty())
        return true;
    QStringList lines;
    lines.reserve(bytes.size());
    for (char b : bytes)
        lines << QStringLiteral("%1").arg(quint8(b), 2, 16, QLatin1Char('0')).toUpper();
    appendPlainText(lines.join(u'\n'));
    moveCursor(QTextCursor::End);
    ensureCursorVisible();
    return true;
}

QByteArray TScan::GetCodes() const
{
    QByteArray codes;
    const QStringList lines = toPlainText().split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines)
        codes += char(line.toUInt(nullptr, 16));
    return codes;
}

int TScan::lineCount() const
{
    return document()->isEmpty() ? 0 : document()->blockCount();
}
