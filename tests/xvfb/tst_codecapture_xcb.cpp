// SPDX-License-Identifier: MIT
// The code dialog on a real X server, fed real key events by key code through XTEST, as a
// user's keyboard would. Run by run_on_xvfb.sh; the rows run in order on one fresh server,
// whose Num Lock starts off and is switched by the Num Lock rows.
#include "codeentry/TScan.h"
#include "codeentry/TScanDlg.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

class TestCodeCaptureXcb : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void strokes_data();
    void strokes();
    void limitBoxGivesTheFocusBack();
    void menuKeyOpensNoMenu();
    void cleanupTestCase() { delete m_dlg; }

private:
    TScanDlg *m_dlg = nullptr;
    QString m_xdotool;
};

void TestCodeCaptureXcb::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs the xcb platform on an X server");
    m_xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (m_xdotool.isEmpty())
        QSKIP("needs xdotool");
    m_dlg = new TScanDlg(QStringLiteral("Tavrin"));
    m_dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dlg));
    QTRY_COMPARE(QApplication::focusWidget(), m_dlg->scan());
}

void TestCodeCaptureXcb::strokes_data()
{
    QTest::addColumn<QString>("xdotool"); // key codes of the evdev keymap
    QTest::addColumn<QString>("lines");
    QTest::newRow("A") << "key 38"
                       << "1C F0 1C";
    QTest::newRow("Shift+A") << "keydown 50 key 38 keyup 50"
                             << "12 1C F0 1C F0 12";
    QTest::newRow("right Shift+A") << "keydown 62 key 38 keyup 62"
                                   << "12 1C F0 1C F0 12";
    QTest::newRow("Ctrl+Alt+A") << "keydown 37 keydown 64 key 38 keyup 64 keyup 37"
                                << "14 11 1C F0 1C F0 11 F0 14";
    QTest::newRow("Up, Num Lock off") << "key 111"
                                      << "E0 75 E0 F0 75";
    QTest::newRow("keypad 8, Num Lock off") << "key 80"
                                            << "75 F0 75";
    QTest::newRow("Num Lock on") << "key 77"
                                 << "77 F0 77";
    QTest::newRow("Up, Num Lock on") << "key 111"
                                     << "E0 12 E0 75 E0 F0 75 E0 F0 12";
    QTest::newRow("keypad 8, Num Lock on") << "key 80"
                                           << "75 F0 75";
    QTest::newRow("Num Lock off") << "key 77"
                                  << "77 F0 77";
    QTest::newRow("keypad Enter") << "key 104"
                                  << "E0 5A E0 F0 5A";
    QTest::newRow("Pause") << "key 127"
                           << "E1 14 77 E1 F0 14 F0 77";
    QTest::newRow("Ctrl+Break") << "keydown 37 key 127 keyup 37"
                                << "14 E0 7E E0 F0 7E F0 14";
    QTest::newRow("Tab") << "key 23"
                         << "0D F0 0D";
    QTest::newRow("Return") << "key 36"
                            << "5A F0 5A";
    // A lone digit would be taken for a key symbol; Escape has one key and no modifiers.
    QTest::newRow("Escape") << "key Escape"
                            << "76 F0 76";
    QTest::newRow("F10") << "key 76"
                         << "09 F0 09";
    QTest::newRow("Alt+F") << "keydown 64 key 41 keyup 64"
                           << "11 2B F0 2B F0 11";
    QTest::newRow("F12") << "key 96"
                         << "07 F0 07";
}

void TestCodeCaptureXcb::strokes()
{
    QFETCH(QString, xdotool);
    QFETCH(QString, lines);
    m_dlg->scan()->clear();
    QCOMPARE(QProcess::execute(m_xdotool, xdotool.split(u' ')), 0);
    const QString expected = lines.replace(u' ', u'\n');
    QTRY_COMPARE(m_dlg->scan()->toPlainText(), expected);
    // Nothing closed the dialog or took the focus away from the list.
    QVERIFY(m_dlg->isVisible());
    QCOMPARE(QApplication::focusWidget(), m_dlg->scan());
}

void TestCodeCaptureXcb::limitBoxGivesTheFocusBack()
{
    m_dlg->scan()->clear();
    QVERIFY(m_dlg->scan()->AddCodes(QByteArray(61, 0x1C)));
    // The limit box comes up over the dialog; the user closes it with Return, as there is no
    // window manager to click with.
    bool boxSeen = false;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (!qobject_cast<QMessageBox *>(QApplication::activeModalWidget()) || boxSeen)
            return;
        boxSeen = true;
        QProcess::execute(m_xdotool, {QStringLiteral("key"), QStringLiteral("Return")});
    });
    closer.start(50);
    QCOMPARE(QProcess::execute(m_xdotool, {QStringLiteral("key"), QStringLiteral("38")}), 0);
    QTRY_VERIFY(boxSeen);
    QTRY_VERIFY(!QApplication::activeModalWidget() ||
                QApplication::activeModalWidget() == m_dlg);
    QCOMPARE(m_dlg->scan()->lineCount(), 61);
    // The next stroke reaches the list without a click.
    QTRY_COMPARE(QApplication::focusWidget(), m_dlg->scan());
    m_dlg->scan()->clear();
    QCOMPARE(QProcess::execute(m_xdotool, {QStringLiteral("key"), QStringLiteral("38")}), 0);
    QTRY_COMPARE(m_dlg->scan()->toPlainText(), QStringLiteral("1C\nF0\n1C"));
}

void TestCodeCaptureXcb::menuKeyOpensNoMenu()
{
    m_dlg->scan()->clear();
    QCOMPARE(QProcess::execute(m_xdotool, {QStringLiteral("key"), QStringLiteral("Menu")}), 0);
    QCOMPARE(QProcess::execute(m_xdotool, {QStringLiteral("key"), QStringLiteral("38")}), 0);
    // The stroke after it is recorded; the Menu key itself records nothing and opens nothing.
    QTRY_COMPARE(m_dlg->scan()->toPlainText(), QStringLiteral("1C\nF0\n1C"));
    QVERIFY(!QApplication::activePopupWidget());
}

QTEST_MAIN(TestCodeCaptureXcb)
#include "tst_codecapture_xcb.moc"
