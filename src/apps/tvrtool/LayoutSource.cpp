// SPDX-License-Identifier: MIT
#include "LayoutSource.h"

#include "keymodel/LayoutText.h"
#include "ToolIo.h"
#include "keymodel/ConfigFile.h"
#include "keymodel/ProblemText.h"
#include "profile/ProgramProfile.h"

#include <QFile>

#include <cstdio>

#include <algorithm>

LayoutSource LayoutSource::read(const QString &path)
{
    LayoutSource s;
    s.path = path;
    const bool standardInput = path == QLatin1String("-");
    switch (standardInput ? ConfigFile::FileKind::Regular : ConfigFile::kindOf(path)) {
    case ConfigFile::FileKind::Directory:
        s.problem = QStringLiteral("is a directory");
        return s;
    case ConfigFile::FileKind::Other:
        s.problem = QStringLiteral("is not a regular file");
        return s;
    case ConfigFile::FileKind::Missing: // the system says so, as it would for any name
    case ConfigFile::FileKind::Regular:
        break;
    }
    QFile file(path);
    // Read at most a little more than the larger file, so a huge file costs nothing.
    qint64 enough = 0;
    for (const ProgramProfile *p : ProgramProfile::all())
        enough = std::max(enough, p->fileSize() + 1);
    const bool opened = standardInput ? file.open(stdin, QIODevice::ReadOnly)
                                      : file.open(QIODevice::ReadOnly);
    if (!opened) {
        s.problem = file.errorString();
        return s;
    }
    s.bytes = file.read(enough);
    if (file.error() != QFileDevice::NoError) {
        s.problem = file.errorString();
        return s;
    }
    // Standard input has no size but what comes; the byte past the larger file is enough.
    const qint64 size =
        !standardInput && file.size() > s.bytes.size() ? file.size() : s.bytes.size();

    s.status = Status::NotALayout;
    s.profile = ProgramProfile::forFileStart(s.bytes);
    if (!s.profile) {
        s.problem = LayoutText::wrongMagic(s.bytes);
        return s;
    }
    // The desktop programs' own verdict on the bytes; a file larger than any layout is judged by
    // its first bytes, which are enough to refuse it, and its real size is what is reported.
    ConfigFile::Verdict verdict = ConfigFile::judge(s.bytes, *s.profile);
    switch (verdict.reason) {
    case ConfigFile::Verdict::Reason::WrongSize:
        s.problem = ProblemText::wrongSize(size, *s.profile);
        return s;
    case ConfigFile::Verdict::Reason::WrongMagic: // the magic chose the profile
        s.problem = LayoutText::wrongMagic(s.bytes);
        return s;
    case ConfigFile::Verdict::Reason::BadValues:
        s.status = Status::Refused;
        s.problem = ProblemText::keyProblem(*verdict.refusal(), *s.profile);
        break;
    case ConfigFile::Verdict::Reason::Loadable:
        s.status = Status::Loaded;
        break;
    }
    s.cells = std::move(verdict.cells);
    s.problems = std::move(verdict.problems);
    return s;
}

LayoutSource LayoutSource::readOrReport(const QString &path, ToolIo &io)
{
    LayoutSource s = read(path);
    if (s.status == Status::Refused)
        io.error(QStringLiteral("%1: %2 would refuse it: %3 (tvrtool check lists every problem)")
                     .arg(path, s.profile->name, s.problem));
    else if (!s.loaded())
        io.error(QStringLiteral("%1: %2").arg(path, s.problem));
    return s;
}
