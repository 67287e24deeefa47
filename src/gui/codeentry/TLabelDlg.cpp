// SPDX-License-Identifier: MIT
#include "TLabelDlg.h"

#include "codeentry/LabelValidator.h"
#include "common/ScreenPlacement.h"
#include "keymodel/FaceFonts.h"
#include "keymodel/KeyRecord.h"

#include <QLineEdit>
#include <QPushButton>

TLabelDlg::TLabelDlg(const LabelCodec &codec, QWidget *parent)
    : QDialog(parent), m_codec(codec),
      m_validator(new LabelValidator(codec, KeyRecord::LabelSize, this)),
      m_eLabel(new QLineEdit(this)), m_bOk(new QPushButton(tr("Ok"), this)),
      m_bCancel(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("TLabelDlg"));
    setWindowTitle(tr("KeyLabel"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    // A Japanese face, so Japanese labels read as the keyboard's users know them.
    setFont(FaceFonts::dialog());
    setFixedSize(142, 114);

    // Created in tab order: edit box, Ok, Cancel.
    m_eLabel->setObjectName(QStringLiteral("eLabel"));
    // The box has no caption of its own on the dialog; a screen reader still names it.
    m_eLabel->setAccessibleName(tr("Label"));
    m_eLabel->setGeometry(8, 8, 121, 20);
    m_eLabel->setValidator(m_validator);
    m_bOk->setObjectName(QStringLiteral("bOk"));
    m_bOk->setGeometry(64, 48, 59, 20);
    m_bOk->setDefault(true);
    m_bCancel->setObjectName(QStringLiteral("bCancel"));
    m_bCancel->setGeometry(64, 80, 59, 20);
    connect(m_bOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_bCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TLabelDlg::SetLabel(const QByteArray &label)
{
    m_given = label;
    const QString text = m_codec.decode(label);
    m_validator->setBaseline(text);
    m_eLabel->setText(text);
    m_shown = m_eLabel->text();
}

QByteArray TLabelDlg::GetLabel() const
{
    const QString text = m_eLabel->text();
    return text == m_shown ? m_given : m_codec.encode(text);
}

std::optional<QByteArray> TLabelDlg::editLabel(const QByteArray &label)
{
    SetLabel(label);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return GetLabel();
}

void TLabelDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    // The label shows selected, so the first character typed replaces it.
    m_eLabel->setFocus(Qt::OtherFocusReason);
    m_eLabel->selectAll();
}
