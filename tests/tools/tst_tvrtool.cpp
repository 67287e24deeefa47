// SPDX-License-Identifier: MIT
// tvrtool's subcommands, run in this process as the command line runs them, and its
// programming run against the keyboard simulator as a process of its own.

#include "LayoutBytes.h"
#include "LayoutSource.h"
#include "SimulatorProcess.h"
#include "StalledDriverSocket.h"
#include "TerminalRunView.h"
#include "Tool.h"
#include "keymodel/ConfigFile.h"
#include "profile/ProgramProfile.h"

#include <QElapsedTimer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/stat.h>

using namespace LayoutBytes;

namespace {

struct Ran
{
    int status = -1;
    QString out;
    QString err;
};

Ran tvrtool(const QStringList &arguments)
{
    Ran r;
    QTextStream out(&r.out), err(&r.err);
    ToolIo io{out, err, false};
    r.status = Tool::run(arguments, io);
    out.flush();
    err.flush();
    return r;
}

// A keyboard file with something in every field, odd bytes included.
QByteArray everyField()
{
    QByteArray f = defaults();
    set(f, 0, RowSpan, "\x02\x02");                     // merged over 1, 7 and 8
    set(f, 0, Color, QByteArray::fromHex("FF800000")); // #FF8000
    for (int hidden : {1, 7, 8})
        set(f, hidden, Visible, QByteArray(1, '\0'));
    set(f, 2, Color, QByteArray::fromHex("04030201")); // no known writer's value
    set(f, 3, Color, QByteArray::fromHex("08000080")); // window text
    set(f, 4, Label, "ABCDEFGHIJKLMNOPQRST");           // all 20 bytes, no terminator
    set(f, 5, Label, label(""));
    set(f, 6, Label, label("Sub|Total"));
    setCodes(f, 9, "121CF01CF012");
    set(f, 9, Codes, QByteArray::fromHex("121CF01CF012F7")); // the end mark of a run, kept
    QByteArray full;
    for (int i = 0; i < 21; ++i)
        full += "1CF01C";
    setCodes(f, 10, full.constData());
    setCodes(f, 11, "1CF0");     // no whole group
    setCodes(f, 13, "1CF7F01C"); // an end mark among the codes
    set(f, 15, Label, label("a\"b\\c\x01\x7F"));
    set(f, 16, Label, label("caf\xE9 \x80"));
    return f;
}

// A till: key 4 "Tea" sends A, key 13 "Latte" Shift+A.
QByteArray teaAndLatte()
{
    QByteArray till = defaults();
    set(till, 12, Label, label("Latte"));
    setCodes(till, 12, "121CF01CF012");
    set(till, 3, Label, label("Tea"));
    setCodes(till, 3, "1CF01C");
    return till;
}

} // namespace

class TestTvrtool : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void exportReads();
    void importRefuses_data();
    void importRefuses();
    void check_data();
    void check();
    void verdictAgrees_data() { check_data(); }
    void verdictAgrees();
    void diff();
    void match_data();
    void match();
    void edits_data();
    void edits();
    void showDrawsTheLock();
    void render();
    void usage_data();
    void usage();
    void exitStatus_data();
    void exitStatus();
    void diffAsJson();
    void showFitsTheWidth_data();
    void showFitsTheWidth();
    void progressLine_data();
    void progressLine();
    void programRefusedPacket();
    void programInterrupted();
    void programWithoutADriver_data();
    void programWithoutADriver();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QByteArray read(const QString &name) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestTvrtool::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QString TestTvrtool::write(const QString &name, const QByteArray &bytes)
{
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write a test file");
    return file.fileName();
}

