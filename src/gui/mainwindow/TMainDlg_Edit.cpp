// SPDX-License-Identifier: MIT
// The main window's Edit menu: the history, the clipboard, clearing and selecting keys, merging
// from the menu, and keys dragged onto keys.
#include "TMainDlg.h"

#include "CodePageMenu.h"
#include "codeentry/TLabelDlg.h"
#include "common/Prompter.h"
#include "keymodel/FaceFonts.h"
#include "keymodel/KeyClip.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/KeySelection.h"
#include "keymodel/LabelCodePage.h"
#include "keymodel/TKey.h"
#include "layoutview/TViewDlg.h"
#include "programming/TProgDlg.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QMenuBar>
#include <QMimeData>
#include <QUndoStack>

namespace {

// What a key dragged from a window carries besides the key itself: the process and window it
// came from and its index, "pid window index", so that only a drop in the same window swaps.
constexpr char DragSourceType[] = "application/x-tavrin-drag-source";

struct EditRow
{
    TMainDlg::EditCommand command;
    const char *text;
    QList<QKeySequence> shortcuts;
    const char *objectName;
    bool merging; // only where keys merge
    void (*run)(TMainDlg &);
};

// Ctrl+V stays with View: Paste has the other bindings desktops know it by.
const EditRow EditRows[] = {
    {TMainDlg::EditCommand::Cut, QT_TRANSLATE_NOOP("TMainDlg", "Cu&t"),
     {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}, "Cut1", false,
     [](TMainDlg &d) { d.cutKeys(); }},
    {TMainDlg::EditCommand::Copy, QT_TRANSLATE_NOOP("TMainDlg", "&Copy"),
     {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}, "Copy1",
     false, [](TMainDlg &d) { d.copyKeys(); }},
    {TMainDlg::EditCommand::Paste, QT_TRANSLATE_NOOP("TMainDlg", "&Paste"),
     {QKeySequence(Qt::SHIFT | Qt::Key_Insert), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V)},
     "Paste1", false, [](TMainDlg &d) { d.pasteKeys(); }},
    {TMainDlg::EditCommand::Clear, QT_TRANSLATE_NOOP("TMainDlg", "Cl&ear Keys"),
     {QKeySequence(Qt::Key_Delete)}, "Clear1", false, [](TMainDlg &d) { d.clearKeys(); }},
    {TMainDlg::EditCommand::SelectAll, QT_TRANSLATE_NOOP("TMainDlg", "Select &All"),
     {QKeySequence(Qt::CTRL | Qt::Key_A)}, "SelectAll1", false,
     [](TMainDlg &d) { d.selectAllKeys(); }},
    {TMainDlg::EditCommand::MergeRight, QT_TRANSLATE_NOOP("TMainDlg", "Merge &Right"), {},
     "MergeRight1", true, [](TMainDlg &d) { d.mergeNeighbour(true); }},
    {TMainDlg::EditCommand::MergeDown, QT_TRANSLATE_NOOP("TMainDlg", "Merge &Down"), {},
     "MergeDown1", true, [](TMainDlg &d) { d.mergeNeighbour(false); }},
    {TMainDlg::EditCommand::Split, QT_TRANSLATE_NOOP("TMainDlg", "&Split"), {}, "Split1", true,
     [](TMainDlg &d) { d.splitKey(); }},
};

QString dragSource(const QObject *window, int index)
{
    return QStringLiteral("%1 %2 %3")
        .arg(QApplication::applicationPid())
        .arg(quintptr(window))
        .arg(index);
}

} // namespace

void TMainDlg::createEditCommands()
{
    if (!m_document)
        return;
    // The texts follow the history: "Undo Set Label", "Redo Merge Keys", or plain "Undo" when
    // there is nothing to undo. Menu items only: the tool bar keeps its buttons. Every binding
    // of the desktop's scheme works: Ctrl+Y and Ctrl+Shift+Z both redo where both are usual.
    m_undoAction = m_document->undoStack().createUndoAction(this);
    m_undoAction->setObjectName(QStringLiteral("Undo1"));
    m_undoAction->setShortcuts(QKeySequence::Undo);
    m_redoAction = m_document->undoStack().createRedoAction(this);
    m_redoAction->setObjectName(QStringLiteral("Redo1"));
    m_redoAction->setShortcuts(QKeySequence::Redo);

    for (const EditRow &row : EditRows) {
        if (row.merging && !m_profile.mergesKeys())
            continue;
        auto *action = new QAction(tr(row.text), this);
        action->setObjectName(QString::fromLatin1(row.objectName));
        action->setShortcuts(row.shortcuts);
        connect(action, &QAction::triggered, this,
                [this, run = row.run] { m_progDlg->whenIdle([this, run] { run(*this); }); });
        addAction(action);
        m_editActions[int(row.command)] = action;
    }
    // Paste is there while the clipboard holds keys this program takes.
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        m_clipboardHasKeys.reset();
        updateKeyCommands();
    });
}

void TMainDlg::addEditMenu()
{
    if (!m_undoAction)
        return;
    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(m_undoAction);
    edit->addAction(m_redoAction);
    edit->addSeparator();
    for (EditCommand c : {EditCommand::Cut, EditCommand::Copy, EditCommand::Paste,
                          EditCommand::Clear, EditCommand::SelectAll})
        edit->addAction(editAction(c));
    if (m_profile.mergesKeys()) {
        edit->addSeparator();
        for (EditCommand c : {EditCommand::MergeRight, EditCommand::MergeDown, EditCommand::Split})
            edit->addAction(editAction(c));
    }
    edit->addSeparator();
    m_codePages = new CodePageMenu(*edit, this);
    connect(m_codePages, &CodePageMenu::changed, this, [this] {
        // Every label reads anew: the faces, the view, and the label dialog's limit, which
        // counts bytes of the code page.
        for (TKey *key : std::as_const(m_keys)) {
            key->setFont(FaceFonts::screenLabel(LabelCodePage::current()));
            key->update();
        }
        if (m_view)
            m_view->update();
        if (dynamic_cast<TLabelDlg *>(m_labelEditor.get()))
            m_labelEditor.reset();
    });
}

