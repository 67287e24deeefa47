// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QString>

struct ConfigProblem;
struct ProgramProfile;

// The words for what can be wrong with a configuration file, with the key's number and place:
// the programs' boxes and tvrtool say the same.
class ProblemText
{
    Q_DECLARE_TR_FUNCTIONS(ProblemText)
public:
    // One sentence: "Key 81 (column 11, row 3) has a column span of 5, which runs past the edge
    // of the grid."
    static QString keyProblem(const ConfigProblem &problem, const ProgramProfile &profile);
    // A file of this program's kind that is not the size its files have.
    static QString wrongSize(qint64 size, const ProgramProfile &profile);
};
