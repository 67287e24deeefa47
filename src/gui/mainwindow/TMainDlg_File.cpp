// SPDX-License-Identifier: MIT
// The main window's file commands: New, Load, Save, Exit, recent and dropped files, and the
// question about unsaved changes that each way out of the current layout asks.
#include "TMainDlg.h"

#include "CodePageMenu.h"
#include "FileMessages.h"
#include "RecentFiles.h"
#include "common/Prompter.h"
#include "keymodel/ConfigFile.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "profile/Messages.h"
#include "profile/ProgramProfile.h"

#include <QFileInfo>

QString TMainDlg::dialogStartPath() const
{
    return m_document->filePath();
}

bool TMainDlg::LoadConfigFile(const QString &path, LoadOrigin origin)
{
    const ConfigFile::LoadResult loaded = ConfigFile::load(path, m_profile);
    const QString details = FileMessages::loadDetails(path, loaded, m_profile);
    switch (loaded.status) {
    case ConfigFile::LoadStatus::Missing:
        m_prompter->failure(Messages::shown(Messages::FileMissing), details);
        return false;
    case ConfigFile::LoadStatus::Directory:
    case ConfigFile::LoadStatus::NotAFile:
    case ConfigFile::LoadStatus::Invalid:
        m_prompter->failure(Messages::shown(Messages::FileInvalid), details);
        return false;
    case ConfigFile::LoadStatus::OpenFailed:
        m_prompter->failure(origin == LoadOrigin::Command
                                ? ProgramProfile::shown(m_profile.loadOpenFailureText)
                                : Messages::shown(Messages::OpenFailedAtStartUp),
                            details);
        return false;
    case ConfigFile::LoadStatus::ReadFailed:
        m_prompter->failure(Messages::shown(Messages::LoadFailed), details);
        return false;
    case ConfigFile::LoadStatus::Loaded:
        break;
    }
    DeselectKey();
    m_document->load(loaded.cells, QFileInfo(path).absoluteFilePath());
    m_recent->add(path);
    if (m_codePages)
        if (const std::optional<QString> hint = m_codePages->loadHint(loaded.cells, path))
            m_prompter->information(*hint);
    return true;
}

bool TMainDlg::SaveConfigFile(const QString &path)
{
    if (QFileInfo::exists(path) &&
        !m_prompter->askYesNo(Messages::shown(Messages::OverwriteQuestion)))
        return false;
    if (QString reason; !ConfigFile::save(path, grid().cells(), m_profile, &reason)) {
        m_prompter->failure(Messages::shown(Messages::SaveFailed),
                            FileMessages::saveDetails(path, reason));
        return false;
    }
    m_document->markSaved(QFileInfo(path).absoluteFilePath());
    m_recent->add(path);
    return true;
}

bool TMainDlg::saveChangesFirst(const QString &question)
{
    if (!ConfigChanged())
        return true;
    switch (m_prompter->askYesNoCancel(question)) {
    case Prompter::Answer::Yes:
        // A save that was cancelled or failed must not let the changes be thrown away.
        return sSaveClick();
    case Prompter::Answer::No:
        return true;
    case Prompter::Answer::Cancel:
        break;
    }
    return false;
}

void TMainDlg::sExitClick()
{
    close();
}

void TMainDlg::sNewClick()
{
    if (!saveChangesFirst(Messages::shown(Messages::SaveBeforeNew)))
        return;
    DeselectKey();
    m_document->clear();
}

void TMainDlg::sLoadClick()
{
    if (!saveChangesFirst(Messages::shown(Messages::SaveBeforeLoad)))
        return;
    const QString path =
        m_prompter->openFileName(ProgramProfile::shown(m_profile.openFilter), dialogStartPath());
    if (path.isEmpty())
        return;
    LoadConfigFile(path, LoadOrigin::Command);
}

void TMainDlg::openFile(const QString &path)
{
    if (saveChangesFirst(Messages::shown(Messages::SaveBeforeLoad)))
        LoadConfigFile(path, LoadOrigin::Command);
}

void TMainDlg::openRecent(const QString &path)
{
    if (QFileInfo::exists(path))
        return openFile(path);
    m_recent->remove(path);
    ConfigFile::LoadResult missing;
    missing.status = ConfigFile::LoadStatus::Missing;
    m_prompter->failure(Messages::shown(Messages::FileMissing),
                        FileMessages::loadDetails(path, missing, m_profile) +
                            tr("\nIt is taken off the recent files."));
}

void TMainDlg::openDropped(const QString &path)
{
    // A file this program cannot load is refused at once, with its reason: there is nothing to
    // save first for.
    if (ConfigFile::load(path, m_profile).status != ConfigFile::LoadStatus::Loaded)
        LoadConfigFile(path, LoadOrigin::Command);
    else
        openFile(path);
}

bool TMainDlg::sSaveClick()
{
    const QString chosen = m_prompter->saveFileName(ProgramProfile::shown(m_profile.saveFilter),
                                                    m_profile.extension, dialogStartPath());
    if (chosen.isEmpty())
        return false;
    return SaveConfigFile(ConfigFile::withExtension(chosen, m_profile.extension));
}
