// SPDX-License-Identifier: MIT
// The Test Keys window on a real X server, fed real key events through XTEST as a programmed
// keyboard would send them. Run by run_on_xvfb.sh.
#include "codeentry/TScan.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keytest/KeyTestSession.h"
#include "keytest/TTestKeysDlg.h"
#include "profile/ProgramProfile.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

class TestKeyTestXcb : public QObject
{
    Q_OBJECT
private slots:
    void reportNamesThePressedKeys();
};

void TestKeyTestXcb::reportNamesThePressedKeys()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs the xcb platform on an X server");
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xdotool.isEmpty())
        QSKIP("needs xdotool");

    KeyDocument layout(ProgramProfile::tavrin());
    layout.setCaption(12, "Latte");
    layout.setCodes(12, QByteArray::fromHex("121CF01CF012")); // Shift+A
    layout.setCaption(20, "Void");
    layout.setCodes(20, QByteArray::fromHex("1411E071E0F071F011F014")); // Ctrl+Alt+Delete
    layout.setCaption(30, "Tea");
    layout.setCodes(30, QByteArray::fromHex("32F032")); // B, never pressed
    TTestKeysDlg tester(layout.grid(), QStringLiteral("Tavrin"));
    tester.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tester));
    QTRY_COMPARE(QApplication::focusWidget(), tester.capture());

    // Key codes of the evdev keymap: Shift 50, A 38, Ctrl 37, Alt 64, Delete 119. The pause
    // between the two keys parts them into two sequences.
    QCOMPARE(QProcess::execute(xdotool, {"keydown", "50", "key", "38", "keyup", "50"}), 0);
    QTRY_COMPARE(tester.session().sequences().size(), 1);
    QTest::qWait(400);
    QCOMPARE(QProcess::execute(xdotool, {"keydown", "37", "keydown", "64", "key", "119", "keyup",
                                         "64", "keyup", "37"}),
             0);
    QTRY_COMPARE(tester.session().sequences().size(), 2);

    const QString report = tester.reportText();
    QVERIFY2(report.contains(QStringLiteral("  Shift+A  [12 1C F0 1C F0 12]  key 13, Latte\n")),
             qPrintable(report));
    QVERIFY2(report.contains(QStringLiteral(
                 "  Ctrl+Alt+Delete  [14 11 E0 71 E0 F0 71 F0 11 F0 14]  key 21, Void\n")),
             qPrintable(report));
    QVERIFY2(report.contains(QStringLiteral("Summary: 3 keys have codes; 2 seen, 1 not yet.\n"
                                            "\n"
                                            "Not yet seen:\n"
                                            "  key 31, Tea\n")),
             qPrintable(report));
    QVERIFY(tester.isVisible());
    QCOMPARE(QApplication::focusWidget(), tester.capture());
}

QTEST_MAIN(TestKeyTestXcb)
#include "tst_keytest_xcb.moc"
