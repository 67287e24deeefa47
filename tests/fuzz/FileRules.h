// SPDX-License-Identifier: MIT
#pragma once

// The rules a configuration file must meet for the programs to load it, written out from the
// file format itself and not from the reader, so that the fuzz targets can find the two
// disagreeing.

#include "profile/ProgramProfile.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace FileRules {

constexpr size_t MagicSize = 4;
constexpr size_t RecordSize = 92;
constexpr int MaxCodeCount = 63; // one byte of the 64 stays free for the end mark
constexpr size_t LabelAt = 8, LabelSize = 20;

struct Format
{
    const ProgramProfile &profile;
    const char *magic;
    int columns; // the key grid; cell i stands at column i / rows, row i % rows
    int rows;
    bool merging;

    int records() const { return columns * rows; }
    size_t size() const { return MagicSize + size_t(records()) * RecordSize; }
    const uint8_t *record(const uint8_t *file, int i) const
    {
        return file + MagicSize + size_t(i) * RecordSize;
    }
};

inline const Format &tavrin()
{
    static const Format f{ProgramProfile::tavrin(), "TVRN", 12, 7, true};
    return f;
}

inline const Format &quelda()
{
    static const Format f{ProgramProfile::quelda(), "MGKY", 7, 1, false};
    return f;
}

inline bool shown(const uint8_t *record)
{
    return record[0] == 1;
}

inline bool acceptable(const uint8_t *data, size_t size, const Format &f)
{
    if (size != f.size() || std::memcmp(data, f.magic, MagicSize) != 0)
        return false;
    for (int i = 0; i < f.records(); ++i) {
        const uint8_t *r = f.record(data, i);
        const int rowSpan = r[1], columnSpan = r[2], codeCount = r[3];
        if (codeCount > MaxCodeCount)
            return false;
        if (!f.merging) {
            if (rowSpan != 1 || columnSpan != 1)
                return false;
            continue;
        }
        if (rowSpan < 1 || columnSpan < 1 || i / f.rows + columnSpan > f.columns ||
            i % f.rows + rowSpan > f.rows)
            return false;
    }
    // Every shown key covers its own cell and those its spans reach. No cell lies under two
    // shown keys, and a cell that a key covers is hidden. A hidden cell under no key is fine.
    std::vector<int> keysOver(size_t(f.records()), 0);
    for (int i = 0; i < f.records(); ++i) {
        const uint8_t *r = f.record(data, i);
        if (!shown(r))
            continue;
        for (int c = 0; c < r[2]; ++c) {
            for (int w = 0; w < r[1]; ++w) {
                const int under = (i / f.rows + c) * f.rows + i % f.rows + w;
                if (++keysOver[size_t(under)] > 1 || (under != i && shown(f.record(data, under))))
                    return false;
            }
        }
    }
    return true;
}

// Whether every hidden cell has both spans 1, as a loaded layout always has: a merge over a
// hidden cell takes its spans as they stand.
inline bool hiddenSpansOne(const uint8_t *data, const Format &f)
{
    for (int i = 0; i < f.records(); ++i) {
        const uint8_t *r = f.record(data, i);
        if (!shown(r) && (r[1] != 1 || r[2] != 1))
            return false;
    }
    return true;
}

} // namespace FileRules
