// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class TMainDlg;
class QKeyEvent;
class QWidget;

// The key grid worked from the keyboard. The grid's area takes the focus; the arrow keys, Home
// and End move the selection as a click on the key they reach would, Shift with them as a
// Shift+click (so Shift+Right and Shift+Down merge), Space clicks the selected key (Shift+Space
// splits it), and Enter or F2 opens the label dialog. The sunk edge of the selected key is the
// only mark of a lone selection; with Ctrl the arrows move a dotted focus mark instead, and
// Ctrl+Space toggles the key under it. Escape goes back from several keys to one.
class GridKeyboard : public QObject
{
    Q_OBJECT
public:
    GridKeyboard(TMainDlg &window, QWidget *area);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyPressed(const QKeyEvent &event);
    void announceSelected();
    // Ctrl with an arrow, Home or End moves the focus mark and leaves the selection as it is;
    // Ctrl+Space adds the key under the mark or takes it out, as Ctrl+click does.
    bool focusKeyPressed(const QKeyEvent &event);

    TMainDlg &m_window;
    QWidget *m_area;
};
