// SPDX-License-Identifier: MIT
#include "codeentry/NativeKeys.h"
#include "codeentry/TScan.h"
#include "codeentry/TScanDlg.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/TKey.h"
#include "mainwindow/TMainDlg.h"
#include "support/FakePrompter.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QString LimitMessage = QStringLiteral("failure: Cannot add codes beyond the limit.");

// "1C F0 1C" as bytes.
QByteArray hex(const char *spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

// The control's text for these bytes: one upper-case line each.
QString listing(const QByteArray &bytes)
{
    QStringList lines;
    for (char b : bytes)
        lines << QString::fromLatin1(QByteArray(1, b).toHex().toUpper());
    return lines.join(u'\n');
}

struct Capture
{
    std::unique_ptr<TScan> scan = std::make_unique<TScan>(QStringLiteral("Tavrin"));
    FakePrompter *prompts;

    explicit Capture(TScan::KeyData data)
    {
        auto prompter = std::make_unique<FakePrompter>();
        prompts = prompter.get();
        scan->setPrompter(std::move(prompter));
        scan->setKeyData(data);
    }
    void press(quint32 nativeScanCode, quint32 nativeModifiers, bool autoRepeat = false)
    {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, nativeScanCode, 0,
                       nativeModifiers, QString(), autoRepeat);
        QApplication::sendEvent(scan.get(), &down);
    }
};

// X server state bits and Windows key states as the toolkit passes them.
enum : quint32
{
    XShift = 0x01,
    XCtrl = 0x04,
    XAlt = 0x08,
    XNum = 0x10,
    WShiftL = 0x001,
    WCtrlL = 0x002,
    WAltL = 0x004,
    WShiftR = 0x010,
    WCtrlR = 0x020,
    WAltR = 0x040,
    WNum = 0x200,
    WExt = 0x100,
};

} // namespace

class TestCodeEntry : public QObject
{
    Q_OBJECT
private slots:
    void strokes_data();
    void x11Strokes_data() { strokes_data(); }
    void x11Strokes();
    void windowsStrokes_data() { strokes_data(); }
    void windowsStrokes();
    void repeatsAndGetCodes();
    void numLockMask_data();
    void numLockMask();
    void codeDialog_data();
    void codeDialog();

private:
    void driveDialog(TScanDlg &dlg, const QStringList &actions);
    void pressAndCheck(TScan::KeyData data, quint32 nativeScanCode, quint32 nativeModifiers);
};