QByteArray TestTvrtool::read(const QString &name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestTvrtool::roundTrip_data()
{
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<QByteArray>("saved"); // what loading and saving it writes
    QTest::addColumn<QString>("codePage");

    QTest::newRow("defaults") << defaults() << defaults() << QString();
    QTest::newRow("every field") << everyField() << everyField() << QString();
    QByteArray odd = defaults(), saved = defaults();
    set(odd, 20, Visible, "\x02");
    set(saved, 20, Visible, QByteArray(1, '\0'));
    QTest::newRow("visibility 2 is hidden") << odd << saved << QString();
    odd = saved = defaults();
    set(odd, 3, Label, QByteArray("AB\0XYZ", 6));
    set(saved, 3, Label, label("AB"));
    QTest::newRow("label bytes past its end") << odd << saved << QString();
    odd = defaults();
    set(odd, 30, Codes, QByteArray(64, char(0xFF)));
    QTest::newRow("whole code area past no codes") << odd << odd << QString();
    odd = defaults(false);
    setCodes(odd, 2, "E075E0F075");
    set(odd, 2, Label, label("Key|Lock"));
    QTest::newRow("key lock") << odd << odd << QString();
    odd = defaults();
    set(odd, 0, Label, label("\x83\x4C\x81\x5B"));
    set(odd, 1, Label, label("\x83\x4C\x83")); // cut in a double-byte character
    QTest::newRow("Shift-JIS") << odd << odd << QStringLiteral("Shift_JIS");
    odd = saved = defaults();
    set(odd, 40, Visible, QByteArray(1, '\0'));
    set(odd, 40, ColSpan, "\x02");
    set(saved, 40, Visible, QByteArray(1, '\0'));
    QTest::newRow("hidden cell's span loads as 1") << odd << saved << QString();
}

void TestTvrtool::roundTrip()
{
    QFETCH(QByteArray, original);
    QFETCH(QByteArray, saved);
    QFETCH(QString, codePage);
    const QString file = write(QStringLiteral("original"), original);
    QStringList exportArgs{"export", file, "-o", path("layout.json")};
    if (!codePage.isEmpty())
        exportArgs << "--code-page" << codePage;
    QCOMPARE(tvrtool(exportArgs).status, 0);
    const Ran imported = tvrtool({"import", path("layout.json"), "-o", path("back")});
    QCOMPARE(imported.status, 0);
    QCOMPARE(read("back").toHex(), saved.toHex());
}

void TestTvrtool::exportReads()
{
    const Ran r = tvrtool({"export", write("every.tvr", everyField())});
    QCOMPARE(r.status, 0);
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(root["format"].toString(), "tvrtool-layout");
    QCOMPARE(root["version"].toInt(), 1);
    QCOMPARE(root["program"].toString(), "Tavrin");
    const QJsonArray keys = root["keys"].toArray();
    QCOMPARE(keys.size(), 84);
    const auto key = [&](int i) { return keys[i].toObject(); };
    QCOMPARE(key(0)["color"].toString(), "#FF8000");
    QCOMPARE(key(0)["colSpan"].toInt(), 2);
    QCOMPARE(key(1)["visible"].toBool(), false);
    QCOMPARE(key(2)["color"].toString(), "0x01020304");
    QCOMPARE(key(3)["color"].toString(), "windowText");
    QCOMPARE(key(6)["label"].toObject()["text"].toString(), "Sub|Total");
    QCOMPARE(key(9)["codes"].toArray(), QJsonArray({"12 1C F0 1C F0 12"}));
    QCOMPARE(key(9)["strokes"].toArray(), QJsonArray({"Shift+A"}));
    QCOMPARE(key(9)["spareCodes"].toString(), "F7");
    QCOMPARE(key(11)["codes"].toArray(), QJsonArray({"1C F0"}));
    QCOMPARE(key(15)["label"].toObject()["text"].toString(),
             QString::fromLatin1("a\"b\\c\x01\x7F"));
    QCOMPARE(key(16)["label"].toObject()["text"].toString(), QString::fromUtf8("café €"));
    QCOMPARE(key(83)["column"].toInt(), 11);
    QCOMPARE(key(83)["row"].toInt(), 6);
    QVERIFY(!key(16)["label"].toObject().contains("bytes"));
}

void TestTvrtool::importRefuses_data()
{
    QTest::addColumn<QString>("field"); // a path into the exported defaults, "" for the top
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<QString>("message");

    const auto row = [](const char *name, const char *field, const QJsonValue &value,
                        const char *message) {
        QTest::newRow(name) << QString::fromLatin1(field) << value << QString::fromUtf8(message);
    };
    row("newer version", "version", 2, "version: 2 is newer than the version 1 this tvrtool reads");
    row("other program", "program", "Other",
        "program: \"Other\" is neither \"Tavrin\" nor \"Quelda\"");
    row("span below 1", "keys.3.colSpan", 0,
        "keys[3].colSpan: Key 4 (column 0, row 3) has a column span of 0; it must be at least 1.");
    row("span past the grid", "keys.80.colSpan", 2,
        "keys[80].colSpan: Key 81 (column 11, row 3) has a column span of 2, which runs past the "
        "edge of the grid.");
    row("span over a byte", "keys.3.rowSpan", 256,
        "keys[3].rowSpan: wants a whole number from 0 to 255");
    row("keys overlap", "keys.0.colSpan", 2,
        "keys[7]: Key 8 (column 1, row 0) covers the cell of key 8, which key 1 (column 0, row 0) covers "
        "too.");
    row("not hex", "keys.5.codes", QJsonArray{"1C F0", "1G"},
        "keys[5].codes[1]: \"1G\" is not a byte as two hex digits, such as 1C");
    QJsonArray tooMany;
    for (int i = 0; i < 64; ++i)
        tooMany.append("1C");
    row("64 codes", "keys.5.codes", tooMany, "keys[5].codes: 64 codes, over 63");
    row("long label", "keys.5.label.text", "ABCDEFGHIJKLMNOPQRSTU",
        "keys[5].label.text: 21 bytes, over the label's 20");
    row("label out of its code page", "keys.5.label.text", QString::fromUtf8("漢"),
        "keys[5].label.text: \"漢\" has characters that code page windows-1252 cannot hold");
    row("zero in a label", "keys.5.label.text", QString(QChar(0)),
        "keys[5].label.text: a label cannot hold a zero byte: the file ends it there");
    row("unknown code page", "keys.5.label.codePage", "klingon",
        "keys[5].label.codePage: code page \"klingon\" is not known here");
    row("colour", "keys.5.color", "red",
        "keys[5].color: \"red\" is no colour: give #RRGGBB, a system colour such as "
        "buttonFace, or a value such as 0x8000000F");
    row("visibility", "keys.5.visible", "yes", "keys[5].visible: wants true or false");
    row("index out of order", "keys.5.index", 6,
        "keys[5].index: index here must be 5: keys are listed in index order");
    row("missing field", "keys.5.codes", QJsonValue::Undefined, "keys[5]: \"codes\" is missing");
    row("digits of another script", "keys.5.codes", QJsonArray{QString::fromUtf8("٣٣")},
        "keys[5].codes[0]: \"٣٣\" is not a byte as two hex digits, such as 1C");
    row("span far past an int", "keys.3.colSpan", 1e300,
        "keys[3].colSpan: wants a whole number from 0 to 255");
    row("version far past an int", "version", -1e300,
        "version: wants a whole number from 1 to 1073741824");
    row("over a megabyte, unparsed", "padding", QString(1024 * 1024, u'x'),
        "more than 1 MB, far more than a layout's JSON (about 20 KB)");
    row("spare past the area", "keys.5.spareCodes", QString("00 ").repeated(65).trimmed(),
        "keys[5].spareCodes: 65 bytes after 0 codes, over the code area's 64");
}

void TestTvrtool::importRefuses()
{
    QFETCH(QString, field);
    QFETCH(QJsonValue, value);
    QFETCH(QString, message);
    const Ran exported = tvrtool({"export", write("defaults.tvr", defaults())});
    QJsonObject root = QJsonDocument::fromJson(exported.out.toUtf8()).object();

    // Sets root's field at a dotted path such as keys.3.colSpan.
    const QStringList parts = field.split(u'.');
    std::function<QJsonValue(QJsonValue, int)> with = [&](QJsonValue node, int at) {
        if (at == parts.size())
            return value;
        if (node.isArray()) {
            QJsonArray a = node.toArray();
            a[parts[at].toInt()] = with(a[parts[at].toInt()], at + 1);
            return QJsonValue(a);
        }
        QJsonObject o = node.toObject();
        const QJsonValue changed = with(o[parts[at]], at + 1);
        if (changed.isUndefined())
            o.remove(parts[at]);
        else
            o[parts[at]] = changed;
        return QJsonValue(o);
    };
    root = with(root, 0).toObject();
    const QString json = write("layout.json", QJsonDocument(root).toJson());
    const Ran r = tvrtool({"import", json, "-o", path("out.tvr")});
    QCOMPARE(r.err, QStringLiteral("tvrtool: %1: %2\n").arg(json, message));
    QCOMPARE(r.status, 2);
    QVERIFY(!QFile::exists(path("out.tvr")));
}

void TestTvrtool::check_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("report"); // after "FILE: "
    QTest::addColumn<int>("status");

    QTest::newRow("good") << defaults() << "ok" << 0;
    QTest::newRow("good lock") << defaults(false) << "ok" << 0;
    QTest::newRow("a byte short") << defaults().chopped(1)
                                  << "It has 7731 bytes, but a Tavrin configuration file has "
                                     "exactly 7732."
                                  << 2;
    QTest::newRow("a byte over") << defaults() + '\0'
                                 << "It has 7733 bytes, but a Tavrin configuration file has "
                                    "exactly 7732."
                                 << 2;
    QTest::newRow("lock magic, keyboard size")
        << "MGKY" + defaults().mid(4)
        << "It has 7732 bytes, but a Quelda configuration file has exactly 648." << 2;
    QTest::newRow("magic") << "ABCD" + defaults().mid(4)
                           << "starts with \"ABCD\", not \"TVRN\" (Tavrin) or \"MGKY\" (Quelda): "
                              "not a layout file"
                           << 2;
    QTest::newRow("binary magic") << QByteArray::fromHex("00FF")
                                  << "starts with bytes 00 FF, not \"TVRN\" (Tavrin) or "
                                     "\"MGKY\" (Quelda): not a layout file"
                                  << 2;
    QTest::newRow("empty") << QByteArray()
                           << "is empty, not \"TVRN\" (Tavrin) or \"MGKY\" (Quelda): not a "
                              "layout file"
                           << 2;
    QByteArray f = defaults();
    QTest::newRow("span below 1") << set(f, 12, RowSpan, QByteArray(1, '\0'))
                                  << "Key 13 (column 1, row 5) has a row span of 0; it must be "
                                     "at least 1."
                                  << 2;
    f = defaults();
    QTest::newRow("span past the grid")
        << set(f, 80, ColSpan, "\x02")
        << "Key 81 (column 11, row 3) has a column span of 2, which runs past the edge of the "
           "grid."
        << 2;
    f = defaults(false);
    QTest::newRow("span in a lock file")
        << set(f, 3, RowSpan, "\x02")
        << "Key 3 has a row span of 2; key-lock positions are never merged." << 2;
    f = defaults();
    QTest::newRow("code count") << set(f, 5, CodeCount, "\x46")
                                << "Key 6 (column 0, row 5) has 70 codes; a key holds at most 63."
                                << 2;
    f = defaults();
    QTest::newRow("shown key under a merged one")
        << set(f, 0, RowSpan, "\x02")
        << "Key 2 (column 0, row 1) covers the cell of key 2, which key 1 (column 0, row 0) covers too."
        << 2;
    f = defaults();
    QTest::newRow("end mark among the codes")
        << setCodes(f, 5, "1CF01CF71CF01C")
        << "Key 6 (column 0, row 5) has the end mark F7 as code 4, so programming would stop "
           "there and leave out the codes after it."
        << 1;
    f = defaults();
    set(f, 40, Visible, QByteArray(1, '\0'));
    QTest::newRow("hidden cell with a span")
        << set(f, 40, ColSpan, "\x02")
        << "Key 41 (column 5, row 5) is hidden, but has a column span of 2; it loads as 1, so "
           "that no merge over it uncovers another key's cells."
        << 1;
}

