// SPDX-License-Identifier: MIT
#pragma once

#include "CodeEditor.h"

#include <QDialog>

class QPushButton;
class TScan;

// The "KeyCode" dialog: the capture list and three buttons that only the mouse reaches, so
// every key pressed while it is open is recorded, Tab, Return and Escape included. Made once
// and reused; each use starts from the codes it is given.
class TScanDlg : public QDialog, public CodeEditor
{
    Q_OBJECT
public:
    explicit TScanDlg(const QString &programName, QWidget *parent = nullptr);

    TScan *scan() const { return m_scan; }
    QPushButton *resetButton() const { return bReset; }
    QPushButton *okButton() const { return bOk; }
    QPushButton *cancelButton() const { return bCancel; }

    std::optional<QByteArray> EditCodes(QByteArrayView codes) override;

public slots:
    void bResetClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPushButton *addButton(const QString &caption, const QRect &geometry);

    TScan *m_scan;
    QPushButton *bReset;
    QPushButton *bOk;
    QPushButton *bCancel;
};
