// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <optional>

// How the main window has a key's label edited, so that its Label command can be tested with
// an answer instead of the real dialog.
class LabelEditor
{
public:
    virtual ~LabelEditor() = default;
    // Offers the label, as the key stores it, for editing. Returns the label to store when the
    // user confirms, nothing when the edit was cancelled.
    virtual std::optional<QByteArray> editLabel(const QByteArray &label) = 0;
};
