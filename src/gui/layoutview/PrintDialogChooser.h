// SPDX-License-Identifier: MIT
#pragma once

#include "PrintChooser.h"

class QWidget;

// The toolkit's own print dialog, offering only what a one-page layout needs: the printers and
// printing to a PDF file, with no page range, current page or selection.
class PrintDialogChooser : public PrintChooser
{
public:
    explicit PrintDialogChooser(QWidget *parent) : m_parent(parent) {}

    bool choosePrinter(QPrinter &printer) override;

private:
    QWidget *m_parent;
};
