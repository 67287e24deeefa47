#include "LayoutSource.h"

#include "LayoutText.h"
#include "ToolIo.h"
#include "keymodel/ConfigCheck.h"
#include "keymodel/ConfigFile.h"
#include "profile/ProgramProfile.h"

#include <QFile>

#include <algorithm>

const ProgramProfile *LayoutSource::profileForMagic(const QByteArray &bytes)
{
    for (const ProgramProfile *p : {&ProgramProfile::tavrin(), &ProgramProfile::quelda()})
        if (bytes.startsWith(p->magic))
            return p;
    return nullptr;
}

LayoutSource LayoutSource::read(const QString &path)
{
    LayoutSource s;
    s.path = path;
    QFile file(path);
    // Read at most a little more than the larger file, so a huge file costs nothing.
    const qint64 enough = ProgramProfile::tavrin().fileSize() + 1;
    if (!file.open(QIODevice::ReadOnly)) {
        s.problem = file.errorString();
        return s;
    }
    s.bytes = file.read(enough);
    if (file.error() != QFileDevice::NoError) {
        s.problem = file.errorString();
        return s;
    }
    const qint64 size = file.size() > s.bytes.size() ? file.size() : s.bytes.size();

    s.status = Status::NotALayout;
    s.profile = profileForMagic(s.bytes);
    if (!s.profile) {
        s.problem = LayoutText::wrongMagic(s.bytes);
        return s;
    }
    if (size != s.profile->fileSize()) {
        s.problem = LayoutText::wrongSize(size, *s.profile);
        return s;
    }
    s.cells = ConfigFile::decode(s.bytes, *s.profile);
    s.problems = ConfigCheck::problems(s.cells, *s.profile);
    // The same verdict as loading's: it refuses exactly the files with one of these problems.
    const auto refused = std::find_if(s.problems.begin(), s.problems.end(),
                                      [](const ConfigProblem &p) { return p.refusesLoad(); });
    if (refused != s.problems.end()) {
        s.status = Status::Refused;
        s.problem = LayoutText::problem(*refused, *s.profile);
        return s;
    }
    s.status = Status::Loaded;
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
