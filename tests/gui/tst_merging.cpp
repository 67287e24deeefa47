// SPDX-License-Identifier: MIT
#include "MainWindowHarness.h"
#include "keymodel/KeyCell.h"
#include "keymodel/KeyGrid.h"

#include <QTemporaryDir>

// Shift+clicks on the keyboard program's grid as a user makes them: that they reach the merge
// rules (tested without a window in tst_mergerules), move or keep the selection, and undo with
// Ctrl+Z. The rules themselves are not repeated here.
class TestMerging : public QObject
{
    Q_OBJECT
private slots:
    void clicksReachTheRules();
    void undoMergeThenExitAsksNothing();
    void lockIgnoresShift();
};

namespace {

void shiftClick(TMainDlg &dlg, int index)
{
    QTest::mouseClick(dlg.key(index), Qt::LeftButton, Qt::ShiftModifier);
}

// Every cell as the window shows it: its size, whether it is shown, and its label.
QStringList seen(const TMainDlg &dlg)
{
    QStringList cells;
    for (int i = 0; i < dlg.keyCount(); ++i) {
        const TKey *key = dlg.key(i);
        cells << QStringLiteral("%1:%2x%3%4 %5")
                     .arg(i)
                     .arg(key->width())
                     .arg(key->height())
                     .arg(key->isVisible() ? "" : " hidden")
                     .arg(QString::fromLatin1(key->cell().Caption));
    }
    return cells;
}

} // namespace

void TestMerging::clicksReachTheRules()
{
    Window w = makeWindow(QStringLiteral("Tavrin"));
    TMainDlg &dlg = *w.dlg;
    dlg.show();
    click(dlg, 0);
    shiftClick(dlg, 7);
    shiftClick(dlg, 1);
    QCOMPARE(dlg.key(0)->size(), QSize(88, 88));
    QCOMPARE(dlg.key(0)->pos(), QPoint(8, 41));
    for (int covered : {1, 7, 8})
        QVERIFY(!dlg.key(covered)->isVisible());
    QCOMPARE(dlg.selectedIndex(), 0); // a merge keeps the selection
    QVERIFY(dlg.ConfigChanged());

    // Beside the key's lower row: no merge, the selection moves.
    shiftClick(dlg, 15);
    QCOMPARE(dlg.selectedIndex(), 15);
    QVERIFY(dlg.key(15)->Down());
    QVERIFY(!dlg.key(0)->Down());
    QCOMPARE(dlg.key(0)->size(), QSize(88, 88));

    // Split: the covered cells come back as single default keys; the key stays selected.
    click(dlg, 0);
    shiftClick(dlg, 0);
    QCOMPARE(dlg.key(0)->size(), QSize(44, 44));
    QVERIFY(dlg.key(8)->isVisible());
    QCOMPARE(dlg.key(8)->cell().Caption, QByteArray("9"));
    QCOMPARE(dlg.selectedIndex(), 0);

    // A plain click on the selected key deselects it.
    click(dlg, 0);
    QCOMPARE(dlg.selectedIndex(), -1);
    QVERIFY(keyCommandsEnabled(dlg, false));
}

void TestMerging::undoMergeThenExitAsksNothing()
{
    QTemporaryDir dir;
    Window w = makeWindow(QStringLiteral("Tavrin"));
    TMainDlg &dlg = *w.dlg;
    dlg.show();
    // A 2 x 2 key at 21 over 22, 28 and 29, saved.
    click(dlg, 21);
    shiftClick(dlg, 28);
    shiftClick(dlg, 22);
    w.prompts->paths.enqueue(dir.filePath(QStringLiteral("merged.tvr")));
    runCommand(dlg, QStringLiteral("Save"));
    QVERIFY(!dlg.ConfigChanged());
    const QStringList saved = seen(dlg);

    // Taking the merged key over hides it and gives back its cells, in one Shift+click.
    click(dlg, 14);
    shiftClick(dlg, 21);
    QCOMPARE(dlg.key(14)->size(), QSize(88, 44));
    QVERIFY(dlg.key(29)->isVisible());
    QVERIFY(dlg.ConfigChanged());
    QCOMPARE(dlg.undoAction()->text(), QStringLiteral("Undo Merge Keys"));
    click(dlg, 29); // a cell the merge gave back

    QTest::keySequence(&dlg, QKeySequence::Undo);
    QCOMPARE(seen(dlg), saved);
    // The selected cell is covered again, so nothing is selected.
    QCOMPARE(dlg.selectedIndex(), -1);
    QVERIFY(keyCommandsEnabled(dlg, false));
    QCOMPARE(dlg.key(21)->size(), QSize(88, 88));
    QCOMPARE(dlg.redoAction()->text(), QStringLiteral("Redo Merge Keys"));
    QVERIFY(!dlg.ConfigChanged());

    w.prompts->shown.clear();
    runCommand(dlg, QStringLiteral("Exit"));
    QCOMPARE(w.prompts->shown, QStringList());
    QVERIFY(!dlg.isVisible());
}

void TestMerging::lockIgnoresShift()
{
    TMainDlg dlg(ProgramProfile::quelda());
    dlg.show();
    QTest::mouseClick(dlg.key(0), Qt::LeftButton);
    QTest::mouseClick(dlg.key(1), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(dlg.selectedIndex(), 1);
    QTest::mouseClick(dlg.key(1), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(dlg.selectedIndex(), -1);
    QCOMPARE(dlg.key(0)->size(), QSize(44, 44));
    QVERIFY(!dlg.ConfigChanged());
    QVERIFY(!dlg.undoAction()->isEnabled());
}

QTEST_MAIN(TestMerging)
#include "tst_merging.moc"
