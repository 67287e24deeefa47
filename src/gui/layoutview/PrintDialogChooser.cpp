// SPDX-License-Identifier: MIT
#include "PrintDialogChooser.h"

#include <QPrintDialog>
#include <QPrinter>

bool PrintDialogChooser::choosePrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, m_parent);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}
