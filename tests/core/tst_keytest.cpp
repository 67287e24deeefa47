// SPDX-License-Identifier: MIT
// The key tester's core: which keys a sequence of codes is, how strokes form sequences, and
// the words of the window and the report.
#include "FakeKeyTestClock.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/LabelCodec.h"
#include "keytest/KeyTestReport.h"
#include "keytest/KeyTestSession.h"
#include "profile/ProgramProfile.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

namespace {

const LabelCodec Latin(QByteArrayLiteral("Windows-1252"));

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

KeyCell key(const char *label, const char *codes)
{
    KeyCell k;
    k.ResetKey(label);
    const QByteArray bytes = hex(codes);
    std::copy(bytes.begin(), bytes.end(), k.Codes.begin());
    k.CodeCount = int(bytes.size());
    return k;
}

// A till layout with every case the matching knows: a key of its own, two keys that send the
// same, a merged key whose covered cell still holds codes, and a key with an end mark among
// its codes.
QList<KeyCell> tillLayout(const KeyGrid &grid)
{
    QList<KeyCell> cells = grid.cells();
    cells[12] = key("Latte", "121CF01CF012");
    cells[20] = key("Void", "1411E071E0F071F011F014");
    cells[3] = key("Tea", "1CF01C");
    cells[9] = key("Tea", "1CF01C");
    cells[40] = key("Total", "32F032");
    cells[40].ColSpan = 2;
    cells[47] = key("48", "21F021"); // covered by the key at 40, yet holding codes
    cells[47].Visible = false;
    cells[50] = key("Cash", "2BF02BF734F034"); // the keyboard stops at the end mark
    return cells;
}

QList<KeyCell> lockLayout(const KeyGrid &grid)
{
    QList<KeyCell> cells = grid.cells();
    cells[3] = key("Open", "E11477E1F014F077");
    cells[0] = key("0", "0DF00D"); // its default label
    return cells;
}

struct Test
{
    KeyDocument layout;
    const KeyGrid &grid;
    KeyTestSession session;
    FakeKeyTestClock *clock;

    explicit Test(const ProgramProfile &profile)
        : layout(profile), grid(layout.grid()), session(grid)
    {
        auto c = std::make_unique<FakeKeyTestClock>();
        clock = c.get();
        session.setClock(std::move(c));
    }
    QString line(int i) const
    {
        return KeyTestReport::sequenceLine(session, session.sequences().at(i), Latin);
    }
};

} // namespace

class TestKeyTest : public QObject
{
    Q_OBJECT
private slots:
    void matching_data();
    void matching();
    void strokesGroupIntoSequencesByGap_data();
    void strokesGroupIntoSequencesByGap();
    void followsTheGrid();
    void report();
    void aFloodKeepsEachLineShort_data();
    void aFloodKeepsEachLineShort();
};

void TestKeyTest::matching_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QByteArray>("pressed");
    QTest::addColumn<QString>("line");
    QTest::newRow("exact") << "Tavrin" << hex("121CF01CF012")
                           << "07:51:03  Shift+A  [12 1C F0 1C F0 12]  key 13, Latte";
    QTest::newRow("exact, extended key")
        << "Tavrin" << hex("1411E071E0F071F011F014")
        << "07:51:03  Ctrl+Alt+Delete  [14 11 E0 71 E0 F0 71 F0 11 F0 14]  key 21, Void";
    QTest::newRow("none") << "Tavrin" << hex("1AF01A")
                          << "07:51:03  Z  [1A F0 1A]  no key of this layout sends this";
    QTest::newRow("a key's codes and more")
        << "Tavrin" << hex("121CF01CF0121CF01C")
        << "07:51:03  Shift+A, A  [12 1C F0 1C F0 12, 1C F0 1C]  no key of this layout sends this";
    QTest::newRow("two keys with the same codes")
        << "Tavrin" << hex("1CF01C")
        << "07:51:03  A  [1C F0 1C]  key 4, Tea; key 10, Tea (same codes)";
    QTest::newRow("merged key") << "Tavrin" << hex("32F032")
                                << "07:51:03  B  [32 F0 32]  key 41, Total";
    QTest::newRow("cell under a merged key")
        << "Tavrin" << hex("21F021") << "07:51:03  C  [21 F0 21]  no key of this layout sends this";
    QTest::newRow("codes up to the end mark")
        << "Tavrin" << hex("2BF02B") << "07:51:03  F  [2B F0 2B]  key 51, Cash";
    QTest::newRow("codes past the end mark")
        << "Tavrin" << hex("2BF02BF734F034")
        << "07:51:03  F, then at byte 3 not a whole group: F7 34 F0 34  [2B F0 2B, F7 34 F0 34]  "
           "no key of this layout sends this";
    QTest::newRow("Quelda") << "Quelda" << hex("E11477E1F014F077")
                            << "07:51:03  Pause  [E1 14 77 E1 F0 14 F0 77]  key 3, Open";
    QTest::newRow("Quelda, default label")
        << "Quelda" << hex("0DF00D") << "07:51:03  Tab  [0D F0 0D]  key 0";
}

