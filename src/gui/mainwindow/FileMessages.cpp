// SPDX-License-Identifier: MIT
#include "FileMessages.h"

#include "keymodel/CommandLineName.h"
#include "keymodel/ConfigCheck.h"
#include "profile/ProgramProfile.h"

#include <QDir>

namespace FileMessages {

namespace {

QString withFile(const QString &path, const QString &reason)
{
    return QStringLiteral("File: %1\n%2").arg(QDir::toNativeSeparators(path), reason);
}

// The key's place, at the start of a sentence.
QString keyPlace(int index, const ProgramProfile &profile)
{
    QString place = profile.keyPlace(index);
    place[0] = place[0].toUpper();
    return place;
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
        return QStringLiteral("This is a %1 configuration file (.%2); %3 opens .%4 files.")
            .arg(other->name, other->extension, profile.name, profile.extension);
    const QString kind = QStringLiteral("a %1 configuration file").arg(profile.name);
    if (r.head != profile.magic)
        return QStringLiteral("It does not begin with \"%1\": it is not %2.")
            .arg(QString::fromLatin1(profile.magic), kind);
    return QStringLiteral("It has %1 bytes, but %2 has exactly %3.")
        .arg(r.size)
        .arg(kind)
        .arg(profile.fileSize());
}

} // namespace

QString problem(const ConfigProblem &p, const ProgramProfile &profile)
{
    using Kind = ConfigProblem::Kind;
    const QString place = keyPlace(p.key, profile);
    switch (p.kind) {
    case Kind::SpanBelowOne:
        return QStringLiteral("%1 has a %2 of %3; it must be at least 1.")
            .arg(place, p.fieldName())
            .arg(p.value);
    case Kind::SpanPastGrid:
        return QStringLiteral("%1 has a %2 of %3, which runs past the edge of the grid.")
            .arg(place, p.fieldName())
            .arg(p.value);
    case Kind::SpanInLockFile:
        return QStringLiteral("%1 has a %2 of %3; key-lock positions are never merged.")
            .arg(place, p.fieldName())
            .arg(p.value);
    case Kind::TooManyCodes:
        return QStringLiteral("%1 has %2 codes; a key holds at most %3.")
            .arg(place)
            .arg(p.value)
            .arg(KeyCell::MaxCodes);
    case Kind::KeysOverlap:
        return QStringLiteral("%1 covers cell %2, which key %3 covers too.")
            .arg(place)
            .arg(p.value)
            .arg(p.other);
    case Kind::HiddenSpan:
    case Kind::EndMarkInCodes:
        break; // loaded as they are
    }
    return {};
}

QString loadDetails(const QString &path, const ConfigFile::LoadResult &r,
                    const ProgramProfile &profile)
{
    switch (r.status) {
    case ConfigFile::LoadStatus::Missing:
        return withFile(path, QStringLiteral("There is no file of this name."));
    case ConfigFile::LoadStatus::Directory:
        return withFile(path, QStringLiteral("It is a directory."));
    case ConfigFile::LoadStatus::NotAFile:
        return withFile(path, QStringLiteral("It is not a regular file."));
    case ConfigFile::LoadStatus::Invalid:
        return withFile(path, r.refusal ? problem(*r.refusal, profile) : wrongFile(r, profile));
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
