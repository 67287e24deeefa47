// SPDX-License-Identifier: MIT
#include "FakePrompter.h"
#include "keymodel/KeyCell.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/TKey.h"
#include "mainwindow/TMainDlg.h"

#include <QTest>

// Shift+clicks on the keyboard program's grid, as a user makes them, and what the window shows
// afterwards.
class TestMerging : public QObject
{
    Q_OBJECT
private slots:
    void clicks_data();
    void clicks();
    void lockIgnoresShift();
};

void TestMerging::clicks_data()
{
    QTest::addColumn<QString>("clicks");    // cell indices, "s" before a Shift+click
    QTest::addColumn<QString>("keys");      // "index:columns x rows" of every key not 1 x 1
    QTest::addColumn<QList<int>>("hidden"); // every hidden cell
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("labels"); // "index=label" of some cells

    QTest::newRow("grow right") << "0 s7"
                                << "0:2x1" << QList<int>{7} << 0 << true << "0=K0";
    QTest::newRow("then grow down") << "0 s7 s1"
                                    << "0:2x2" << QList<int>{1, 7, 8} << 0 << true << "0=K0";
    QTest::newRow("beside a lower row moves the selection")
        << "0 s7 s1 s15"
        << "0:2x2" << QList<int>{1, 7, 8} << 15 << true << "15=K15";
    QTest::newRow("below a right column moves the selection")
        << "0 s7 s1 s9"
        << "0:2x2" << QList<int>{1, 7, 8} << 9 << true << "9=K9";
    QTest::newRow("bottom of a column does not reach the next column")
        << "6 s7"
        << "" << QList<int>{} << 7 << false << "7=K7";
    QTest::newRow("bottom of a column grows right")
        << "6 s13"
        << "6:2x1" << QList<int>{13} << 6 << true << "6=K6";
    QTest::newRow("right edge grows down") << "77 s78"
                                           << "77:1x2" << QList<int>{78} << 77 << true << "77=K77";
    QTest::newRow("right edge: a cell to the left moves the selection")
        << "77 s70"
        << "" << QList<int>{} << 70 << false << "77=K77";
    QTest::newRow("bottom row cannot grow down") << "13 s14"
                                                 << "" << QList<int>{} << 14 << false << "13=K13";
    QTest::newRow("whole column") << "0 s1 s2 s3 s4 s5 s6"
                                  << "0:1x7" << QList<int>{1, 2, 3, 4, 5, 6} << 0 << true << "";
    QTest::newRow("split 2 x 2 gives back default cells")
        << "0 s7 s1 s0"
        << "" << QList<int>{} << 0 << true << "0=1 1=2 7=8 8=9";
    QTest::newRow("split of a single cell resets it, unchanged")
        << "12 s12"
        << "" << QList<int>{} << 12 << false << "12=13 11=K11";
    QTest::newRow("merge over a merged neighbour")
        << "21 s28 s22 14 s21"
        << "14:2x1" << QList<int>{21} << 14 << true << "14=K14 21=22 22=23 28=29 29=30";
    QTest::newRow("plain click on the selected key deselects")
        << "0 s7 0"
        << "0:2x1" << QList<int>{7} << -1 << true << "";
}

void TestMerging::clicks()
{
    QFETCH(QString, clicks);
    QFETCH(QString, keys);
    QFETCH(QList<int>, hidden);
    QFETCH(int, selected);
    QFETCH(bool, changed);
    QFETCH(QString, labels);

    TMainDlg dlg(ProgramProfile::tavrin());
    dlg.setPrompter(std::make_unique<FakePrompter>());
    for (int i = 0; i < dlg.keyCount(); ++i)
        dlg.grid().setCaption(i, "K" + QByteArray::number(i));
    dlg.show();
    for (const QString &c : clicks.split(u' ')) {
        const bool shift = c.startsWith(u's');
        QTest::mouseClick(dlg.key(c.mid(shift ? 1 : 0).toInt()), Qt::LeftButton,
                          shift ? Qt::ShiftModifier : Qt::NoModifier);
    }

    QHash<int, QSize> spans;
    for (const QString &k : keys.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = k.split(QRegularExpression(QStringLiteral("[:x]")));
        spans[parts[0].toInt()] = QSize(parts[1].toInt(), parts[2].toInt());
    }
    for (int i = 0; i < dlg.keyCount(); ++i) {
        const QSize span = spans.value(i, QSize(1, 1));
        const TKey *key = dlg.key(i);
        QCOMPARE(QSize(key->cell().ColSpan, key->cell().RowSpan), span);
        QCOMPARE(key->size(), span * 44);
        QCOMPARE(key->pos(), QPoint(i / 7 * 44 + 8, i % 7 * 44 + 41));
        QCOMPARE(key->isVisible(), !hidden.contains(i));
        QCOMPARE(key->Down(), i == selected);
    }
    QCOMPARE(dlg.selectedIndex(), selected);
    QCOMPARE(dlg.action(Command::Label)->isEnabled(), selected >= 0);
    QCOMPARE(dlg.ConfigChanged(), changed);
    for (const QString &l : labels.split(u' ', Qt::SkipEmptyParts)) {
        const int at = l.indexOf(u'=');
        QCOMPARE(dlg.key(l.left(at).toInt())->cell().Caption, l.mid(at + 1).toLatin1());
    }
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
}

QTEST_MAIN(TestMerging)
#include "tst_merging.moc"
