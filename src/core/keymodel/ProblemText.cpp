// SPDX-License-Identifier: MIT
#include "ProblemText.h"

#include "ConfigCheck.h"
#include "profile/ProgramProfile.h"

QString ProblemText::keyProblem(const ConfigProblem &p, const ProgramProfile &profile)
{
    using Kind = ConfigProblem::Kind;
    // The key's place starts the sentence.
    QString place = profile.keyPlace(p.key);
    place[0] = place[0].toUpper();
    switch (p.kind) {
    case Kind::SpanBelowOne:
        return tr("%1 has a %2 of %3; it must be at least 1.")
            .arg(place, p.fieldName())
            .arg(p.value);
    case Kind::SpanPastGrid:
        return tr("%1 has a %2 of %3, which runs past the edge of the grid.")
            .arg(place, p.fieldName())
            .arg(p.value);
    case Kind::SpanInLockFile:
        return tr("%1 has a %2 of %3; key-lock positions are never merged.")
            .arg(place, p.fieldName())
            .arg(p.value);
    case Kind::TooManyCodes:
        return tr("%1 has %2 codes; a key holds at most %3.")
            .arg(place)
            .arg(p.value)
            .arg(KeyCell::MaxCodes);
    case Kind::KeysOverlap:
        return tr("%1 covers the cell of key %2, which %3 covers too.")
            .arg(place)
            .arg(profile.keyNumber(p.value))
            .arg(profile.keyPlace(p.other));
    case Kind::HiddenSpan:
        return tr("%1 is hidden, but has a %2 of %3; it loads as 1, so that no merge over it "
                  "uncovers another key's cells.")
            .arg(place, p.fieldName())
            .arg(p.value);
    case Kind::EndMarkInCodes:
        return tr("%1 has the end mark F7 as code %2, so programming would stop there and leave "
                  "out the codes after it.")
            .arg(place)
            .arg(p.value + 1);
    }
    return {};
}

QString ProblemText::wrongSize(qint64 size, const ProgramProfile &profile)
{
    return tr("It has %1 bytes, but a %2 configuration file has exactly %3.")
        .arg(size)
        .arg(profile.name)
        .arg(profile.fileSize());
}
