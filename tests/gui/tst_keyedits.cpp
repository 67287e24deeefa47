// SPDX-License-Identifier: MIT
#include "MainWindowHarness.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/KeySelection.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QUndoStack>

// Several keys in the window, one gesture of each family as a user makes it: that Ctrl+click,
// a drop and the clipboard's keys reach the document. The rules of selecting, pasting and
// swapping are tested without a window in tst_keydocument.
class TestKeyEdits : public QObject
{
    Q_OBJECT
private slots:
    void ctrlClickSelectsSeveral();
    void dragSwapsAndCopies();
    void shiftInsertPastes();
};

namespace {

void activate(TMainDlg &dlg)
{
    dlg.show();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
}

QByteArray caption(const TMainDlg &dlg, int index)
{
    return dlg.grid().cell(index).Caption;
}

// A key of this window dropped on target, as the drag ends over it.
void drop(TMainDlg &dlg, int from, int target, Qt::DropAction action)
{
    std::unique_ptr<QMimeData> data(dlg.keyDragData(from));
    TKey *key = dlg.key(target);
    const QPointF at = key->rect().center();
    QDragEnterEvent enter(at.toPoint(), Qt::MoveAction | Qt::CopyAction, data.get(), Qt::LeftButton,
                          action == Qt::CopyAction ? Qt::ControlModifier : Qt::NoModifier);
    enter.setDropAction(action);
    QApplication::sendEvent(key, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(at, Qt::MoveAction | Qt::CopyAction, data.get(), Qt::LeftButton,
                       action == Qt::CopyAction ? Qt::ControlModifier : Qt::NoModifier);
    dropped.setDropAction(action);
    QApplication::sendEvent(key, &dropped);
}

} // namespace

void TestKeyEdits::ctrlClickSelectsSeveral()
{
    Window w = makeWindow(QStringLiteral("Tavrin"));
    TMainDlg &dlg = *w.dlg;
    activate(dlg);
    click(dlg, 3);
    for (int key : {10, 17})
        QTest::mouseClick(dlg.key(key), Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(dlg.selection().keys(), (QList<int>{3, 10, 17}));
    QVERIFY(dlg.key(10)->Down() && dlg.key(17)->Down());
    // Label is for one key; Colour is for all of them.
    QVERIFY(!dlg.action(Command::Label)->isEnabled());
    QVERIFY(dlg.action(Command::Color)->isEnabled());

    // Shift+click merges nothing while several keys are selected.
    QTest::mouseClick(dlg.key(24), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(dlg.grid().cell(17).ColSpan, 1);
    QCOMPARE(dlg.selection().keys(), (QList<int>{3, 10, 17}));

    w.prompts->colors.enqueue(QColor(0, 0, 255));
    runCommand(dlg, QStringLiteral("Color"));
    for (int key : {3, 10, 17})
        QCOMPARE(dlg.grid().cell(key).Color, 0x00FF0000u);
    QTest::keySequence(&dlg, QKeySequence::Undo); // one step for the three
    for (int key : {3, 10, 17})
        QCOMPARE(dlg.grid().cell(key).Color, KeyCell::ButtonFace);
    QVERIFY(!dlg.ConfigChanged());

    // Escape goes back to one key, the one the last Ctrl+click marked.
    QTest::keyClick(dlg.clientArea(), Qt::Key_Escape);
    QCOMPARE(dlg.selection().keys(), QList<int>{17});
    QVERIFY(dlg.action(Command::Label)->isEnabled());
}

void TestKeyEdits::dragSwapsAndCopies()
{
    Window w = makeWindow(QStringLiteral("Tavrin"));
    TMainDlg &dlg = *w.dlg;
    dlg.show();
    dlg.document().setCaption(3, "Tea");
    dlg.document().setCaption(12, "Latte");
    const int steps = dlg.document().undoStack().count();

    drop(dlg, 3, 12, Qt::MoveAction);
    QCOMPARE(caption(dlg, 3), "Latte");
    QCOMPARE(caption(dlg, 12), "Tea");
    QCOMPARE(dlg.document().undoStack().count(), steps + 1);

    drop(dlg, 12, 40, Qt::CopyAction); // Ctrl held: a copy
    QCOMPARE(caption(dlg, 12), "Tea");
    QCOMPARE(caption(dlg, 40), "Tea");

    dlg.document().undoStack().undo();
    dlg.document().undoStack().undo();
    QCOMPARE(caption(dlg, 3), "Tea");
    QCOMPARE(caption(dlg, 40), "41");
}

void TestKeyEdits::shiftInsertPastes()
{
    Window w = makeWindow(QStringLiteral("Tavrin"));
    TMainDlg &dlg = *w.dlg;
    activate(dlg);
    dlg.document().setCaption(3, "Tea");
    dlg.document().setCodes(3, QByteArray::fromHex("1CF01C"));
    click(dlg, 3);
    QTest::keySequence(&dlg, QKeySequence(QStringLiteral("Ctrl+C")));
    // A person pasting into a text editor reads the key as tvrtool show --codes lists it.
    QVERIFY(QApplication::clipboard()->text().startsWith("key 4 (column 0, row 3) \"Tea\""));

    click(dlg, 82);
    QTest::mouseClick(dlg.key(83), Qt::LeftButton, Qt::ControlModifier);
    QTest::keySequence(&dlg, QKeySequence(QStringLiteral("Shift+Ins")));
    QCOMPARE(caption(dlg, 82), "Tea");
    QCOMPARE(dlg.grid().cell(82).usedCodes(), QByteArray::fromHex("1CF01C"));
    QCOMPARE(caption(dlg, 83), "84"); // the first selected key is where the paste starts

    // The key lock takes no keyboard keys.
    Window lock = makeWindow(QStringLiteral("Quelda"));
    lock.dlg->show();
    click(*lock.dlg, 2);
    QVERIFY(!lock.dlg->editAction(TMainDlg::EditCommand::Paste)->isEnabled());
}

QTEST_MAIN(TestKeyEdits)
#include "tst_keyedits.moc"
