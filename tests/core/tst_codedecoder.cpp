// SPDX-License-Identifier: MIT
#include "codeentry/CodeDecoder.h"
#include "codeentry/ScanTable.h"

#include <QTest>

namespace {

// Every stroke the capture can make: each scan byte the table has, but the modifiers alone.
QList<KeyStroke> everyStroke()
{
    QList<KeyStroke> strokes;
    for (int scan = 0; scan < 256; ++scan) {
        if (!ScanToCode(quint8(scan)) || CodeGroup::isModifierScan(quint8(scan)))
            continue;
        for (int flags = 0; flags < 32; ++flags)
            strokes.append({quint8(scan), bool(flags & 1), bool(flags & 2), bool(flags & 4),
                            bool(flags & 8), bool(flags & 16)});
    }
    return strokes;
}

} // namespace

class TestCodeDecoder : public QObject
{
    Q_OBJECT
private slots:
    void groupsReadAsStrokes_data();
    void groupsReadAsStrokes();
    void everyStrokeSurvivesMakeThenDecode();
    void sequencesNotOfWholeGroups_data();
    void sequencesNotOfWholeGroups();
};

void TestCodeDecoder::groupsReadAsStrokes_data()
{
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<QString>("name");
    // The capture's worked examples, and the keys that share a code with another.
    const struct
    {
        const char *hex;
        const char *name;
    } rows[] = {
        {"1CF01C", "A"},
        {"121CF01CF012", "Shift+A"},
        {"14111CF01CF011F014", "Ctrl+Alt+A"},
        {"1214111CF01CF011F014F012", "Ctrl+Alt+Shift+A"},
        {"E075E0F075", "Up"},
        {"E012E075E0F075E0F012", "Up (Num Lock on)"},
        {"12E0F012E075E0F075E012F012", "Shift+Up"},
        {"12E075E0F075F012", "Shift+Up (Num Lock on)"},
        {"75F075", "Keypad 8"},
        {"E04AE0F04A", "Keypad /"},
        {"E05AE0F05A", "Keypad Enter"},
        {"E012E07CE0F07CE0F012", "Print Screen"},
        {"14E07CE0F07CF014", "Ctrl+Print Screen"},
        {"7CF07C", "Keypad *"},
        {"E11477E1F014F077", "Pause"},
        {"77F077", "Num Lock"},
        {"14E07EE0F07EF014", "Ctrl+Break"},
        {"7EF07E", "Scroll Lock"},
        {"1411E071E0F071F011F014", "Ctrl+Alt+Delete"},
        {"1411E012E071E0F071E0F012F011F014", "Ctrl+Alt+Delete (Num Lock on)"},
        {"0DF00D", "Tab"},
        {"5AF05A", "Enter"},
        {"76F076", "Esc"},
        {"07F007", "F12"},
        {"14F014", "Ctrl"},
        {"E014E0F014", "Right Ctrl"},
        {"E01CE0F01C", "A (extended)"},
        {"E012E01CE0F01CE0F012", "A (extended, Num Lock on)"},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << QByteArray::fromHex(r.hex) << QString::fromLatin1(r.name);
}

void TestCodeDecoder::groupsReadAsStrokes()
{
    QFETCH(QByteArray, group);
    QFETCH(QString, name);
    const DecodedCodes d = decodeCodes(group);
    QVERIFY(d.whole());
    QCOMPARE(d.groups.size(), 1);
    QCOMPARE(strokeName(d.groups[0].stroke), name);
    QCOMPARE(MakeCodes(d.groups[0].stroke), group);
    QCOMPARE(readableCodes(group + group), name + QStringLiteral(", ") + name);
}

void TestCodeDecoder::everyStrokeSurvivesMakeThenDecode()
{
    const QList<KeyStroke> strokes = everyStroke();
    QCOMPARE(strokes.size(), (109 - 4) * 32); // Ctrl, Alt and both Shifts are never recorded
    QByteArray previous;
    for (const KeyStroke &s : strokes) {
        const QByteArray group = MakeCodes(s);
        // After another group too: no group may begin with a whole other one.
        const DecodedCodes d = decodeCodes(previous + group);
        QVERIFY2(d.whole() && d.groups.size() == (previous.isEmpty() ? 1 : 2),
                 qPrintable(hexBytes(previous + group)));
        QCOMPARE(MakeCodes(d.groups.constLast().stroke), group);
        previous = group;
    }
}

void TestCodeDecoder::sequencesNotOfWholeGroups_data()
{
    QTest::addColumn<QByteArray>("codes");
    QTest::addColumn<qsizetype>("stoppedAt");
    QTest::addColumn<QString>("readable");
    QTest::newRow("none") << QByteArray() << qsizetype(0) << "no codes";
    QTest::newRow("a group and a stray byte") << QByteArray::fromHex("1CF01C12") << qsizetype(3)
                                              << "A, then at byte 3 not a whole group: 12";
    QTest::newRow("a group cut short") << QByteArray::fromHex("121CF01CF0") << qsizetype(0)
                                       << "at byte 0 not a whole group: 12 1C F0 1C F0";
    QTest::newRow("the end mark") << QByteArray::fromHex("1CF01CF71CF01C") << qsizetype(3)
                                  << "A, then at byte 3 not a whole group: F7 1C F0 1C";
    QTest::newRow("a release before its press") << QByteArray::fromHex("F01C1CF01C") << qsizetype(0)
                                                << "at byte 0 not a whole group: F0 1C 1C F0 1C";
}

void TestCodeDecoder::sequencesNotOfWholeGroups()
{
    QFETCH(QByteArray, codes);
    QFETCH(qsizetype, stoppedAt);
    QFETCH(QString, readable);
    const DecodedCodes d = decodeCodes(codes);
    QCOMPARE(d.stoppedAt, stoppedAt);
    QCOMPARE(d.rest, codes.mid(stoppedAt));
    QCOMPARE(readableCodes(codes), readable);
}

QTEST_GUILESS_MAIN(TestCodeDecoder)
#include "tst_codedecoder.moc"