void TestTvrtool::check()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, report);
    QFETCH(int, status);
    const QString name = write("layout", file);
    const Ran r = tvrtool({"check", name});
    QCOMPARE(r.out, name + QStringLiteral(": ") + report + u'\n');
    QCOMPARE(r.status, status);

    // The same verdict for scripts.
    const Ran json = tvrtool({"check", "--json", name});
    QCOMPARE(json.status, status);
    const QJsonObject verdict = QJsonDocument::fromJson(json.out.toUtf8())["files"][0].toObject();
    QCOMPARE(verdict["path"].toString(), name);
    QCOMPARE(verdict["problems"][0].toString(), report == "ok" ? QString() : report);
    QCOMPARE(verdict["verdict"].toString() == "ok", report == "ok");

    // A file that cannot be read at all is trouble, and the others are still checked.
    const Ran two = tvrtool({"check", path("missing.tvr"), name});
    QCOMPARE(two.status, 2);
    QVERIFY(two.err.startsWith("tvrtool: " + path("missing.tvr") + ": "));
    QCOMPARE(two.out, r.out);
}

// tvrtool and the programs' Load take the same files, as the same cells.
void TestTvrtool::verdictAgrees()
{
    QFETCH(QByteArray, file);
    const QString name = write("layout", file);
    const LayoutSource tool = LayoutSource::read(name);
    for (const ProgramProfile *p : {&ProgramProfile::tavrin(), &ProgramProfile::quelda()}) {
        const ConfigFile::LoadResult program = ConfigFile::load(name, *p);
        const bool loads = program.status == ConfigFile::LoadStatus::Loaded;
        QCOMPARE(tool.loaded() && tool.profile == p, loads);
        if (loads)
            QCOMPARE(tool.cells, program.cells);
    }
}

