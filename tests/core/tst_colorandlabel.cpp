// SPDX-License-Identifier: MIT
#include "keymodel/ColorValue.h"
#include "keymodel/LabelCodePage.h"

#include <QTest>

class TestColorAndLabel : public QObject
{
    Q_OBJECT
private slots:
    void resolve_data();
    void resolve();
    void fromRgbIsLowByteRed();
    void systemColorNames_data();
    void systemColorNames();
    void missingCodePageIsSaid();
    void labels_data();
    void labels();
    void labelFits_data();
    void labelFits();
    void cleanerReading_data();
    void cleanerReading();

private:
    QPalette m_palette;
};

void TestColorAndLabel::resolve_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QColor>("expected");

    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::WindowText, QColor(4, 5, 6));
    m_palette = palette;
    QTest::newRow("button face follows palette") << 0x8000000Fu << QColor(1, 2, 3);
    QTest::newRow("window text follows palette") << 0x80000008u << QColor(4, 5, 6);
    QTest::newRow("rgb red in low byte") << 0x000000FFu << QColor(255, 0, 0);
    QTest::newRow("rgb blue in third byte") << 0x00FF0000u << QColor(0, 0, 255);
    QTest::newRow("unknown system number uses low bits") << 0x80000040u << QColor(0x40, 0, 0);
    QTest::newRow("stray high byte ignored") << 0x02102030u << QColor(0x30, 0x20, 0x10);
}

void TestColorAndLabel::resolve()
{
    QFETCH(quint32, value);
    QFETCH(QColor, expected);
    QCOMPARE(ColorValue::resolve(value, m_palette), expected);
}

void TestColorAndLabel::fromRgbIsLowByteRed()
{
    QCOMPARE(ColorValue::fromRgb(QColor(0x12, 0x34, 0x56)), 0x00563412u);
}

void TestColorAndLabel::systemColorNames_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QString>("name"); // empty: no system colour of that name
    QTest::newRow("button face") << 0x8000000Fu << "buttonFace";
    QTest::newRow("window text") << 0x80000008u << "windowText";
    QTest::newRow("first") << 0x80000000u << "scrollBar";
    QTest::newRow("last") << 0x8000001Eu << "menuBar";
    QTest::newRow("the number the desktop never used") << 0x80000019u << "";
    QTest::newRow("past the last") << 0x8000001Fu << "";
    QTest::newRow("an RGB value") << 0x0000000Fu << "";
}

void TestColorAndLabel::systemColorNames()
{
    QFETCH(quint32, value);
    QFETCH(QString, name);
    QCOMPARE(ColorValue::systemColorName(value), name);
    if (!name.isEmpty())
        QCOMPARE(ColorValue::systemColorNamed(name), std::optional<quint32>(value));
}

void TestColorAndLabel::missingCodePageIsSaid()
{
    const LabelCodec missing(QByteArrayLiteral("no-such-code-page"));
    QVERIFY(!missing.isAvailable());
    QVERIFY(LabelCodec(QByteArrayLiteral("Shift_JIS")).isAvailable());
    // Shift-JIS bytes still come back as they were, never as question marks.
    const QByteArray key("\x83\x4c\x81\x5b");
    QCOMPARE(missing.encode(missing.decode(key)), key);
    QVERIFY(!missing.canEncode(QString::fromUtf8("キー")));
}

void TestColorAndLabel::labels_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("western euro and accent")
        << QByteArray("windows-1252") << QByteArray("\x80 caf\xe9") << QString::fromUtf8("€ café");
    QTest::newRow("japanese double-byte")
        << QByteArray("Shift_JIS") << QByteArray("\x83\x4c\x81\x5b") << QString::fromUtf8("キー");
    QTest::newRow("japanese single and double bytes mixed")
        << QByteArray("Shift_JIS") << QByteArray("A\x83\x4c\xb7|1")
        << QString::fromUtf8("Aキｷ|1");
    QTest::newRow("western by its number") << QByteArray("cp1252") << QByteArray("\x80\xe9")
                                           << QString::fromUtf8("€é");
}

