// SPDX-License-Identifier: MIT
#include "FileMessages.h"

#include "keymodel/CommandLineName.h"
#include "keymodel/ConfigCheck.h"
#include "keymodel/ProblemText.h"
#include "profile/ProgramProfile.h"

#include <QCoreApplication>
#include <QDir>

namespace FileMessages {

namespace {

QString withFile(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("FileMessages", "File: %1\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}

// The other program of the pair, when the file is its kind.
const ProgramProfile *otherKind(const QByteArray &head, const ProgramProfile &profile)
{
    const ProgramProfile *p = ProgramProfile::forFileStart(head);
    return p && p->magic != profile.magic ? p : nullptr;
}

QString wrongFile(const ConfigFile::LoadResult &r, const ProgramProfile &profile)
{
    if (const ProgramProfile *other = otherKind(r.head, profile))
        return QCoreApplication::translate(
                   "FileMessages", "This is a %1 configuration file (.%2); %3 opens .%4 files.")
            .arg(other->name, other->extension, profile.name, profile.extension);
    const QString kind =
        QCoreApplication::translate("FileMessages", "a %1 configuration file").arg(profile.name);
    if (r.head != profile.magic)
        return QCoreApplication::translate("FileMessages",
                                           "It does not begin with \"%1\": it is not %2.")
            .arg(QString::fromLatin1(profile.magic), kind);
    return ProblemText::wrongSize(r.size, profile);
}

} // namespace

QString loadDetails(const QString &path, const ConfigFile::LoadResult &r,
                    const ProgramProfile &profile)
{
    switch (r.status) {
    case ConfigFile::LoadStatus::Missing:
        return withFile(
            path, QCoreApplication::translate("FileMessages", "There is no file of this name."));
    case ConfigFile::LoadStatus::Directory:
        return withFile(path, QCoreApplication::translate("FileMessages", "It is a directory."));
    case ConfigFile::LoadStatus::NotAFile:
        return withFile(path,
                        QCoreApplication::translate("FileMessages", "It is not a regular file."));
    case ConfigFile::LoadStatus::Invalid:
        return withFile(path, r.refusal ? ProblemText::keyProblem(*r.refusal, profile)
                                        : wrongFile(r, profile));
    case ConfigFile::LoadStatus::OpenFailed:
    case ConfigFile::LoadStatus::ReadFailed:
        return withFile(path, r.systemError);
    case ConfigFile::LoadStatus::Loaded:
        break;
    }
    return {};
}

QString refusedNameDetails(const QString &shownName)
{
    QString reason = CommandLineName::refusal() + u'.';
    reason[0] = reason[0].toUpper();
    return withFile(shownName, reason);
}

QString saveDetails(const QString &path, const QString &systemError)
{
    return withFile(path, systemError);
}

} // namespace FileMessages