void TestTvrtool::diff()
{
    QByteArray a = defaults(), b = defaults();
    set(b, 3, Label, label("Total"));
    set(b, 4, Color, QByteArray::fromHex("00FF0000"));
    set(b, 14, ColSpan, "\x02");
    set(b, 21, Visible, QByteArray(1, '\0'));
    setCodes(a, 30, "121CF01CF012");
    setCodes(b, 30, "121CF01CF0121CF01C");
    set(a, 31, Codes, "\xF7");
    setCodes(a, 32, "1CF01C");
    setCodes(b, 32, "1CF01D");
    const QString first = write("a.tvr", a), second = write("b.tvr", b);
    const Ran r = tvrtool({"diff", first, second});
    QCOMPARE(r.out, "key 4 (column 0, row 3)\n"
                    "  label: \"4\" -> \"Total\"\n"
                    "key 5 (column 0, row 4)\n"
                    "  colour: buttonFace -> #00FF00\n"
                    "key 15 (column 2, row 0)\n"
                    "  spans (columns x rows): 1 x 1 -> 2 x 1\n"
                    "key 22 (column 3, row 0)\n"
                    "  visible: yes -> no\n"
                    "key 31 (column 4, row 2)\n"
                    "  codes: Shift+A -> Shift+A, A\n"
                    "key 32 (column 4, row 3)\n"
                    "  bytes past the codes: F7 -> none\n"
                    "key 33 (column 4, row 4)\n"
                    "  codes: A -> at byte 0 not a whole group: 1C F0 1D\n");
    QCOMPARE(r.status, 1);
    QCOMPARE(tvrtool({"diff", first, first}).status, 0);
    QCOMPARE(tvrtool({"diff", first, first}).out, QString());
    const Ran kinds = tvrtool({"diff", first, write("c.qld", defaults(false))});
    QCOMPARE(kinds.out, first + " is a Tavrin layout and " + path("c.qld") + " a Quelda layout\n");
    QCOMPARE(kinds.status, 1);
}

void TestTvrtool::match_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("status");
    QTest::newRow("one key") << "till.tvr" << QStringList{"12", "1C", "F0", "1C", "F0", "12"}
                             << "key 13 (column 1, row 5) \"Latte\"\n"
                             << 0;
    QTest::newRow("run together, in one argument")
        << "till.tvr" << QStringList{"121cf01c", "F0 12"} << "key 13 (column 1, row 5) \"Latte\"\n"
        << 0;
    QTest::newRow("keys with the same codes")
        << "till.tvr" << QStringList{"1CF01C"}
        << "key 4 (column 0, row 3) \"Tea\"\nkey 10 (column 1, row 2) \"10\"\n"
        << 0;
    QTest::newRow("none") << "till.tvr" << QStringList{"1AF01A"}
                          << "no key of this layout sends 1A F0 1A\n"
                          << 1;
    QTest::newRow("the key lock") << "lock.qld" << QStringList{"E11477E1F014F077"}
                                  << "key 2 \"Open\"\n"
                                  << 0;
    QTest::newRow("half a byte") << "till.tvr" << QStringList{"1C", "F"} << "" << 2;
    QTest::newRow("not hex") << "till.tvr" << QStringList{"+1"} << "" << 2;
}

void TestTvrtool::match()
{
    QFETCH(QString, file);
    QFETCH(QStringList, codes);
    QFETCH(QString, out);
    QFETCH(int, status);
    QByteArray till = teaAndLatte();
    setCodes(till, 9, "1CF01C");
    write("till.tvr", till);
    QByteArray lock = defaults(false);
    set(lock, 2, Label, label("Open"));
    setCodes(lock, 2, "E11477E1F014F077");
    write("lock.qld", lock);

    const Ran r = tvrtool(QStringList{"match", path(file)} + codes);
    QCOMPARE(r.out, out);
    QCOMPARE(r.status, status);
    QCOMPARE(r.err.isEmpty(), status != 2);
}

void TestTvrtool::showDrawsTheLock()
{
    QByteArray lock = defaults(false);
    set(lock, 2, Label, label("Open|Shift"));
    setCodes(lock, 2, "E075E0F0751CF0");
    const QString file = write("lock.qld", lock);
    const Ran r = tvrtool({"show", "--codes", file});
    QCOMPARE(r.status, 0);
    // The positions in the order the lock turns, as on the main window.
    QCOMPARE(r.out,
             file +
                 ": Quelda layout, 7 keys\n"
                 "┌5─────────┬6─────────┬0─────────┬1─────────┬2─────────┬3─────────┬4─────────┐\n"
                 "│5         │6         │0         │1         │Open      │3         │4         │\n"
                 "│          │          │          │          │Shift     │          │          │\n"
                 "│buttonFace│buttonFace│buttonFace│buttonFace│buttonFace│buttonFace│buttonFace│\n"
                 "│no codes  │no codes  │no codes  │no codes  │7 codes   │no codes  │no codes  │\n"
                 "└──────────┴──────────┴──────────┴──────────┴──────────┴──────────┴──────────┘\n"
                 "\n"
                 "key 2 \"Open|Shift\", 7 codes:\n"
                 "  E0 75 E0 F0 75  Up\n"
                 "  1C F0           not a whole group, from byte 5\n");
}

