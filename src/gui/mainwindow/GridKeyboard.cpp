// SPDX-License-Identifier: MIT
#include "GridKeyboard.h"

#include "TMainDlg.h"
#include "keymodel/KeyNavigation.h"
#include "keymodel/KeySelection.h"
#include "keymodel/TKey.h"

#include <QAccessible>
#include <QAction>
#include <QKeyEvent>
#include <QWidget>

#include <optional>

namespace {

std::optional<KeyNavigation::Move> moveFor(int key)
{
    using Move = KeyNavigation::Move;
    switch (key) {
    case Qt::Key_Left:
        return Move::Left;
    case Qt::Key_Right:
        return Move::Right;
    case Qt::Key_Up:
        return Move::Up;
    case Qt::Key_Down:
        return Move::Down;
    case Qt::Key_Home:
        return Move::First;
    case Qt::Key_End:
        return Move::Last;
    default:
        return std::nullopt;
    }
}

} // namespace

GridKeyboard::GridKeyboard(TMainDlg &window, QWidget *area)
    : QObject(area), m_window(window), m_area(area)
{
    // The grid is the one place in the window that takes the focus, so Tab keeps it there.
    area->setFocusPolicy(Qt::StrongFocus);
    area->setAccessibleName(tr("Keys"));
    area->installEventFilter(this);
}

void GridKeyboard::announceSelected()
{
    // The grid's area keeps the keyboard focus, so a screen reader learns of the key reached
    // only from this: the selected key, the one just reached or the one just merged with it.
    if (TKey *key = m_window.SelectedKey(); key && QAccessible::isActive()) {
        QAccessibleEvent focus(key, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

bool GridKeyboard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area && event->type() == QEvent::KeyPress)
        return keyPressed(*static_cast<QKeyEvent *>(event));
    return QObject::eventFilter(watched, event);
}

bool GridKeyboard::focusKeyPressed(const QKeyEvent &event)
{
    KeySelection &selection = m_window.selection();
    const int from = selection.focus() >= 0 ? selection.focus() : selection.current();
    if (const auto move = moveFor(event.key())) {
        if (const int next = KeyNavigation::target(m_window.grid(), from, *move); next >= 0)
            selection.setFocus(next);
        return true;
    }
    if (event.key() == Qt::Key_Space) {
        const int key = from >= 0 ? from
                                  : KeyNavigation::target(m_window.grid(), -1,
                                                          KeyNavigation::Move::First);
        m_window.KeyClick(m_window.key(key), Qt::ControlModifier);
        return true;
    }
    return false;
}

bool GridKeyboard::keyPressed(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier)
        return focusKeyPressed(event);
    // Other Ctrl and Alt combinations belong to the menus.
    if (modifiers & ~Qt::ShiftModifier)
        return false;
    if (event.key() == Qt::Key_Escape && m_window.selection().count() > 1) {
        m_window.backToOneKey();
        return true;
    }
    const int selected = m_window.selectedIndex();
    if (const auto move = moveFor(event.key())) {
        const int next = KeyNavigation::target(m_window.grid(), selected, *move);
        if (next >= 0 && next != selected) {
            m_window.KeyClick(m_window.key(next), selected < 0 ? Qt::NoModifier : modifiers);
            announceSelected();
        }
        return true;
    }
    switch (event.key()) {
    case Qt::Key_Space:
        // A click on the selected key; with none selected, the first key is taken.
        if (selected >= 0)
            m_window.KeyClick(m_window.key(selected), modifiers);
        else
            m_window.KeyClick(m_window.key(KeyNavigation::target(m_window.grid(), -1,
                                                                 KeyNavigation::Move::First)),
                              Qt::NoModifier);
        announceSelected();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        if (QAction *label = m_window.action(Command::Label); label && label->isEnabled())
            label->trigger();
        return true;
    default:
        return false;
    }
}
