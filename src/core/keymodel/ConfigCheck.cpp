// SPDX-License-Identifier: MIT
#include "ConfigCheck.h"

#include "profile/ProgramProfile.h"

#include <QCoreApplication>

#include <algorithm>

namespace ConfigCheck {

namespace {

using Kind = ConfigProblem::Kind;
using Field = ConfigProblem::Field;

void checkSpans(const KeyCell &k, int i, const ProgramProfile &profile, QList<ConfigProblem> &found)
{
    const auto span = [&](Field field, int value, int start, int extent) {
        if (!profile.mergesKeys()) {
            if (value != 1)
                found.append({Kind::SpanInLockFile, i, field, value});
        } else if (value < 1) {
            found.append({Kind::SpanBelowOne, i, field, value});
        } else if (start + value > extent) {
            found.append({Kind::SpanPastGrid, i, field, value});
        } else if (!k.Visible && value != 1) {
            found.append({Kind::HiddenSpan, i, field, value});
        }
    };
    span(Field::ColSpan, k.ColSpan, profile.column(i), profile.gridColumns);
    span(Field::RowSpan, k.RowSpan, profile.row(i), profile.gridRows);
}

void checkCodes(const KeyCell &k, int i, QList<ConfigProblem> &found)
{
    if (k.CodeCount > KeyCell::MaxCodes) {
        found.append({Kind::TooManyCodes, i, Field::CodeCount, k.CodeCount});
        return;
    }
    for (int p = 0; p < k.CodeCount; ++p) {
        if (k.Codes[p] == KeyCell::EndMark) {
            found.append({Kind::EndMarkInCodes, i, Field::Codes, p});
            return;
        }
    }
}

// No cell may lie under two shown keys. A shown cell lies under its own key, so this also
// refuses a shown cell inside a merged key. A hidden cell under no key is taken, with spans 1:
// files with one exist, and then it harms nothing.
void checkOverlaps(const QList<KeyCell> &cells, const ProgramProfile &profile,
                   QList<ConfigProblem> &found)
{
    QList<int> coveredBy(cells.size(), -1);
    for (int i = 0; i < cells.size(); ++i) {
        const KeyCell &k = cells[i];
        if (!k.Visible)
            continue;
        for (int c = 0; c < k.ColSpan; ++c) {
            for (int r = 0; r < k.RowSpan; ++r) {
                const int under = i + c * profile.gridRows + r;
                if (coveredBy[under] >= 0)
                    found.append({Kind::KeysOverlap, i, Field::None, under, coveredBy[under]});
                else
                    coveredBy[under] = i;
            }
        }
    }
}

} // namespace

QList<ConfigProblem> problems(const QList<KeyCell> &cells, const ProgramProfile &profile)
{
    QList<ConfigProblem> found;
    for (int i = 0; i < cells.size(); ++i) {
        checkSpans(cells[i], i, profile, found);
        checkCodes(cells[i], i, found);
    }
    const bool spansInside = std::none_of(found.begin(), found.end(), [](const ConfigProblem &p) {
        return p.refusesLoad() && (p.field == Field::ColSpan || p.field == Field::RowSpan);
    });
    if (spansInside)
        checkOverlaps(cells, profile, found);
    std::stable_sort(found.begin(), found.end(),
                     [](const ConfigProblem &a, const ConfigProblem &b) { return a.key < b.key; });
    return found;
}

} // namespace ConfigCheck

QString ConfigProblem::fieldName() const
{
    switch (field) {
    case Field::ColSpan:
        return QCoreApplication::translate("ConfigCheck", "column span");
    case Field::RowSpan:
        return QCoreApplication::translate("ConfigCheck", "row span");
    case Field::CodeCount:
        return QCoreApplication::translate("ConfigCheck", "code count");
    case Field::Codes:
        return QStringLiteral("codes");
    case Field::None:
        break;
    }
    return {};
}
