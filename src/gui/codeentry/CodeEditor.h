// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// How the main window has a key's codes edited, so that its rules for the outcome are tested
// with a fake that answers instead of a real dialog.
class CodeEditor
{
public:
    virtual ~CodeEditor() = default;
    // Lets the user change the codes: the codes to keep when confirmed, nothing when cancelled.
    virtual std::optional<QByteArray> EditCodes(QByteArrayView codes) = 0;
};