void TestColorAndLabel::labels()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const LabelCodec codec(encoding);
    QCOMPARE(codec.decode(bytes), text);
    QCOMPARE(codec.encode(text), bytes);
}

void TestColorAndLabel::labelFits_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("encodable");
    QTest::addColumn<int>("bytes"); // for a text the code page can hold
    const QByteArray western("windows-1252"), japanese("Shift_JIS");
    QTest::newRow("empty") << western << QString() << true << 0;
    QTest::newRow("western accents") << western << QString::fromUtf8("€ café") << true << 6;
    QTest::newRow("western lacks kana") << western << QString::fromUtf8("キー") << false << 0;
    QTest::newRow("western lacks A with macron") << western << QString::fromUtf8("Ā") << false << 0;
    QTest::newRow("kana count two bytes each")
        << japanese << QString::fromUtf8("キー") << true << 4;
    QTest::newRow("half-width kana one byte") << japanese << QString::fromUtf8("ｷｰ") << true << 2;
    QTest::newRow("mixed") << japanese << QString::fromUtf8("A漢字1") << true << 6;
    QTest::newRow("japanese lacks euro") << japanese << QString::fromUtf8("€") << false << 0;
    // A look-alike ("a" for alpha, "e" for e acute) would not read back as typed.
    QTest::newRow("western lacks alpha") << western << QString::fromUtf8("α") << false << 0;
    QTest::newRow("japanese lacks e acute") << japanese << QString::fromUtf8("é") << false << 0;
}

void TestColorAndLabel::labelFits()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QString, text);
    QFETCH(bool, encodable);
    QFETCH(int, bytes);
    const LabelCodec codec(encoding);
    QCOMPARE(codec.canEncode(text), encodable);
    if (encodable)
        QCOMPARE(codec.byteLength(text), bytes);
}

void TestColorAndLabel::cleanerReading_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QByteArrayList>("labels");
    QTest::addColumn<QString>("readsIn"); // the page named to the user, or none
    // Latte and black tea in Shift-JIS: in Windows-1252 the 0x8D of the tea is no character.
    const QByteArrayList japanese{"\x83\x89\x83\x65", "\x8d\x67\x92\x83", "12"};
    const QByteArrayList western{"Caf\xe9", "Cr\xe8me", "12"};
    // The tests run under a Western locale, so the system's code page is Windows-1252.
    QTest::newRow("system, western file") << "system" << western << "";
    QTest::newRow("system, Shift-JIS file: warned") << "system" << japanese << "932";
    QTest::newRow("932, Shift-JIS file") << "932" << japanese << "";
    QTest::newRow("932, western file: its last byte starts a character")
        << "932" << western << "1252";
    QTest::newRow("1252, Shift-JIS file: warned") << "1252" << japanese << "932";
    QTest::newRow("1252, Shift-JIS middle dot decodes to a control character")
        << "1252" << QByteArrayList{"\x83\x4a\x83\x74\x83\x46\x81\x45"} << "932";
    QTest::newRow("1252, western file") << "1252" << western << "";
    QTest::newRow("default labels read in every page") << "932" << QByteArrayList{"1", "84"} << "";
    QTest::newRow("control characters read in no page")
        << "1252" << QByteArrayList{"A\x01"} << "";
}

void TestColorAndLabel::cleanerReading()
{
    QFETCH(QString, chosen);
    QFETCH(QByteArrayList, labels);
    QFETCH(QString, readsIn);
    const LabelCodec codec = LabelCodePage::codec(*LabelCodePage::fromName(chosen));
    const std::optional<LabelCodePage::Page> page = LabelCodePage::cleanerReading(labels, codec);
    QCOMPARE(page ? LabelCodePage::name(*page) : QString(), readsIn);
}

QTEST_MAIN(TestColorAndLabel)
#include "tst_colorandlabel.moc"
