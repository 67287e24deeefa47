// SPDX-License-Identifier: MIT
// The main window's key commands: Label, Code and Colour of the selected key, programming,
// the view and its printout, and the key tester.
#include "TMainDlg.h"

#include "codeentry/CodeEditor.h"
#include "codeentry/LabelEditor.h"
#include "common/Prompter.h"
#include "keymodel/ColorValue.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/KeySelection.h"
#include "keymodel/TKey.h"
#include "keytest/TTestKeysDlg.h"
#include "layoutview/TViewDlg.h"
#include "profile/ProgramProfile.h"
#include "programming/TProgDlg.h"

#include <QDir>

void TMainDlg::sLabelClick()
{
    const int index = selectedIndex();
    if (!selection().isSingle())
        return;
    const std::optional<QByteArray> label = labelEditor().editLabel(grid().cell(index).Caption);
    if (label)
        m_document->setCaption(index, *label);
}

void TMainDlg::sScanClick()
{
    if (!selection().isSingle())
        return;
    const std::optional<QByteArray> codes =
        codeEditor().EditCodes(grid().cell(selectedIndex()).usedCodes());
    if (codes)
        m_document->setCodes(selectedIndex(), *codes);
}

void TMainDlg::sColorClick()
{
    if (selectedIndex() < 0)
        return;
    // Every selected key takes the colour; the dialog starts from the first one's.
    const std::optional<QColor> chosen =
        m_prompter->chooseColor(ColorValue::resolve(grid().cell(selectedIndex()).Color, palette()));
    if (chosen)
        m_document->setColor(selection().keys(), ColorValue::fromRgb(*chosen));
}

void TMainDlg::sProg1Click()
{
    if (selection().isSingle())
        m_progDlg->ProgramKeys(selectedIndex());
}

void TMainDlg::sProgAllClick()
{
    m_progDlg->ProgramKeys(-1);
}

void TMainDlg::SetBusyCursor(bool busy)
{
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void TMainDlg::sViewClick()
{
    if (m_view)
        m_view->showView();
}

void TMainDlg::sPrintClick()
{
    if (!m_view)
        return;
    if (const QString failure = m_view->PrintLayout(); !failure.isEmpty())
        m_prompter->failure(failure);
}

void TMainDlg::sTestKeysClick()
{
    if (!m_testKeys) {
        m_testKeys = std::make_unique<TTestKeysDlg>(grid(), m_profile.name);
        m_testKeys->setLayoutName([this] { return layoutName(); });
        connect(m_testKeys.get(), &TTestKeysDlg::markedKeysChanged, this, &TMainDlg::markKeys);
    }
    m_testKeys->showBeside(*this);
}

void TMainDlg::markKeys(const QList<int> &indices)
{
    for (TKey *key : std::as_const(m_keys))
        key->setMarked(indices.contains(key->Tag()));
}

QString TMainDlg::layoutName() const
{
    const QString file = m_document->layoutFile();
    const QString name =
        file.isEmpty() ? tr("not saved to a file") : QDir::toNativeSeparators(file);
    return ConfigChanged() ? name + tr(" (changed since last saved)") : name;
}