void TestKeyTest::matching()
{
    QFETCH(QString, program);
    QFETCH(QByteArray, pressed);
    QFETCH(QString, line);
    const bool tavrin = program == QLatin1String("Tavrin");
    Test t(tavrin ? ProgramProfile::tavrin() : ProgramProfile::quelda());
    t.layout.load(tavrin ? tillLayout(t.grid) : lockLayout(t.grid), QString());
    t.session.addGroup(pressed);
    QCOMPARE(t.line(0), line);
}

void TestKeyTest::strokesGroupIntoSequencesByGap_data()
{
    // Each stroke is an A (1C F0 1C), pressed at the times given in milliseconds.
    QTest::addColumn<QList<int>>("times");
    QTest::addColumn<QList<int>>("strokesPerSequence");
    QTest::addColumn<QStringList>("startTimes");
    QTest::newRow("one stroke") << QList<int>{0} << QList<int>{1} << QStringList{"07:51:03.000"};
    QTest::newRow("a key's whole sequence")
        << QList<int>{0, 2, 4} << QList<int>{3} << QStringList{"07:51:03.000"};
    QTest::newRow("150 ms apart") << QList<int>{0, 150} << QList<int>{2}
                                  << QStringList{"07:51:03.000"};
    QTest::newRow("151 ms apart") << QList<int>{0, 151} << QList<int>{1, 1}
                                  << QStringList{"07:51:03.000", "07:51:03.151"};
    QTest::newRow("the gap counts from the last stroke")
        << QList<int>{0, 140, 280, 420} << QList<int>{4} << QStringList{"07:51:03.000"};
    QTest::newRow("two presses") << QList<int>{0, 3, 1200, 1203} << QList<int>{2, 2}
                                 << QStringList{"07:51:03.000", "07:51:04.200"};
}

void TestKeyTest::strokesGroupIntoSequencesByGap()
{
    QFETCH(QList<int>, times);
    QFETCH(QList<int>, strokesPerSequence);
    QFETCH(QStringList, startTimes);
    Test t(ProgramProfile::tavrin());
    QSignalSpy added(&t.session, &KeyTestSession::sequenceAdded);
    QSignalSpy extended(&t.session, &KeyTestSession::sequenceExtended);
    for (int ms : times) {
        t.clock->ms = ms;
        t.session.addGroup(hex("1CF01C"));
    }
    QList<int> got;
    QStringList starts;
    for (const TestedSequence &s : t.session.sequences()) {
        got << int(s.codes.size() / 3) * (1 + s.repeats); // the same stroke again counts on it
        starts << s.at.toString(QStringLiteral("HH:mm:ss.zzz"));
    }
    QCOMPARE(got, strokesPerSequence);
    QCOMPARE(starts, startTimes);
    QCOMPARE(added.size(), strokesPerSequence.size());
    QCOMPARE(extended.size(), times.size() - strokesPerSequence.size());
}

