// SPDX-License-Identifier: MIT
#include "KeyCell.h"

#include <algorithm>

void KeyCell::ResetKey(const QByteArray &defaultLabel)
{
    Color = ButtonFace;
    Caption = defaultLabel;
    RowSpan = 1;
    ColSpan = 1;
    CodeCount = 0;
    Visible = true;
}

QByteArrayView KeyCell::usedCodes() const
{
    return {reinterpret_cast<const char *>(Codes.data()), std::clamp(CodeCount, 0, MaxCodes)};
}
