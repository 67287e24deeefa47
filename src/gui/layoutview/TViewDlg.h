// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class KeyGrid;
class PrintChooser;
class QPrinter;

// The "KeyView" window: the whole layout at physical size, and its printout on one page. It is
// made once, hidden until asked for, and closing it only hides it again.
class TViewDlg : public QWidget
{
    Q_OBJECT
public:
    // Dialogs that printing opens are centred on dialogParent, since the view may be hidden.
    explicit TViewDlg(const KeyGrid &grid, QWidget *dialogParent = nullptr);
    ~TViewDlg() override;

    void setPrintChooser(std::unique_ptr<PrintChooser> chooser);

    // Shows the window without blocking the others and brings it to the front; the first
    // time it is centred on the screen, afterwards it comes back where it was left.
    void showView();
    // Runs the print dialog and, unless it was cancelled, prints the layout on one page at the
    // printer's resolution. Returns the print service's complaint, or an empty text when the
    // page was handed over or nothing was to be printed. Neither shows nor repaints the window.
    QString PrintLayout();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const KeyGrid &m_grid;
    std::unique_ptr<PrintChooser> m_chooser;
    // Made on the first Print, since asking for the printers can take a while; it keeps the
    // user's printer settings from one job to the next.
    std::unique_ptr<QPrinter> m_printer;
    bool m_placed = false;
};