void TestTvrtool::render()
{
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty() ||
        QStandardPaths::findExecutable("pdfinfo").isEmpty())
        QSKIP("needs pdftoppm and pdfinfo (poppler-utils)");
    QByteArray f = defaults();
    set(f, 0, RowSpan, "\x01\x02"); // over key 7 to its right
    set(f, 0, Color, QByteArray::fromHex("FF000000"));
    set(f, 7, Visible, QByteArray(1, '\0'));
    const QString file = write("layout.tvr", f);

    const auto pageSize = [](const QString &pdf) {
        QProcess info;
        info.start("pdfinfo", {pdf});
        info.waitForFinished();
        const QString text = QString::fromLatin1(info.readAllStandardOutput());
        return text.section("Page size:", 1).section(u'\n', 0, 0).simplified();
    };
    const auto pdfInfo = [](const QString &pdf, const char *field) {
        QProcess info;
        info.start("pdfinfo", {pdf});
        info.waitForFinished();
        const QString text = QString::fromLatin1(info.readAllStandardOutput());
        return text.section(QLatin1String(field) + u':', 1).section(u'\n', 0, 0).simplified();
    };
    const QString portrait = path("portrait.pdf"), landscape = path("landscape.pdf");
    // Unless told, the page turns so that all twelve columns fit, with nothing to warn about.
    const Ran fitting = tvrtool({"render", file, "-o", landscape});
    QCOMPARE(fitting.status, 0);
    QCOMPARE(fitting.err, QString());
    QCOMPARE(pageSize(landscape), "842 x 595 pts (A4)");
    QCOMPARE(pdfInfo(landscape, "Title"), "layout.tvr");
    const Ran cut = tvrtool({"render", file, "-o", portrait, "--portrait"});
    QCOMPARE(cut.status, 0);
    QVERIFY(cut.err.contains("keys past its edge are cut off (--landscape turns the page)"));
    QCOMPARE(pageSize(portrait), "595 x 842 pts (A4)");
    QCOMPARE(tvrtool({"render", file, "-o", path("x.pdf"), "--portrait", "--landscape"}).status, 2);

    // At 300 dpi the first face's frame runs from 59 to 224 pixels, the key merged over the
    // next column to 448, and the next row's faces from 283.
    QProcess raster;
    raster.start("pdftoppm", {"-r", "300", "-png", "-singlefile", landscape, path("page")});
    QVERIFY(raster.waitForFinished(30000));
    const QImage page(path("page.png"));
    const auto pixel = [&](int x, int y) { return QColor(page.pixel(x, y)).name(); };
    QCOMPARE(pixel(400, 200), "#ff0000"); // in the merged key, past the gap it covers
    QCOMPARE(pixel(40, 40), "#ffffff");   // before the first face
    QCOMPARE(pixel(240, 400), "#ffffff"); // the gap between two faces
    QVERIFY(pixel(140, 400) != "#ffffff" && pixel(140, 400) != "#ff0000"); // key 1's face

    // A PNG holds just the layout, and says its resolution.
    QCOMPARE(tvrtool({"render", file, "-o", path("layout.png"), "--dpi", "300"}).status, 0);
    const QImage png(path("layout.png"));
    QCOMPARE(png.size(), QSize(12 * 224 + 59, 7 * 224 + 59));
    QCOMPARE(png.dotsPerMeterX(), 11811);
    QCOMPARE(QColor(png.pixel(400, 200)).name(), "#ff0000");

    const Ran again = tvrtool({"render", file, "-o", portrait});
    QCOMPARE(again.status, 2);
    QCOMPARE(again.err, "tvrtool: render: " + portrait + " exists; --force replaces it\n");
}

void TestTvrtool::edits_data()
{
    QTest::addColumn<QStringList>("arguments"); // TILL: key 4 "Tea" sends A, key 13 "Latte" Shift+A
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("diff"); // tvrtool diff of the file before and after
    QTest::addColumn<QString>("err");

    QTest::newRow("set a label and strokes on two keys")
        << QStringList{"set", "TILL", "1", "84", "--label", "Milk", "--keys", "shift+a, Enter"} << 0
        << "key 1 (column 0, row 0)\n  label: \"1\" -> \"Milk\"\n"
           "  codes: no codes -> Shift+A, Enter\n"
           "key 84 (column 11, row 6)\n  label: \"84\" -> \"Milk\"\n"
           "  codes: no codes -> Shift+A, Enter\n"
        << "";
    QTest::newRow("set a colour") << QStringList{"set", "TILL", "5", "--color", "#00FF00"} << 0
                                  << "key 5 (column 0, row 4)\n  colour: buttonFace -> #00FF00\n"
                                  << "";
    QTest::newRow("set refuses a label over 20 bytes")
        << QStringList{"set", "TILL", "5", "--label", "Cappuccino with cream"} << 2 << ""
        << "tvrtool: set: --label: \"Cappuccino with cream\" is 21 bytes, over the label's 20\n";
    QTest::newRow("set refuses 64 codes")
        << QStringList{"set", "TILL", "5", "--codes", QString("1C F0 1C ").repeated(21) + "1C"}
        << 2 << "" << "tvrtool: set: 64 codes, over the 63 a key holds\n";
    QTest::newRow("set refuses a stroke it does not know")
        << QStringList{"set", "TILL", "5", "--keys", "A, Hyper+Q"} << 2 << ""
        << "tvrtool: set: --keys: \"Hyper+Q\" is no stroke the keyboard can send; name them as "
           "show --codes does, such as Shift+A\n";
    QTest::newRow("set takes key numbers, not indices")
        << QStringList{"set", "TILL", "0", "--label", "X"} << 2 << ""
        << "tvrtool: set: \"0\" is no key of a Tavrin layout, which has keys 1 to 84\n";
    QTest::newRow("copy a key") << QStringList{"copy", "TILL", "13", "TILL", "80"} << 0
                                << "key 80 (column 11, row 2)\n  label: \"80\" -> \"Latte\"\n"
                                   "  codes: no codes -> Shift+A\n"
                                << "";
    QTest::newRow("copy past the grid's edge: the rest is named")
        << QStringList{"copy", "TILL", "4-13", "TILL", "83"} << 0
        << "key 83 (column 11, row 5)\n  label: \"83\" -> \"Tea\"\n  codes: no codes -> A\n"
           "key 84 (column 11, row 6)\n  label: \"84\" -> \"5\"\n"
        << "tvrtool: copy: keys 6, 11, 12, 13 would fall off the grid and were not copied\n";
    QTest::newRow("copy refuses key-lock keys")
        << QStringList{"copy", "LOCK", "2", "TILL", "1"} << 2 << ""
        << "tvrtool: copy: Quelda keys do not go into a Tavrin layout\n";
    QTest::newRow("swap") << QStringList{"swap", "TILL", "4", "13"} << 0
                          << "key 4 (column 0, row 3)\n  label: \"Tea\" -> \"Latte\"\n"
                             "  codes: A -> Shift+A\n"
                             "key 13 (column 1, row 5)\n  label: \"Latte\" -> \"Tea\"\n"
                             "  codes: Shift+A -> A\n"
                          << "";
}

