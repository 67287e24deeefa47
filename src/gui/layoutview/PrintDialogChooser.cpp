// SPDX-License-Identifier: MIT
#include "PrintDialogChooser.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// The toolkit's dialog on a system with a print server offers a page range and a set of pages
// (odd, even) whatever the options say, and passes them to the server: a range past the one
// page, or "even pages", prints a blank sheet and nobody is told. Its range box and page-set
// choice are hidden each time the dialog is shown, after the dialog has set them up.
class PageChoiceHider : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            hidePageChoices(*static_cast<QWidget *>(watched));
        return QObject::eventFilter(watched, event);
    }

private:
    static void hidePageChoices(QWidget &dialog)
    {
        for (const char *name : {"gbPrintRange", "pageSetCombo", "pageSetLabel"})
            if (auto *w = dialog.findChild<QWidget *>(QLatin1String(name)))
                w->setVisible(false);
    }
};

} // namespace

bool PrintDialogChooser::choosePrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, m_parent);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    // Printing to a PDF file stays: a sheet may go to a print shop, and a machine without a
    // printer has nothing else to offer.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintToFile);
    PageChoiceHider hider;
    dialog.installEventFilter(&hider);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    // Whatever the dialog left, the job is the whole of its one page.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
    return accepted;
}
