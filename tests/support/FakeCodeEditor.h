// SPDX-License-Identifier: MIT
#pragma once

#include "codeentry/CodeEditor.h"

#include <QList>

// Answers the code dialog from a script and remembers the codes it was shown each time.
class FakeCodeEditor : public CodeEditor
{
public:
    QList<QByteArray> shown;
    std::optional<QByteArray> answer; // nothing means Cancel

    std::optional<QByteArray> EditCodes(QByteArrayView codes) override
    {
        shown << codes.toByteArray();
        return answer;
    }
};
