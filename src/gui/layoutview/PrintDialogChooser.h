// SPDX-License-Identifier: MIT
#pragma once

#include "PrintChooser.h"

class QWidget;

// The toolkit's own print dialog, offering only what a one-page layout needs: no page range,
// no selection and no printing to a file.
class PrintDialogChooser : public PrintChooser
{
public:
    explicit PrintDialogChooser(QWidget *parent) : m_parent(parent) {}

    bool choosePrinter(QPrinter &printer) override;

private:
    QWidget *m_parent;
};