void TestKeyTest::followsTheGrid()
{
    Test t(ProgramProfile::tavrin());
    t.session.addGroup(hex("121CF01CF012"));
    QCOMPARE(t.line(0), "07:51:03  Shift+A  [12 1C F0 1C F0 12]  no key of this layout sends this");
    QCOMPARE(KeyTestReport::summary(t.session), "0 keys have codes; 0 seen, 0 not yet.");

    // Codes given to a key during the test count at once, for the lines already there too.
    QSignalSpy reset(&t.session, &KeyTestSession::reset);
    t.layout.setCodes(12, hex("121CF01CF012"));
    t.layout.setCodes(30, hex("32F032"));
    QCOMPARE(reset.size(), 2);
    QCOMPARE(t.line(0), "07:51:03  Shift+A  [12 1C F0 1C F0 12]  key 13");
    QCOMPARE(t.session.lastKeys(), QList<int>{12});
    QCOMPARE(KeyTestReport::summary(t.session),
             "2 keys have codes; 1 seen, 1 not yet.\nNot yet seen: key 31.");

    // Changed codes make the key unseen again: it has to be pressed as it now is.
    t.layout.setCodes(12, hex("14121CF01CF012F014"));
    QCOMPARE(t.session.seenKeys(), QList<int>{});

    t.session.clear();
    QVERIFY(t.session.sequences().isEmpty());
    QCOMPARE(t.session.lastKeys(), QList<int>{});
    QCOMPARE(t.session.unseenKeys(), (QList<int>{12, 30}));
}

void TestKeyTest::report()
{
    Test t(ProgramProfile::tavrin());
    t.layout.load(tillLayout(t.grid), QString());
    t.session.addGroup(hex("121CF01CF012"));
    t.clock->ms = 2500;
    t.session.addGroup(hex("1AF01A"));
    t.clock->ms = 4000;
    t.session.addGroup(hex("1CF01C"));

    QCOMPARE(KeyTestReport::summary(t.session), "6 keys have codes; 3 seen, 3 not yet.\n"
                                                "Not yet seen: keys 21, 41, 51.\n"
                                                "Same codes, cannot be told apart: keys 4 = 10.");
    const QString text = KeyTestReport::reportText(
        t.session, "/home/tech/till3.tvr", QDateTime(QDate(2026, 12, 8), QTime(7, 55, 0)), Latin);
    QCOMPARE(text, "Key test of Tavrin\n"
                   "Layout: /home/tech/till3.tvr\n"
                   "Date: 2026-12-08 07:55:00\n"
                   "\n"
                   "Sequences received:\n"
                   "  07:51:03  Shift+A  [12 1C F0 1C F0 12]  key 13, Latte\n"
                   "  07:51:05  Z  [1A F0 1A]  no key of this layout sends this\n"
                   "  07:51:07  A  [1C F0 1C]  key 4, Tea; key 10, Tea (same codes)\n"
                   "\n"
                   "Summary: 6 keys have codes; 3 seen, 3 not yet.\n"
                   "\n"
                   "Not yet seen:\n"
                   "  key 21, Void\n"
                   "  key 41, Total\n"
                   "  key 51, Cash\n"
                   "\n"
                   "Keys with the same codes (neither a tester nor the till can tell them "
                   "apart):\n"
                   "  key 4, Tea; key 10, Tea\n");
}

void TestKeyTest::aFloodKeepsEachLineShort_data()
{
    // Strokes 1 ms apart, far closer than the sequence gap, each line worked out again after
    // every stroke as the window does.
    QTest::addColumn<QByteArray>("strokes"); // sent in turn, over and over, 3 bytes each
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("lastLine");
    QTest::newRow("5,000 keys at full speed: 21 strokes (63 bytes) a line")
        << hex("1CF01C1AF01A") << 5000
        << "07:51:07  A, Z  [1C F0 1C, 1A F0 1A]  no key of this layout sends this";
    QTest::newRow("a key held down: one line that counts its repeats")
        << hex("32F032") << 300 << "07:51:03  B  [32 F0 32]  key 41, Total (repeated 299 times)";
}

void TestKeyTest::aFloodKeepsEachLineShort()
{
    QFETCH(QByteArray, strokes);
    QFETCH(int, count);
    QFETCH(QString, lastLine);
    Test t(ProgramProfile::tavrin());
    t.layout.load(tillLayout(t.grid), QString());
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
        t.clock->ms = i;
        t.session.addGroup(strokes.mid(i * 3 % strokes.size(), 3));
        t.line(int(t.session.sequences().size()) - 1);
        KeyTestReport::summary(t.session);
    }
    for (const TestedSequence &s : t.session.sequences())
        QVERIFY(s.codes.size() <= 63);
    QCOMPARE(t.line(int(t.session.sequences().size()) - 1), lastLine);
    // Each stroke costs what a short line costs, however many came before it.
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
}

QTEST_GUILESS_MAIN(TestKeyTest)
#include "tst_keytest.moc"
