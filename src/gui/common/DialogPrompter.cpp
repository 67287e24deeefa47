// SPDX-License-Identifier: MIT
#include "DialogPrompter.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// Shows a file dialog of ours rather than the desktop's, so that it looks and behaves the same
// everywhere, and returns the chosen path or an empty one when it was cancelled.
QString chosenFile(QFileDialog &dialog)
{
    // The program asks about overwriting itself, after the dialog has closed.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                      QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

DialogPrompter::DialogPrompter(QWidget *parent, const QString &title)
    : m_parent(parent), m_title(title)
{
}

QWidget *DialogPrompter::owner() const
{
    // A box over a window not yet shown would stand where that window has never been, in a
    // corner of the screen; without a parent the toolkit centres it on the screen, as the main
    // window opens.
    return m_parent && m_parent->isVisible() ? m_parent : nullptr;
}

void DialogPrompter::failure(const QString &text, const QString &details)
{
    QMessageBox box(QMessageBox::Warning, m_title, text, QMessageBox::Ok, owner());
    box.setInformativeText(details);
    box.exec();
}

void DialogPrompter::information(const QString &text)
{
    QMessageBox::information(owner(), m_title, text);
}

Prompter::Answer DialogPrompter::askYesNoCancel(const QString &text)
{
    switch (QMessageBox::warning(owner(), m_title, text,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                 QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool DialogPrompter::askYesNo(const QString &text)
{
    return QMessageBox::warning(owner(), m_title, text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

QString DialogPrompter::openFileName(const QString &filter, const QString &startPath)
{
    // Any typed name is taken, even one that is not there: the program then says so in its own
    // words, as it does for a name given on the command line.
    QFileDialog dialog(owner(), QCoreApplication::translate("DialogPrompter", "Open"), startPath,
                       toolkitFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    return chosenFile(dialog);
}

QString DialogPrompter::saveFileName(const QString &filter, const QString &extension,
                                     const QString &startPath)
{
    QFileDialog dialog(owner(), QCoreApplication::translate("DialogPrompter", "Save As"), startPath,
                       toolkitFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(extension);
    return chosenFile(dialog);
}

std::optional<QColor> DialogPrompter::chooseColor(const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, owner());
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

QString DialogPrompter::toolkitFilter(const QString &filter)
{
    const qsizetype bar = filter.indexOf(u'|');
    if (bar < 0)
        return filter;
    return filter.left(bar) + QStringLiteral(" (") + filter.mid(bar + 1) + u')';
}
