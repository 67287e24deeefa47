// SPDX-License-Identifier: MIT
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "profile/ProgramProfile.h"

#include <QRegularExpression>
#include <QTest>

// The rules of merging and splitting on the keyboard's 12 x 7 grid, without a window: which
// Shift+click grows a key, and what becomes of the cells it takes over or gives back.
class TestMergeRules : public QObject
{
    Q_OBJECT
private slots:
    void rules_data();
    void rules();
    void lockNeverMerges();
};

void TestMergeRules::rules_data()
{
    // "m0,7": Shift+click on cell 7 with the key at 0 selected merges; "-m0,15" does not.
    // "s0": Shift+click on the selected key at 0 splits a merged key; "-s12" only resets it.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("keys");      // "index:columns x rows" of every key not 1 x 1
    QTest::addColumn<QList<int>>("hidden"); // every hidden cell
    QTest::addColumn<QString>("labels");    // "index=label" of some cells

    QTest::newRow("grow right") << "m0,7"
                                << "0:2x1" << QList<int>{7} << "0=K0";
    QTest::newRow("then grow down") << "m0,7 m0,1"
                                    << "0:2x2" << QList<int>{1, 7, 8} << "0=K0";
    QTest::newRow("beside a lower row: no merge") << "m0,7 m0,1 -m0,15"
                                                  << "0:2x2" << QList<int>{1, 7, 8} << "15=K15";
    QTest::newRow("below a right column: no merge") << "m0,7 m0,1 -m0,9"
                                                    << "0:2x2" << QList<int>{1, 7, 8} << "9=K9";
    QTest::newRow("bottom of a column does not reach the next column")
        << "-m6,7"
        << "" << QList<int>{} << "7=K7";
    QTest::newRow("bottom of a column grows right") << "m6,13"
                                                    << "6:2x1" << QList<int>{13} << "6=K6";
    QTest::newRow("right edge grows down") << "m77,78"
                                           << "77:1x2" << QList<int>{78} << "77=K77";
    QTest::newRow("right edge: a cell to the left does not merge")
        << "-m77,70"
        << "" << QList<int>{} << "77=K77";
    QTest::newRow("right edge, merged down: nothing further right") << "m77,78 -m77,84"
                                                                    << "77:1x2" << QList<int>{78}
                                                                    << "";
    QTest::newRow("bottom row cannot grow down") << "-m13,14"
                                                 << "" << QList<int>{} << "13=K13";
    QTest::newRow("whole column") << "m0,1 m0,2 m0,3 m0,4 m0,5 m0,6"
                                  << "0:1x7" << QList<int>{1, 2, 3, 4, 5, 6} << "";
    QTest::newRow("taken cells lose their contents") << "m0,7 m0,1"
                                                     << "0:2x2" << QList<int>{1, 7, 8}
                                                     << "1=2 7=8 8=9";
    QTest::newRow("split 2 x 2 gives back default cells") << "m0,7 m0,1 s0"
                                                          << "" << QList<int>{}
                                                          << "0=1 1=2 7=8 8=9";
    QTest::newRow("split of a single cell resets it") << "-s12"
                                                      << "" << QList<int>{} << "12=13 11=K11";
    QTest::newRow("merge over a merged neighbour")
        << "m21,28 m21,22 m14,21"
        << "14:2x1" << QList<int>{21} << "14=K14 21=22 22=23 28=29 29=30";
    QTest::newRow("grow down over a merged neighbour: cells outside stay single keys")
        << "m1,8 m0,1"
        << "0:1x2" << QList<int>{1} << "8=9 1=2";
}

void TestMergeRules::rules()
{
    QFETCH(QString, steps);
    QFETCH(QString, keys);
    QFETCH(QList<int>, hidden);
    QFETCH(QString, labels);

    KeyDocument layout(ProgramProfile::tavrin());
    const KeyGrid &grid = layout.grid();
    for (int i = 0; i < grid.count(); ++i)
        layout.setCaption(i, "K" + QByteArray::number(i));
    static const QRegularExpression step(QStringLiteral("^(-?)([ms])(\\d+)(?:,(\\d+))?$"));
    for (const QString &s : steps.split(u' ')) {
        const QRegularExpressionMatch m = step.match(s);
        QVERIFY2(m.hasMatch(), qPrintable(s));
        const bool expected = m.captured(1).isEmpty();
        const int key = m.captured(3).toInt();
        const bool done = m.captured(2) == u"m" ? layout.MergeKey(key, m.captured(4).toInt())
                                                : layout.SplitKey(key);
        QVERIFY2(done == expected, qPrintable(s));
    }

    QHash<int, QSize> spans;
    for (const QString &k : keys.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = k.split(QRegularExpression(QStringLiteral("[:x]")));
        spans[parts[0].toInt()] = QSize(parts[1].toInt(), parts[2].toInt());
    }
    for (int i = 0; i < grid.count(); ++i) {
        const KeyCell &c = grid.cell(i);
        QCOMPARE(QSize(c.ColSpan, c.RowSpan), spans.value(i, QSize(1, 1)));
        QCOMPARE(c.Visible, !hidden.contains(i));
    }
    for (const QString &l : labels.split(u' ', Qt::SkipEmptyParts)) {
        const int at = l.indexOf(u'=');
        QCOMPARE(grid.cell(l.left(at).toInt()).Caption, l.mid(at + 1).toLatin1());
    }
}

void TestMergeRules::lockNeverMerges()
{
    KeyDocument layout(ProgramProfile::quelda());
    const KeyGrid &grid = layout.grid();
    QVERIFY(!layout.MergeKey(0, 1));
    QCOMPARE(grid.cell(0).ColSpan, 1);
    QVERIFY(grid.cell(1).Visible);
}

QTEST_GUILESS_MAIN(TestMergeRules)
#include "tst_mergerules.moc"