void TestTvrtool::edits()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, diff);
    QFETCH(QString, err);
    const QByteArray till = teaAndLatte();
    const QString before = write("before.tvr", till);
    arguments.replaceInStrings(QRegularExpression("^TILL$"), write("till.tvr", till));
    arguments.replaceInStrings(QRegularExpression("^LOCK$"), write("lock.qld", defaults(false)));

    const Ran r = tvrtool(arguments);
    QCOMPARE(r.err, err);
    QCOMPARE(r.status, status);
    QCOMPARE(tvrtool({"diff", before, path("till.tvr")}).out, diff);
}

void TestTvrtool::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err"); // the start of it
    QTest::newRow("nothing") << QStringList{} << 2 << "Usage: tvrtool SUBCOMMAND";
    QTest::newRow("unknown") << QStringList{"frobnicate"} << 2
                             << "tvrtool: no subcommand \"frobnicate\"; tvrtool help lists them";
    QTest::newRow("unknown option")
        << QStringList{"show", "--bogus", "x.tvr"} << 2 << "tvrtool: show: Unknown option 'bogus'.";
    QTest::newRow("too few") << QStringList{"diff", "a.tvr"} << 2
                             << "tvrtool: diff: too few arguments";
    QTest::newRow("import without -o") << QStringList{"import", "a.json"} << 2
                                       << "tvrtool: import: -o FILE names the configuration "
                                          "file to write";
    QTest::newRow("render to a text file") << QStringList{"render", "a.tvr", "-o", "a.txt"} << 2
                                           << "tvrtool: render: -o wants a file name ending in "
                                              ".pdf or .png";
    QTest::newRow("help") << QStringList{"help", "check"} << 0 << QString();
}

void TestTvrtool::usage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, err);
    const Ran r = tvrtool(arguments);
    QVERIFY2(r.err.startsWith(err), qPrintable(r.err));
    QCOMPARE(r.status, status);
    if (status == 0)
        QVERIFY(r.out.startsWith("Usage: tvrtool check [options] FILE..."));
}

// One meaning per status, whatever the subcommand: the same file gives the same status.
void TestTvrtool::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments"); // GOOD, OTHER, MISSING, ... stand for files
    QTest::addColumn<int>("status");

    const QStringList loaders[] = {
        {"show"}, {"export"}, {"check"}, {"render", "-o", "@out.pdf"}, {"match", "@FILE", "1C"}};
    const struct
    {
        const char *file;
        int status;
    } inputs[] = {{"GOOD", 0},    {"MISSING", 2}, {"MAGIC", 2}, {"SHORT", 2},
                  {"REFUSED", 2}, {"FOLDER", 2},  {"FIFO", 2}};
    for (const QStringList &loader : loaders) {
        for (const auto &input : inputs) {
            QStringList arguments = loader;
            if (!arguments.contains("@FILE"))
                arguments.insert(1, "@FILE");
            arguments.replace(arguments.indexOf("@FILE"), QString::fromLatin1(input.file));
            // match finds no key sending 1C in the good file: that is a finding.
            const int status = loader.first() == "match" && input.status == 0 ? 1 : input.status;
            QTest::addRow("%s %s", qPrintable(loader.first()), input.file) << arguments << status;
        }
    }
    QTest::newRow("check WARNED") << QStringList{"check", "WARNED"} << 1;
    QTest::newRow("show WARNED") << QStringList{"show", "WARNED"} << 0;
    QTest::newRow("check GOOD MAGIC") << QStringList{"check", "GOOD", "MAGIC"} << 2;
    QTest::newRow("check WARNED REFUSED") << QStringList{"check", "WARNED", "REFUSED"} << 2;
    QTest::newRow("diff GOOD GOOD") << QStringList{"diff", "GOOD", "GOOD"} << 0;
    QTest::newRow("diff GOOD WARNED") << QStringList{"diff", "GOOD", "WARNED"} << 1;
    QTest::newRow("diff GOOD LOCK") << QStringList{"diff", "GOOD", "LOCK"} << 1;
    QTest::newRow("diff GOOD MAGIC") << QStringList{"diff", "GOOD", "MAGIC"} << 2;
    QTest::newRow("render LOCK") << QStringList{"render", "LOCK", "-o", "@out.pdf"} << 2;
    QTest::newRow("import a refused JSON") << QStringList{"import", "BADJSON", "-o", "@o.tvr"} << 2;
    QTest::newRow("import GOOD's JSON") << QStringList{"import", "JSON", "-o", "@o.tvr"} << 0;
    QTest::newRow("program a refused file") << QStringList{"program", "REFUSED"} << 2;
    QTest::newRow("program a key past the grid")
        << QStringList{"program", "GOOD", "--key", "85"} << 2;
    QTest::newRow("unknown option") << QStringList{"check", "--bogus", "GOOD"} << 2;
    QTest::newRow("unknown subcommand") << QStringList{"frobnicate"} << 2;
}

