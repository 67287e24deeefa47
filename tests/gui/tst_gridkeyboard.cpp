// SPDX-License-Identifier: MIT
#include "MainWindowHarness.h"
#include "codeentry/LabelEditor.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"

#include <QAccessible>

#include <QApplication>

// The key grid worked from the keyboard alone, key presses delivered to whatever holds the
// focus, as a user without a mouse makes them.
class TestGridKeyboard : public QObject
{
    Q_OBJECT
private slots:
    void moves_data();
    void moves();
    void shiftArrowsMergeAsShiftClicks_data();
    void shiftArrowsMergeAsShiftClicks();
    void enterOpensTheLabelDialog();
    void keysReadAloud();
};

namespace {

// Says which label it was offered and answers nothing, as a cancelled dialog does.
class RecordingLabelEditor : public LabelEditor
{
public:
    QList<QByteArray> offered;
    std::optional<QByteArray> editLabel(const QByteArray &label) override
    {
        offered << label;
        return std::nullopt;
    }
};

// "Right", "S+Down", "Home", "Space", ... pressed one after another on the focused widget.
void press(const QString &keys)
{
    static const QHash<QString, Qt::Key> names = {
        {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right}, {"Up", Qt::Key_Up},
        {"Down", Qt::Key_Down}, {"Home", Qt::Key_Home},   {"End", Qt::Key_End},
        {"Space", Qt::Key_Space}, {"Enter", Qt::Key_Return}, {"F2", Qt::Key_F2},
        {"Tab", Qt::Key_Tab},
    };
    for (const QString &k : keys.split(u' ', Qt::SkipEmptyParts)) {
        const bool shift = k.startsWith(QLatin1String("S+"));
        const QString name = shift ? k.mid(2) : k;
        QVERIFY2(names.contains(name), qPrintable(name));
        QTest::keyClick(QApplication::focusWidget(), names.value(name),
                        shift ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

void clickAll(TMainDlg &dlg, const QString &clicks)
{
    for (const QString &c : clicks.split(u' ', Qt::SkipEmptyParts)) {
        const bool shift = c.startsWith(u's');
        QTest::mouseClick(dlg.key(c.mid(shift ? 1 : 0).toInt()), Qt::LeftButton,
                          shift ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

void showActive(TMainDlg &dlg)
{
    dlg.show();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QCOMPARE(QApplication::focusWidget(), dlg.clientArea());
}

} // namespace

void TestGridKeyboard::moves_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("clicks"); // made first, "s" before a Shift+click
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("selected");

    QTest::newRow("first arrow selects the first key") << "Tavrin" << "" << "Down" << 0;
    QTest::newRow("first Left selects the first key") << "Tavrin" << "" << "Left" << 0;
    QTest::newRow("Home with none selected") << "Tavrin" << "" << "Home" << 0;
    QTest::newRow("End with none selected") << "Tavrin" << "" << "End" << 83;
    QTest::newRow("Space with none selected") << "Tavrin" << "" << "Space" << 0;
    QTest::newRow("down a column") << "Tavrin" << "" << "Down Down Down" << 2;
    QTest::newRow("right goes a column on") << "Tavrin" << "12" << "Right" << 19;
    QTest::newRow("left goes a column back") << "Tavrin" << "12" << "Left" << 5;
    QTest::newRow("up from the top row stays") << "Tavrin" << "7" << "Up" << 7;
    QTest::newRow("down from the bottom row stays") << "Tavrin" << "6" << "Down" << 6;
    QTest::newRow("right from the last column stays") << "Tavrin" << "80" << "Right" << 80;
    QTest::newRow("left from the first column stays") << "Tavrin" << "3" << "Left" << 3;
    QTest::newRow("Home and End") << "Tavrin" << "40" << "End Home" << 0;
    QTest::newRow("out of a merged key, past its right edge")
        << "Tavrin" << "0 s7 s1" << "Right" << 14;
    QTest::newRow("out of a merged key, past its bottom edge")
        << "Tavrin" << "0 s7 s1" << "Down" << 2;
    QTest::newRow("into a merged key from the right")
        << "Tavrin" << "0 s7 s1 15" << "Left" << 0;
    QTest::newRow("into a merged key from below") << "Tavrin" << "0 s7 s1 9" << "Up" << 0;
    QTest::newRow("End reaches the key over the last cell")
        << "Tavrin" << "76 s83 s77" << "Home End" << 76;
    QTest::newRow("Space deselects") << "Tavrin" << "9" << "Space" << -1;
    QTest::newRow("Space after a deselect starts again") << "Tavrin" << "9" << "Space Space" << 0;
    QTest::newRow("Tab keeps the focus in the grid") << "Tavrin" << "" << "Tab Down" << 0;
    // The key lock reads 5, 6, 0, 1, 2, 3, 4 from the left.
    QTest::newRow("lock: first arrow") << "Quelda" << "" << "Right" << 5;
    QTest::newRow("lock: right in screen order") << "Quelda" << "" << "Right Right Right" << 0;
    QTest::newRow("lock: left in screen order") << "Quelda" << "1" << "Left Left" << 6;
    QTest::newRow("lock: End") << "Quelda" << "" << "End" << 4;
    QTest::newRow("lock: right from the last stays") << "Quelda" << "4" << "Right" << 4;
    QTest::newRow("lock: up and down stay") << "Quelda" << "2" << "Up Down" << 2;
    QTest::newRow("lock: Shift+Right moves") << "Quelda" << "0" << "S+Right" << 1;
}

void TestGridKeyboard::moves()
{
    QFETCH(QString, program);
    QFETCH(QString, clicks);
    QFETCH(QString, keys);
    QFETCH(int, selected);

    Window w = makeWindow(program);
    showActive(*w.dlg);
    clickAll(*w.dlg, clicks);
    press(keys);
    QCOMPARE(w.dlg->selectedIndex(), selected);
    for (int i = 0; i < w.dlg->keyCount(); ++i)
        QCOMPARE(w.dlg->key(i)->Down(), i == selected);
    QCOMPARE(w.dlg->action(Command::Label)->isEnabled(), selected >= 0);
    QCOMPARE(QApplication::focusWidget(), w.dlg->clientArea());
}

void TestGridKeyboard::shiftArrowsMergeAsShiftClicks_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("keys"); // from the same first click
    QTest::addColumn<int>("selected");

    QTest::newRow("grow right") << "0 s7" << "S+Right" << 0;
    QTest::newRow("grow right, then down") << "0 s7 s1" << "S+Right S+Down" << 0;
    QTest::newRow("bottom row grows right, not down") << "6 s13" << "S+Down S+Right" << 6;
    QTest::newRow("right edge cannot grow right") << "77" << "S+Right" << 77;
    QTest::newRow("split by Shift+Space") << "0 s7 s1 s0" << "S+Right S+Down S+Space" << 0;
    QTest::newRow("over a merged neighbour")
        << "21 s28 s22 14 s21" << "S+Right S+Down Left S+Right" << 14;
    QTest::newRow("Shift+Left only moves") << "15 s8" << "S+Left" << 8;
    QTest::newRow("the key below a merged one grows on its own")
        << "0 s7 s1 2 s9" << "S+Right S+Down Down S+Right" << 2;
}

void TestGridKeyboard::shiftArrowsMergeAsShiftClicks()
{
    QFETCH(QString, clicks);
    QFETCH(QString, keys);
    QFETCH(int, selected);

    Window byMouse = makeWindow(QStringLiteral("Tavrin"));
    byMouse.dlg->show();
    clickAll(*byMouse.dlg, clicks);

    Window byKeys = makeWindow(QStringLiteral("Tavrin"));
    showActive(*byKeys.dlg);
    clickAll(*byKeys.dlg, clicks.section(u' ', 0, 0));
    press(keys);

    QCOMPARE(byKeys.dlg->selectedIndex(), selected);
    QCOMPARE(byMouse.dlg->selectedIndex(), selected);
    QCOMPARE(byKeys.dlg->ConfigChanged(), byMouse.dlg->ConfigChanged());
    for (int i = 0; i < byKeys.dlg->keyCount(); ++i) {
        const KeyCell &k = byKeys.dlg->grid().cell(i);
        const KeyCell &m = byMouse.dlg->grid().cell(i);
        QCOMPARE(QList<int>({k.ColSpan, k.RowSpan, k.Visible}),
                 QList<int>({m.ColSpan, m.RowSpan, m.Visible}));
        QCOMPARE(byKeys.dlg->key(i)->isVisible(), byMouse.dlg->key(i)->isVisible());
    }
}

void TestGridKeyboard::enterOpensTheLabelDialog()
{
    Window w = makeWindow(QStringLiteral("Tavrin"));
    auto editor = std::make_unique<RecordingLabelEditor>();
    RecordingLabelEditor *labels = editor.get();
    w.dlg->setLabelEditor(std::move(editor));
    showActive(*w.dlg);
    press(QStringLiteral("Enter"));
    QCOMPARE(labels->offered.size(), 0); // nothing selected: nothing to label
    press(QStringLiteral("Right Down Enter Right F2"));
    QCOMPARE(labels->offered, QList<QByteArray>({"2", "9"}));
}

void TestGridKeyboard::keysReadAloud()
{
    // What a screen reader says of a key: its place and label, its codes as the strokes that
    // make them, the keys it is merged over, and whether it is the selected one.
    Window w = makeWindow(QStringLiteral("Tavrin"));
    w.dlg->document().setCaption(12, "Lat|te");
    w.dlg->document().setCodes(12, QByteArray::fromHex("121cf01cf012"));
    clickAll(*w.dlg, QStringLiteral("12 s19"));
    QAccessibleInterface *key = QAccessible::queryAccessibleInterface(w.dlg->key(12));
    QCOMPARE(key->role(), QAccessible::Button);
    QCOMPARE(key->text(QAccessible::Name), QStringLiteral("Key 13, Lat te"));
    QCOMPARE(key->text(QAccessible::Description), QStringLiteral("Shift+A; merged over 2 keys"));
    QVERIFY(key->state().selected);
    QVERIFY(QAccessible::queryAccessibleInterface(w.dlg->key(19))->state().invisible);

    Window lock = makeWindow(QStringLiteral("Quelda"));
    QCOMPARE(QAccessible::queryAccessibleInterface(lock.dlg->key(3))->text(QAccessible::Name),
             QStringLiteral("Key 3"));
}

QTEST_MAIN(TestGridKeyboard)
#include "tst_gridkeyboard.moc"
