// SPDX-License-Identifier: MIT
#pragma once

class QPrinter;

// The print dialog, behind an interface so that tests can answer it and hand over a printer
// that writes a file instead of paper.
class PrintChooser
{
public:
    virtual ~PrintChooser() = default;

    // Lets the user pick the printer and its settings (paper, orientation, copies) into
    // printer. Returns false when the user cancelled.
    virtual bool choosePrinter(QPrinter &printer) = 0;
};