void TestTvrtool::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QByteArray warned = defaults(), refused = defaults();
    setCodes(warned, 5, "1CF01CF71CF01C"); // an end mark among the codes: loads all the same
    set(refused, 12, RowSpan, QByteArray(1, '\0'));
    const QMap<QString, QString> files{
        {"GOOD", write("good.tvr", defaults())},
        {"LOCK", write("lock.qld", defaults(false))},
        {"MISSING", path("missing.tvr")},
        {"MAGIC", write("magic.tvr", "ABCD" + defaults().mid(4))},
        {"SHORT", write("short.tvr", defaults().chopped(1))},
        {"REFUSED", write("refused.tvr", refused)},
        {"WARNED", write("warned.tvr", warned)},
        {"BADJSON", write("bad.json", R"({"format": "tvrtool-layout", "version": 2})")},
        {"FOLDER", m_dir->path()},
        {"FIFO", path("pipe.tvr")},
    };
    // Refused for what it is, unread: it would keep the tool waiting for a writer.
    QCOMPARE(mkfifo(QFile::encodeName(files["FIFO"]).constData(), 0600), 0);
    const Ran exported = tvrtool({"export", files["GOOD"]});
    QByteArray json = exported.out.toUtf8();
    const QString jsonFile = write("good.json", json);
    for (QString &argument : arguments) {
        if (files.contains(argument))
            argument = files[argument];
        else if (argument == "JSON")
            argument = jsonFile;
        else if (argument.startsWith(u'@'))
            argument = path(argument.mid(1));
    }
    const Ran r = tvrtool(arguments);
    QVERIFY2(r.status == status,
             qPrintable(QStringLiteral("status %1: %2").arg(r.status).arg(r.err)));
    if (arguments.contains(files["FIFO"]))
        QVERIFY2(r.err.contains(files["FIFO"] + ": is not a regular file\n"), qPrintable(r.err));
}

void TestTvrtool::diffAsJson()
{
    QByteArray a = defaults(), b = defaults();
    set(b, 3, Label, label("Total"));
    set(b, 4, Color, QByteArray::fromHex("00FF0000"));
    const Ran r = tvrtool({"diff", "--json", write("a.tvr", a), write("b.tvr", b)});
    QCOMPARE(r.status, 1);
    const QJsonArray keys = QJsonDocument::fromJson(r.out.toUtf8())["keys"].toArray();
    QCOMPARE(keys.size(), 2);
    QCOMPARE(keys[0]["index"].toInt(), 3);
    QCOMPARE(keys[0]["place"].toString(), "key 4 (column 0, row 3)");
    QCOMPARE(keys[0]["changes"][0].toObject(),
             QJsonObject({{"field", "label"}, {"was", "\"4\""}, {"now", "\"Total\""}}));
    QCOMPARE(keys[1]["changes"][0].toObject(),
             QJsonObject({{"field", "colour"}, {"was", "buttonFace"}, {"now", "#00FF00"}}));
    const Ran same = tvrtool({"diff", "--json", path("a.tvr"), path("a.tvr")});
    QCOMPARE(same.status, 0);
    QCOMPARE(QJsonDocument::fromJson(same.out.toUtf8())["keys"].toArray().size(), 0);
}

void TestTvrtool::showFitsTheWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("widest"); // of the grid's lines
    QTest::addColumn<QString>("cutLabel");
    QTest::addColumn<QString>("cutColour");
    // 12 cells of 6; no narrower than 5 a cell; the whole grid, 12 cells of 11.
    QTest::newRow("80 columns") << 80 << 73 << "Capp~"
                                << "#FF8~";
    QTest::newRow("40 columns") << 40 << 61 << "Cap~"
                                << "#FF~";
    QTest::newRow("wide") << 200 << 133 << "Cappuccino"
                          << "#FF8000";
}

void TestTvrtool::showFitsTheWidth()
{
    QFETCH(int, width);
    QFETCH(int, widest);
    QFETCH(QString, cutLabel);
    QFETCH(QString, cutColour);
    QByteArray f = defaults();
    set(f, 0, Label, label("Cappuccino"));
    setCodes(f, 0, "121CF01CF012");
    set(f, 0, Color, QByteArray::fromHex("FF800000"));
    const Ran r = tvrtool({"show", "--width", QString::number(width), write("a.tvr", f)});
    QCOMPARE(r.status, 0);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts).mid(1);
    qsizetype longest = 0;
    for (const QString &line : lines)
        longest = std::max(longest, line.size());
    QCOMPARE(longest, widest);
    // A label too long for its cell is cut and says so; narrow cells leave out the usual and
    // keep what differs.
    const bool whole = width >= 200;
    QVERIFY(r.out.contains(u'│' + cutLabel));
    QVERIFY(r.out.contains(u'│' + cutColour));
    QCOMPARE(r.out.contains("6 cd"), !whole);
    QCOMPARE(r.out.contains("buttonFace"), whole);
    QCOMPARE(r.out.contains("no codes"), whole);
}

