// SPDX-License-Identifier: MIT
#include "TScanDlg.h"

#include "TScan.h"
#include "common/ScreenPlacement.h"
#include "keymodel/FaceFonts.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

constexpr QSize ClientSize(155, 139);
constexpr QRect ScanGeometry(8, 8, 65, 121);
constexpr QRect ResetGeometry(88, 16, 59, 20);
constexpr QRect OkGeometry(88, 72, 57, 20);
constexpr QRect CancelGeometry(88, 104, 57, 20);

} // namespace

TScanDlg::TScanDlg(const QString &programName, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("KeyCode"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    setFont(FaceFonts::dialog());
    setFixedSize(ClientSize);

    m_scan = new TScan(programName, this);
    m_scan->setObjectName(QStringLiteral("scan"));
    m_scan->setAccessibleName(tr("Codes"));
    m_scan->setGeometry(ScanGeometry);
    m_scan->setReadOnly(true);
    m_scan->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scan->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    bReset = addButton(tr("Reset"), ResetGeometry);
    bReset->setObjectName(QStringLiteral("bReset"));
    connect(bReset, &QPushButton::clicked, this, &TScanDlg::bResetClick);
    bOk = addButton(tr("Ok"), OkGeometry);
    bOk->setObjectName(QStringLiteral("bOk"));
    connect(bOk, &QPushButton::clicked, this, &QDialog::accept);
    bCancel = addButton(tr("Cancel"), CancelGeometry);
    bCancel->setObjectName(QStringLiteral("bCancel"));
    connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QPushButton *TScanDlg::addButton(const QString &caption, const QRect &geometry)
{
    auto *button = new QPushButton(caption, this);
    button->setGeometry(geometry);
    // Buttons are for the mouse: neither focus nor Return may ever reach them.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

std::optional<QByteArray> TScanDlg::EditCodes(QByteArrayView codes)
{
    m_scan->clear();
    m_scan->AddCodes(codes);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_scan->GetCodes();
}

void TScanDlg::bResetClick()
{
    m_scan->clear();
    m_scan->setFocus();
}

void TScanDlg::showEvent(QShowEvent *event)
{
    centreOnScreen(*this);
    QDialog::showEvent(event);
    // The keys must reach the list from the first stroke, even where no window manager hands
    // a new dialog the focus.
    activateWindow();
    m_scan->setFocus();
}

void TScanDlg::keyPressEvent(QKeyEvent *event)
{
    // Return and Escape must never close the dialog, whatever has the focus.
    event->accept();
}
