// SPDX-License-Identifier: MIT
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

// The translations as the tree keeps them: every text of the programs translated, and each
// translation keeping the arguments and the mnemonic of its English.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void upToDateWithTheSources();
    void keepsArgumentsAndMnemonics_data();
    void keepsArgumentsAndMnemonics();
};

namespace {

const QStringList Files = QStringLiteral(TRANSLATIONS).split(u'|');

// Each message as its context, source, translation and the translation's type: "unfinished"
// for a text still to translate, "vanished" for one the sources no longer have.
QList<QStringList> messages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QStringList> found;
    QString context;
    for (QXmlStreamReader xml(&file); !xml.atEnd();) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            found.append({context, xml.readElementText()});
        } else if (xml.name() == u"translation") {
            const QString type = xml.attributes().value(QStringLiteral("type")).toString();
            found.last() << xml.readElementText() << type;
        }
    }
    return found;
}

// %1 to %99 as QString::arg() fills them, in any order; %d as printf fills them, in order.
QStringList arguments(const QString &text)
{
    static const QRegularExpression argument(QStringLiteral("%(\\d+|d)"));
    QStringList found;
    for (const QRegularExpressionMatch &m : argument.globalMatch(text))
        found << m.captured();
    if (!text.contains(QLatin1String("%d")))
        found.sort();
    return found;
}

} // namespace

// What lupdate makes of the sources now: nothing new to translate, nothing no longer used.
void TestTranslations::upToDateWithTheSources()
{
    if (QStringLiteral(LUPDATE).isEmpty())
        QSKIP("lupdate is not installed");
    for (const QString &file : Files) {
        QTemporaryDir dir;
        const QString copy = dir.filePath(QFileInfo(file).fileName());
        QVERIFY(QFile::copy(file, copy));
        QProcess lupdate;
        lupdate.start(QStringLiteral(LUPDATE), QStringList{QStringLiteral("-silent")} +
                                                   QStringLiteral(TRANSLATED_SOURCES).split(u'|') +
                                                   QStringList{QStringLiteral("-ts"), copy});
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);
        QStringList stale;
        for (const QStringList &m : messages(copy))
            if (!m.value(3).isEmpty())
                stale << m.value(3) + QStringLiteral(": ") + m.value(0) + QStringLiteral(", ") +
                             m.value(1);
        QVERIFY2(stale.isEmpty(), qPrintable(stale.join(u'\n')));
    }
}

void TestTranslations::keepsArgumentsAndMnemonics_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("translation");
    for (const QString &file : Files) {
        const QList<QStringList> all = messages(file);
        QVERIFY2(!all.isEmpty(), qPrintable(file));
        for (const QStringList &m : all)
            QTest::addRow("%s: %s", qPrintable(m[0]), qPrintable(m[1])) << m[1] << m.value(2);
    }
}

void TestTranslations::keepsArgumentsAndMnemonics()
{
    QFETCH(QString, source);
    QFETCH(QString, translation);
    QVERIFY(!translation.isEmpty());
    QCOMPARE(arguments(translation), arguments(source));
    QCOMPARE(translation.count(u'&'), source.count(u'&'));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
