// SPDX-License-Identifier: MIT
#pragma once

#include "KeyCell.h"

#include <QByteArrayView>

// The fixed 92-byte form of one key in a configuration file.
namespace KeyRecord {

inline constexpr int Size = 92;
inline constexpr int LabelSize = 20;

void WriteKeyRecord(const KeyCell &key, QByteArray &out);
// record must hold at least Size bytes.
KeyCell ReadKeyRecord(QByteArrayView record);

} // namespace KeyRecord
