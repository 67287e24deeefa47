// SPDX-License-Identifier: MIT
#pragma once

#include "KeyCell.h"

#include <QList>

struct ProgramProfile;

// One thing wrong with the keys of a configuration file, found by the same rules loading uses,
// but every one of them and with its place, so that a file can be mended by hand.
struct ConfigProblem
{
    enum class Kind
    {
        SpanBelowOne,   // field, value: the span
        SpanPastGrid,   // field, value: the span
        SpanInLockFile, // field, value: the span; key-lock positions are never merged
        TooManyCodes,   // value: the code count
        KeysOverlap,    // value: the cell that two keys cover; other: the key that came first
        EndMarkInCodes, // value: where the end mark stands among the codes
        HiddenSpan,     // field, value: the span of a hidden cell, which loads as 1
    };
    enum class Field
    {
        None,
        ColSpan,
        RowSpan,
        CodeCount,
        Codes
    };

    Kind kind;
    int key;
    Field field = Field::None;
    int value = 0;
    int other = -1;

    // Loading refuses a file for any of these but two. It takes the end mark as it is: the
    // programming run then ends that key's codes there. It gives a hidden cell spans 1: a merge
    // over such a cell would otherwise uncover cells of other keys.
    bool refusesLoad() const { return kind != Kind::EndMarkInCodes && kind != Kind::HiddenSpan; }
    // The field's name in messages: "column span", "row span", "code count", "codes".
    QString fieldName() const;
    bool operator==(const ConfigProblem &) const = default;
};

namespace ConfigCheck {

// Every problem of a loaded grid's cells, key by key. Overlaps are looked for only when every
// span lies inside the grid.
QList<ConfigProblem> problems(const QList<KeyCell> &cells, const ProgramProfile &profile);

} // namespace ConfigCheck