void TMainDlg::updateEditCommands(bool anyKey, bool oneKey)
{
    const auto enable = [this](EditCommand c, bool on) {
        if (QAction *a = editAction(c))
            a->setEnabled(on);
    };
    for (EditCommand c : {EditCommand::Cut, EditCommand::Copy, EditCommand::Clear})
        enable(c, anyKey);
    for (EditCommand c : {EditCommand::MergeRight, EditCommand::MergeDown, EditCommand::Split})
        enable(c, oneKey);
    if (anyKey && !m_clipboardHasKeys) {
        const QMimeData *data = QApplication::clipboard()->mimeData();
        const std::optional<KeyClip> clip = data ? KeyClip::fromMimeData(*data) : std::nullopt;
        m_clipboardHasKeys = clip && clip->profile == &m_profile;
    }
    enable(EditCommand::Paste, anyKey && m_clipboardHasKeys.value_or(false));
}

void TMainDlg::copyKeys()
{
    if (m_selection->isEmpty())
        return;
    const KeyClip clip = KeyClip::copy(grid().cells(), m_profile, m_selection->keys());
    QApplication::clipboard()->setMimeData(clip.toMimeData(LabelCodePage::current()));
}

void TMainDlg::cutKeys()
{
    copyKeys();
    if (!m_selection->isEmpty())
        m_document->clearKeys(m_selection->keys(), KeyDocument::Clearing::Cut);
}

void TMainDlg::clearKeys()
{
    if (!m_selection->isEmpty())
        m_document->clearKeys(m_selection->keys());
}

void TMainDlg::pasteKeys()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    const std::optional<KeyClip> clip = data ? KeyClip::fromMimeData(*data) : std::nullopt;
    // Keys of the other program have no place here: a key-lock position is no keyboard key.
    if (m_selection->isEmpty() || !clip || clip->profile != &m_profile)
        return;
    const int at = m_selection->current();
    QList<int> pasted = clip->targets(grid().cells(), at);
    const qsizetype dropped = pasted.removeAll(-1);
    m_document->paste(at, *clip);
    m_selection->selectKeys(pasted);
    if (dropped == 1)
        m_prompter->failure(tr("1 key would fall off the grid and was not pasted."));
    else if (dropped > 1)
        m_prompter->failure(
            tr("%1 keys would fall off the grid and were not pasted.").arg(dropped));
}

void TMainDlg::selectAllKeys()
{
    QList<int> shown;
    for (int i = 0; i < grid().count(); ++i)
        if (grid().cell(i).Visible)
            shown.append(i);
    m_selection->selectKeys(shown);
}

void TMainDlg::backToOneKey()
{
    if (m_selection->count() <= 1)
        return;
    const int focus = m_selection->focus();
    m_selection->select(m_selection->contains(focus) ? focus : m_selection->current());
}

void TMainDlg::mergeNeighbour(bool right)
{
    if (!m_selection->isSingle())
        return;
    const int selected = m_selection->current();
    const KeyCell &key = grid().cell(selected);
    const int column = grid().column(selected), row = grid().row(selected);
    const int neighbour = right ? grid().indexAt(column + key.ColSpan, row)
                                : grid().indexAt(column, row + key.RowSpan);
    // Only a shown neighbour can be Shift+clicked; one under a merged key stays where it is.
    if (neighbour >= 0 && grid().cell(neighbour).Visible)
        KeyClick(m_keys.at(neighbour), Qt::ShiftModifier);
}

void TMainDlg::splitKey()
{
    if (m_selection->isSingle())
        KeyClick(m_keys.at(m_selection->current()), Qt::ShiftModifier);
}

QMimeData *TMainDlg::keyDragData(int index) const
{
    QMimeData *data =
        KeyClip::copy(grid().cells(), m_profile, {index}).toMimeData(LabelCodePage::current());
    data->setData(QLatin1String(DragSourceType), dragSource(this, index).toLatin1());
    return data;
}

void TMainDlg::startKeyDrag(TKey *key)
{
    auto *drag = new QDrag(key);
    drag->setMimeData(keyDragData(key->Tag()));
    drag->setPixmap(key->grab());
    drag->setHotSpot(key->mapFromGlobal(QCursor::pos()));
    // Escape ends the drag with nothing dropped.
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

Qt::DropAction TMainDlg::dropOnKey(int target, const QMimeData &data, Qt::DropAction action)
{
    // The keys being programmed stay as they are until the run is over.
    if (m_progDlg->running())
        return Qt::IgnoreAction;
    const QStringList source = QString::fromLatin1(data.data(QLatin1String(DragSourceType)))
                                   .split(u' ');
    const bool fromHere = source.size() == 3 &&
                          source.mid(0, 2).join(u' ') ==
                              dragSource(this, 0).section(u' ', 0, 1);
    const int from = fromHere ? source[2].toInt() : -1;
    if (from == target || (fromHere && (from < 0 || from >= grid().count())))
        return Qt::IgnoreAction;
    if (fromHere && action == Qt::MoveAction) {
        m_document->swapKeys(from, target);
        return Qt::MoveAction;
    }
    // A copy, or keys from another window: the other window keeps its key either way.
    const std::optional<KeyClip> clip = KeyClip::fromMimeData(data);
    if (!clip || clip->profile != &m_profile)
        return Qt::IgnoreAction;
    m_document->paste(target, *clip);
    return Qt::CopyAction;
}
