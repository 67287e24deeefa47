// SPDX-License-Identifier: MIT
#include "keymodel/KeyRecord.h"
#include "profile/ProgramProfile.h"

#include <QTest>

class TestKeyRecord : public QObject
{
    Q_OBJECT
private slots:
    void defaultCellRecord_data();
    void defaultCellRecord();
    void fieldsLandAtTheirOffsets();
    void labelField_data();
    void labelField();
    void visibilityByte_data();
    void visibilityByte();
    void resetKeepsCodeBytes();
};

void TestKeyRecord::defaultCellRecord_data()
{
    QTest::addColumn<bool>("keyboard");
    QTest::addColumn<char>("label");
    QTest::newRow("keyboard cell 0 reads 1") << true << '1';
    QTest::newRow("lock cell 0 reads 0") << false << '0';
}

void TestKeyRecord::defaultCellRecord()
{
    QFETCH(bool, keyboard);
    QFETCH(char, label);
    const ProgramProfile &profile = keyboard ? ProgramProfile::tavrin() : ProgramProfile::quelda();
    KeyCell cell;
    cell.ResetKey(profile.defaultLabel(0));
    QByteArray out;
    KeyRecord::WriteKeyRecord(cell, out);

    QByteArray expected = QByteArray::fromHex("01010100"
                                              "0F000080");
    expected += label;
    expected += QByteArray(19, '\0');
    expected += QByteArray(64, '\0');
    QCOMPARE(out.toHex(' '), expected.toHex(' '));
}

void TestKeyRecord::fieldsLandAtTheirOffsets()
{
    KeyCell cell;
    cell.Visible = false;
    cell.RowSpan = 3;
    cell.ColSpan = 2;
    cell.CodeCount = 5;
    cell.Color = 0x00112233;
    cell.Caption = "Ab";
    for (int i = 0; i < KeyCell::CodeCapacity; ++i)
        cell.Codes[i] = quint8(0xA0 + i); // unused bytes are written as they stand too

    QByteArray out("prefix");
    KeyRecord::WriteKeyRecord(cell, out);
    QCOMPARE(out.size(), 6 + KeyRecord::Size);
    const QByteArray r = out.mid(6);
    QCOMPARE(r.left(8).toHex(' '), QByteArray("00 03 02 05 33 22 11 00"));
    QCOMPARE(r.mid(8, 3), QByteArray("Ab\0", 3));
    QCOMPARE(quint8(r[28]), quint8(0xA0));
    QCOMPARE(quint8(r[91]), quint8(0xA0 + 63));

    const KeyCell back = KeyRecord::ReadKeyRecord(r);
    QCOMPARE(back, cell);
}

void TestKeyRecord::labelField_data()
{
    QTest::addColumn<QByteArray>("caption");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("readBack");
    QTest::newRow("empty") << QByteArray() << QByteArray(20, '\0') << QByteArray();
    QTest::newRow("exactly 20, no terminator")
        << QByteArray("ABCDEFGHIJ|LMNOPQRST") << QByteArray("ABCDEFGHIJ|LMNOPQRST")
        << QByteArray("ABCDEFGHIJ|LMNOPQRST");
    QTest::newRow("longer is cut to 20")
        << QByteArray("ABCDEFGHIJKLMNOPQRSTUV") << QByteArray("ABCDEFGHIJKLMNOPQRST")
        << QByteArray("ABCDEFGHIJKLMNOPQRST");
    QTest::newRow("bytes above 127 kept")
        << QByteArray("\x80\xe9\xff") << QByteArray("\x80\xe9\xff", 3) + QByteArray(17, '\0')
        << QByteArray("\x80\xe9\xff");
}

void TestKeyRecord::labelField()
{
    QFETCH(QByteArray, caption);
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, readBack);
    KeyCell cell;
    cell.Caption = caption;
    QByteArray out;
    KeyRecord::WriteKeyRecord(cell, out);
    QCOMPARE(out.mid(8, 20), field);
    QCOMPARE(KeyRecord::ReadKeyRecord(out).Caption, readBack);
}

void TestKeyRecord::visibilityByte_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<bool>("visible");
    QTest::newRow("0 hidden") << 0 << false;
    QTest::newRow("1 shown") << 1 << true;
    QTest::newRow("2 hidden") << 2 << false;
    QTest::newRow("255 hidden") << 255 << false;
}

void TestKeyRecord::visibilityByte()
{
    QFETCH(int, byte);
    QFETCH(bool, visible);
    QByteArray record(KeyRecord::Size, '\0');
    record[0] = char(byte);
    QCOMPARE(KeyRecord::ReadKeyRecord(record).Visible, visible);
}

void TestKeyRecord::resetKeepsCodeBytes()
{
    KeyCell cell;
    cell.CodeCount = 3;
    cell.Codes[0] = 0x1C;
    cell.Codes[1] = 0xF0;
    cell.Codes[2] = 0x1C;
    cell.ColSpan = 2;
    cell.Visible = false;
    cell.ResetKey("7");
    QCOMPARE(cell.CodeCount, 0);
    QCOMPARE(cell.Codes[1], quint8(0xF0));
    QCOMPARE(cell.ColSpan, 1);
    QCOMPARE(cell.RowSpan, 1);
    QVERIFY(cell.Visible);
    QCOMPARE(cell.Caption, QByteArray("7"));
    QCOMPARE(cell.Color, KeyCell::ButtonFace);
}

QTEST_APPLESS_MAIN(TestKeyRecord)
#include "tst_keyrecord.moc"