// One key stroke per row, as an X server and as Windows report it, with the lines it adds to a
// list that already holds `listed` lines.
void TestCodeEntry::strokes_data()
{
    QTest::addColumn<int>("listed");
    QTest::addColumn<quint32>("xKeycode");
    QTest::addColumn<quint32>("xState");
    QTest::addColumn<quint32>("winScan");
    QTest::addColumn<quint32>("winKeys");
    QTest::addColumn<QByteArray>("group"); // empty: nothing recorded
    QTest::addColumn<bool>("refused");     // the limit message instead of the group

    auto row = [](const char *name, int listed, quint32 xKey, quint32 xState, quint32 winScan,
                  quint32 winKeys, const char *group, bool refused = false) {
        QTest::newRow(name) << listed << xKey << xState << winScan << winKeys << hex(group)
                            << refused;
    };
    row("A", 0, 38, 0, 0x1E, 0, "1C F0 1C");
    row("Shift+A", 0, 38, XShift, 0x1E, WShiftL, "12 1C F0 1C F0 12");
    row("right Shift+A", 0, 38, XShift, 0x1E, WShiftR, "12 1C F0 1C F0 12");
    row("Ctrl+Alt+A", 0, 38, XCtrl | XAlt, 0x1E, WCtrlL | WAltL, "14 11 1C F0 1C F0 11 F0 14");
    row("right Ctrl+right Alt+A", 0, 38, XCtrl | XAlt, 0x1E, WCtrlR | WAltR,
        "14 11 1C F0 1C F0 11 F0 14");
    row("Shift+Ctrl+Alt+A", 0, 38, XShift | XCtrl | XAlt, 0x1E, WShiftL | WCtrlL | WAltL,
        "12 14 11 1C F0 1C F0 11 F0 14 F0 12");
    row("Alt+F", 0, 41, XAlt, 0x21, WAltL, "11 2B F0 2B F0 11");
    row("Up", 0, 111, 0, WExt | 0x48, 0, "E0 75 E0 F0 75");
    row("Up, Num Lock on", 0, 111, XNum, WExt | 0x48, WNum, "E0 12 E0 75 E0 F0 75 E0 F0 12");
    row("Shift+Up", 0, 111, XShift, WExt | 0x48, WShiftL, "12 E0 F0 12 E0 75 E0 F0 75 E0 12 F0 12");
    row("Shift+Up, Num Lock on", 0, 111, XShift | XNum, WExt | 0x48, WShiftL | WNum,
        "12 E0 75 E0 F0 75 F0 12");
    row("keypad 8", 0, 80, 0, 0x48, 0, "75 F0 75");
    row("keypad 8, Num Lock on", 0, 80, XNum, 0x48, WNum, "75 F0 75");
    row("keypad slash, Num Lock on", 0, 106, XNum, WExt | 0x35, WNum, "E0 4A E0 F0 4A");
    row("keypad Enter", 0, 104, 0, WExt | 0x1C, 0, "E0 5A E0 F0 5A");
    row("keypad star", 0, 63, 0, 0x37, 0, "7C F0 7C");
    row("Print Screen", 0, 107, 0, WExt | 0x37, 0, "E0 12 E0 7C E0 F0 7C E0 F0 12");
    row("Ctrl+Print Screen", 0, 107, XCtrl, WExt | 0x37, WCtrlL, "14 E0 7C E0 F0 7C F0 14");
    row("SysRq", 0, 107, XAlt, 0x54, WAltL, "11 84 F0 84 F0 11");
    row("Pause", 0, 127, 0, 0x45, 0, "E1 14 77 E1 F0 14 F0 77");
    row("Num Lock", 0, 77, 0, WExt | 0x45, 0, "77 F0 77");
    row("Ctrl+Break", 0, 127, XCtrl, WExt | 0x46, WCtrlL, "14 E0 7E E0 F0 7E F0 14");
    row("Ctrl+Alt+Delete, Num Lock on", 0, 119, XCtrl | XAlt | XNum, WExt | 0x53,
        WCtrlL | WAltL | WNum, "14 11 E0 12 E0 71 E0 F0 71 E0 F0 12 F0 11 F0 14");
    row("Tab", 0, 23, 0, 0x0F, 0, "0D F0 0D");
    row("Return", 0, 36, 0, 0x1C, 0, "5A F0 5A");
    row("Escape", 0, 9, 0, 0x01, 0, "76 F0 76");
    row("F10", 0, 76, 0, 0x44, 0, "09 F0 09");
    row("F12", 0, 96, 0, 0x58, 0, "07 F0 07");
    row("Japanese ro", 0, 97, 0, 0x73, 0, "51 F0 51");
    row("Shift alone", 0, 50, 0, 0x2A, WShiftL, "");
    row("right Ctrl alone", 0, 105, XShift, WExt | 0x1D, WCtrlR | WShiftL, "");
    row("right Alt alone", 0, 108, 0, WExt | 0x38, WAltR, "");
    row("logo key", 0, 133, 0, WExt | 0x5B, 0, "");
    row("60 + 3 taken", 60, 38, 0, 0x1E, 0, "1C F0 1C");
    row("61 + 3 refused", 61, 38, 0, 0x1E, 0, "1C F0 1C", true);
    row("51 + 13 refused", 51, 111, XShift, WExt | 0x48, WShiftL,
        "12 E0 F0 12 E0 75 E0 F0 75 E0 12 F0 12", true);
    row("51 + 3 taken", 51, 38, 0, 0x1E, 0, "1C F0 1C");
    row("63 refuses everything", 63, 9, 0, 0x01, 0, "76 F0 76", true);
    row("63, a modifier alone still says nothing", 63, 37, 0, 0x1D, 0, "");
}

// Sends the current row's stroke as one platform reports it and checks what the list shows.
void TestCodeEntry::pressAndCheck(TScan::KeyData data, quint32 nativeScanCode,
                                  quint32 nativeModifiers)
{
    QFETCH(int, listed);
    QFETCH(QByteArray, group);
    QFETCH(bool, refused);
    Capture c(data);
    const QByteArray before(listed, '\x55');
    QVERIFY(c.scan->AddCodes(before));
    c.press(nativeScanCode, nativeModifiers);
    const QByteArray after = refused ? before : before + group;
    QCOMPARE(c.scan->toPlainText(), listing(after));
    QCOMPARE(c.scan->lineCount(), after.size());
    QCOMPARE(c.prompts->shown, refused ? QStringList{LimitMessage} : QStringList{});
}

void TestCodeEntry::x11Strokes()
{
    QFETCH(quint32, xKeycode);
    QFETCH(quint32, xState);
    pressAndCheck(TScan::KeyData::X11, xKeycode, xState);
}

void TestCodeEntry::windowsStrokes()
{
    QFETCH(quint32, winScan);
    QFETCH(quint32, winKeys);
    pressAndCheck(TScan::KeyData::Windows, winScan, winKeys);
}

void TestCodeEntry::repeatsAndGetCodes()
{
    Capture c(TScan::KeyData::X11);
    QCOMPARE(c.scan->GetCodes(), QByteArray());
    c.press(38, 0);
    c.press(38, 0, true); // held down: the repeat is a stroke of its own
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, 38, 0, 0);
    QApplication::sendEvent(c.scan.get(), &up);
    QCOMPARE(c.scan->toPlainText(), QStringLiteral("1C\nF0\n1C\n1C\nF0\n1C"));
    QCOMPARE(c.scan->GetCodes(), hex("1C F0 1C 1C F0 1C"));
}