void TestTvrtool::progressLine_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("done");
    QTest::addColumn<int>("refused");
    QTest::addColumn<QString>("line");
    // 79 columns for 80: the share (4), the bar in brackets, the count, then the extras while
    // the bar keeps 10 cells.
    QTest::newRow("80, start") << 80 << 0 << 0
                               << "  0% [------------------------------------------] 1/84  "
                                  "Now programming (1) ...";
    QTest::newRow("80, half, refusals")
        << 80 << 42 << 3
        << " 50% [#########----------] 43/84  3 refused  4 s left  Now programming (43) ...";
    QTest::newRow("40, half, refusals")
        << 40 << 42 << 3 << " 50% [#######--------] 43/84  3 refused";
    QTest::newRow("30: the bar alone") << 30 << 42 << 3 << " 50% [########--------] 43/84";
    QTest::newRow("16: no room for a bar") << 16 << 42 << 0 << " 50% 43/84";
    QTest::newRow("unknown width: 80")
        << 0 << 84 << 0
        << "100% [##############################] 85/84  4 s left  Now programming (85) ...";
}

void TestTvrtool::progressLine()
{
    QFETCH(int, columns);
    QFETCH(int, done);
    QFETCH(int, refused);
    QFETCH(QString, line);
    const QString drawn =
        TerminalRunView::progressLine(columns, done, done + 1, 84, refused, done > 0 ? 4000 : -1,
                                      QStringLiteral("Now programming (%1) ...").arg(done + 1));
    QCOMPARE(drawn, line);
    QVERIFY(drawn.size() < (columns > 0 ? columns : 80));
}

void TestTvrtool::programRefusedPacket()
{
    const QString socket = path("tvdrv.sock"), memory = path("keys.json");
    auto sim =
        SimulatorProcess::start({"--socket", socket, "--dump", memory, "--refuse-packet", "2"});
    QByteArray f = defaults();
    setCodes(f, 12, "121CF01CF012");
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TVDRV_SOCKET", socket);
    tool.setProcessEnvironment(env);
    tool.start(TVRTOOL, {"program", write("layout.tvr", f), "--key", "13"});
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.readAllStandardOutput(), "Program completed.\n");
    QCOMPARE(tool.readAllStandardError(), "Waiting (2 - 1) ...\n");
    QCOMPARE(tool.exitCode(), 0);
    QTRY_COMPARE(SimulatorProcess::keyMemory(memory).value(20), "12 1C F0 1C F0 12");
}

void TestTvrtool::programWithoutADriver_data()
{
    QTest::addColumn<bool>("stalled");         // else no socket at all
    QTest::addColumn<int>("interruptAfterMs"); // 0: no Ctrl+C
    QTest::addColumn<QString>("why");

    QTest::newRow("no socket") << false << 0 << "there is no driver socket at ";
    QTest::newRow("daemon accepts nothing")
        << true << 0 << "accepted no connection within 2000 ms (it is stalled or overloaded)";
    QTest::newRow("Ctrl+C while connecting to it")
        << true << 500 << "program: interrupted at packet 1 of 84";
}

void TestTvrtool::programWithoutADriver()
{
    QFETCH(bool, stalled);
    QFETCH(int, interruptAfterMs);
    QFETCH(QString, why);
    const QString socket = path("tvdrv.sock");
    std::unique_ptr<StalledDriverSocket> daemon;
    if (stalled)
        daemon = std::make_unique<StalledDriverSocket>(socket);
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TVDRV_SOCKET", socket);
    tool.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    tool.start(TVRTOOL, {"program", write("layout.tvr", defaults())});
    QVERIFY(tool.waitForStarted());
    if (interruptAfterMs > 0) {
        QTest::qWait(interruptAfterMs);
        ::kill(pid_t(tool.processId()), SIGINT);
    }
    // The retries of the first packet take 3 s; a daemon that never accepts may add its one
    // connect deadline of 2 s, and nothing more.
    QVERIFY(tool.waitForFinished(15000));
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(tool.exitCode(), 1);
    QCOMPARE(tool.readAllStandardOutput(), "Failed to program.\n");
    const QByteArray said = tool.readAllStandardError();
    QVERIFY2(said.contains(why.toUtf8()), said.constData());
}

void TestTvrtool::programInterrupted()
{
    // Slow replies, so that the run is still going when the interrupt comes.
    const QString socket = path("tvdrv.sock");
    auto sim = SimulatorProcess::start({"--socket", socket, "--slow", "20"});
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TVDRV_SOCKET", socket);
    tool.setProcessEnvironment(env);
    tool.start(TVRTOOL, {"program", write("layout.tvr", defaults())});
    QVERIFY(tool.waitForStarted());

    QByteArray log;
    while (log.count("SendPacket") < 5 && sim->waitForReadyRead(10000))
        log += sim->readAllStandardOutput();
    ::kill(pid_t(tool.processId()), SIGINT);
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), 1);
    QCOMPARE(tool.readAllStandardOutput(), "Failed to program.\n");
    QVERIFY(tool.readAllStandardError().contains("tvrtool: program: interrupted at packet "));

    // The exchange under way was closed, and the run ended through an exchange of its own.
    while (!log.contains("EndRun") && sim->waitForReadyRead(5000))
        log += sim->readAllStandardOutput();
    log += sim->readAllStandardOutput();
    QStringList requests;
    for (const QByteArray &line : log.split('\n'))
        if (line.startsWith('#'))
            requests << QString::fromLatin1(line.mid(line.indexOf(' ') + 1)).section(u' ', 0, 0);
    QVERIFY(log.count("SendPacket") < 84);
    QVERIFY2(!log.contains("refused"), log.constData());
    QCOMPARE(requests.mid(requests.size() - 5),
             QStringList({"SendPacket", "EndExchange", "IsReady", "EndRun", "EndExchange"}));
}

QTEST_MAIN(TestTvrtool)
#include "tst_tvrtool.moc"
