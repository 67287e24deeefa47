#include "DialogPrompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

DialogPrompter::DialogPrompter(QWidget *parent, const QString &title)
    : m_parent(parent), m_title(title)
{
}

void DialogPrompter::failure(const QString &text)
{
    QMessageBox::warning(m_parent, m_title, text);
}

void DialogPrompter::information(const QString &text)
{
    QMessageBox::information(m_parent, m_title, text);
}

Prompter::Answer DialogPrompter::askYesNoCancel(const QString &text)
{
    switch (QMessageBox::warning(m_parent, m_title, text,
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
    return QMessageBox::warning(m_parent, m_title, text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

QString DialogPrompter::openFileName(const QString &filter, const QString &startPath)
{
    return QFileDialog::getOpenFileName(
        m_parent, QString(), startPath, toolkitFilter(filter), nullptr,
        QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
}

QString DialogPrompter::saveFileName(const QString &filter, const QString &extension,
                                     const QString &startPath)
{
    // Built by hand because the static helper cannot set a default suffix. The program asks
    // about overwriting itself, after the dialog has closed.
    QFileDialog dialog(m_parent, QStringLiteral("Save As"), startPath, toolkitFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(extension);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                      QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> DialogPrompter::chooseColor(const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, m_parent);
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