void TestCodeEntry::numLockMask_data()
{
    QTest::addColumn<QByteArray>("modifierMap"); // 8 rows of 2 key codes
    QTest::addColumn<quint32>("mask");
    // Key codes 8 to 11 hold Shift_L, Control_L, Num_Lock and Alt_L, two symbols each.
    QTest::newRow("on Mod2") << hex("32 00 00 00 09 00 0B 00 0A 00 00 00 00 00 00 00")
                             << quint32(0x10);
    QTest::newRow("on Mod5") << hex("08 00 00 00 09 00 0B 00 00 00 00 00 00 00 0A 00")
                             << quint32(0x80);
    QTest::newRow("nowhere") << hex("08 00 00 00 09 00 0B 00 00 00 00 00 00 00 00 00")
                             << quint32(0x10);
}

void TestCodeEntry::numLockMask()
{
    QFETCH(QByteArray, modifierMap);
    QFETCH(quint32, mask);
    const quint32 keyboardMap[] = {0xFFE1, 0, 0xFFE3, 0, 0xFF7F, 0xFEF9, 0xFFE9, 0xFFE7};
    const auto *map = reinterpret_cast<const quint8 *>(modifierMap.constData());
    QCOMPARE(
        NativeKeys::x11NumLockMask({map, std::size_t(modifierMap.size())}, 2, keyboardMap, 2, 8),
        mask);
}

// The real dialog opened by the Code command. Actions: a key name is pressed on whatever has
// the focus; "reset", "ok" and "cancel" click the buttons; "close" is the title-bar close box.
void TestCodeEntry::codeDialog_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QByteArray>("codes");
    QTest::addColumn<bool>("changed");
    const QByteArray start = hex("12 1C F0 1C F0");
    QTest::newRow("cancel after reset and strokes")
        << QStringList{"reset", "A", "cancel"} << start << false;
    QTest::newRow("close box cancels") << QStringList{"A", "close"} << start << false;
    QTest::newRow("ok without change") << QStringList{"ok"} << start << true;
    QTest::newRow("reset then ok") << QStringList{"reset", "ok"} << QByteArray() << true;
    QTest::newRow("strokes add to the codes")
        << QStringList{"A", "ok"} << hex("12 1C F0 1C F0 1C F0 1C") << true;
    QTest::newRow("Return, Escape and Tab are recorded")
        << QStringList{"reset", "Return", "Escape", "Tab", "ok"}
        << hex("5A F0 5A 76 F0 76 0D F0 0D") << true;
}

void TestCodeEntry::codeDialog()
{
    QFETCH(QStringList, actions);
    QFETCH(QByteArray, codes);
    QFETCH(bool, changed);
    TMainDlg window(ProgramProfile::tavrin());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    TestFiles::loadCodes(window.document(), 9, hex("12 1C F0 1C F0"));
    QTest::mouseClick(window.key(9), Qt::LeftButton);

    bool ran = false;
    QTimer::singleShot(0, this, [&] {
        auto *dlg = qobject_cast<TScanDlg *>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        ran = true;
        driveDialog(*dlg, actions);
        // A failed check must not leave the test waiting on the dialog.
        if (dlg->isVisible())
            dlg->reject();
    });
    QTest::keySequence(&window, QKeySequence(QStringLiteral("Ctrl+D")));
    QVERIFY(ran);
    if (QTest::currentTestFailed())
        return;
    const KeyCell &cell = window.grid().cell(9);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(cell.Codes.data()), cell.CodeCount), codes);
    QCOMPARE(window.ConfigChanged(), changed);
}

void TestCodeEntry::driveDialog(TScanDlg &dlg, const QStringList &actions)
{
    static const QHash<QString, Qt::Key> keys = {{"A", Qt::Key_A},
                                                 {"Return", Qt::Key_Return},
                                                 {"Escape", Qt::Key_Escape},
                                                 {"Tab", Qt::Key_Tab}};
    // The keys go to the list from the start, without a click into it.
    QTRY_COMPARE(QApplication::focusWidget(), dlg.scan());
    QCOMPARE(dlg.windowTitle(), QStringLiteral("KeyCode"));
    QCOMPARE(dlg.size(), QSize(155, 139));
    QCOMPARE(dlg.scan()->toPlainText(), QStringLiteral("12\n1C\nF0\n1C\nF0"));
    for (const QString &action : actions) {
        QCOMPARE(QApplication::focusWidget(), dlg.scan());
        if (action == QLatin1String("reset"))
            QTest::mouseClick(dlg.resetButton(), Qt::LeftButton);
        else if (action == QLatin1String("ok"))
            QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        else if (action == QLatin1String("cancel"))
            QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
        else if (action == QLatin1String("close"))
            dlg.close();
        else
            QTest::keyClick(QApplication::focusWidget(), keys.value(action));
    }
    QVERIFY(!dlg.isVisible());
}

QTEST_MAIN(TestCodeEntry)
#include "tst_codeentry.moc"
