// SPDX-License-Identifier: MIT
#pragma once

#include "LabelEditor.h"
#include "keymodel/LabelCodec.h"

#include <QDialog>

class LabelValidator;
class QLineEdit;
class QPushButton;

// The small "KeyLabel" dialog in which the selected key's label is typed. Return is Ok, Escape
// and the close box are Cancel. The edit box takes no more than a key record keeps of a label,
// counted in bytes of the label's code page.
class TLabelDlg : public QDialog, public LabelEditor
{
    Q_OBJECT
public:
    explicit TLabelDlg(const LabelCodec &codec, QWidget *parent = nullptr);

    // Puts the label into the edit box as it is, whatever its length.
    void SetLabel(const QByteArray &label);
    // The label in the edit box; an untouched label comes back byte for byte.
    QByteArray GetLabel() const;
    std::optional<QByteArray> editLabel(const QByteArray &label) override;

    QLineEdit *eLabel() const { return m_eLabel; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    const LabelCodec m_codec;
    LabelValidator *m_validator;
    QLineEdit *m_eLabel;
    QPushButton *m_bOk;
    QPushButton *m_bCancel;
    // The label as given and as first shown, so that a label left alone keeps its bytes even
    // where the code page has no character for them.
    QByteArray m_given;
    QString m_shown;
};
