// SPDX-License-Identifier: MIT
#include "KeyCell.h"

void KeyCell::ResetKey(const QByteArray &defaultLabel)
{
    Color = ButtonFace;
    Caption = defaultLabel;
    RowSpan = 1;
    ColSpan = 1;
    CodeCount = 0;
    Visible = true;
}
