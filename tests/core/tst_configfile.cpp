#include "keymodel/ConfigFile.h"
#include "keymodel/KeyRecord.h"
#include "profile/ProgramProfile.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const ProgramProfile &profileNamed(const QString &name)
{
    return name == QLatin1String("Tavrin") ? ProgramProfile::tavrin() : ProgramProfile::quelda();
}

QList<KeyCell> defaultCells(const ProgramProfile &p)
{
    QList<KeyCell> cells(p.cellCount);
    for (int i = 0; i < p.cellCount; ++i)
        cells[i].ResetKey(p.defaultLabel(i));
    return cells;
}

// A grid that uses every field: high label bytes, full-length labels, used and stale code
// bytes, RGB and system colours, and (where allowed) a merged key with its covered cells.
QList<KeyCell> busyCells(const ProgramProfile &p)
{
    QList<KeyCell> cells = defaultCells(p);
    for (int i = 0; i < p.cellCount; ++i) {
        KeyCell &k = cells[i];
        k.Caption = QByteArray("K\xe9y|") + QByteArray::number(i) + "\x80\xff";
        k.Color = i % 2 ? 0x00123456u + quint32(i) : 0x80000008u;
        k.CodeCount = i % 64;
        for (int b = 0; b < KeyCell::CodeCapacity; ++b)
            k.Codes[b] = quint8(i * 7 + b * 13);
    }
    cells[1].Caption = "ABCDEFGHIJKLMNOPQRST";
    if (p.mergeable) {
        cells[0].ColSpan = 2;
        cells[0].RowSpan = 2;
        for (int covered : {1, 7, 8}) {
            cells[covered].ResetKey(p.defaultLabel(covered));
            cells[covered].Visible = false;
        }
    }
    return cells;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file");
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes only part of what it is given, as a full disk does.
class ShortWriteDevice : public QBuffer
{
protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        return QBuffer::writeData(data, std::min<qint64>(len, 100));
    }
};

} // namespace

class TestConfigFile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void fileSizes();
    void loadChecks_data();
    void loadChecks();
    void recordValues_data();
    void recordValues();
    void roundTrip_data();
    void roundTrip();
    void readFailures_data();
    void readFailures();
    void saveTwiceGivesIdenticalFiles();
    void failedSaveKeepsOldFile();
    void fullDiskKeepsOldFile();
    void shortWriteIsAFailure();
    void extensionAdded_data();
    void extensionAdded();

private:
    QTemporaryDir m_dir;
};

void TestConfigFile::fileSizes()
{
    QCOMPARE(ProgramProfile::tavrin().fileSize(), 7732);
    QCOMPARE(ProgramProfile::quelda().fileSize(), 648);
    QCOMPARE(ConfigFile::serialize(defaultCells(ProgramProfile::tavrin()), ProgramProfile::tavrin())
                 .size(),
             7732);
}

void TestConfigFile::loadChecks_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
    QTest::addColumn<int>("status");

    using S = ConfigFile::LoadStatus;
    const QByteArray tvr =
        ConfigFile::serialize(defaultCells(ProgramProfile::tavrin()), ProgramProfile::tavrin());
    const QByteArray qld =
        ConfigFile::serialize(defaultCells(ProgramProfile::quelda()), ProgramProfile::quelda());
    QByteArray badMagic = tvr;
    badMagic[3] = 'X';
    QByteArray lockAsKeyboardMagic = qld;
    lockAsKeyboardMagic.replace(0, 4, "TVRN");

    QTest::newRow("keyboard valid") << "Tavrin" << tvr << int(S::Loaded);
    QTest::newRow("keyboard missing") << "Tavrin" << QByteArray() << int(S::Missing);
    QTest::newRow("keyboard 7731 bytes") << "Tavrin" << tvr.left(7731) << int(S::Invalid);
    QTest::newRow("keyboard 7733 bytes") << "Tavrin" << tvr + 'x' << int(S::Invalid);
    QTest::newRow("keyboard wrong magic") << "Tavrin" << badMagic << int(S::Invalid);
    QTest::newRow("keyboard given lock file") << "Tavrin" << qld << int(S::Invalid);
    QTest::newRow("lock valid") << "Quelda" << qld << int(S::Loaded);
    QTest::newRow("lock given keyboard file") << "Quelda" << tvr << int(S::Invalid);
    QTest::newRow("lock wrong magic") << "Quelda" << lockAsKeyboardMagic << int(S::Invalid);
    QTest::newRow("lock 647 bytes") << "Quelda" << qld.left(647) << int(S::Invalid);
}

void TestConfigFile::loadChecks()
{
    QFETCH(QString, program);
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    const QString path = bytes.isEmpty() ? m_dir.filePath(QStringLiteral("absent.tvr"))
                                         : writeFile(m_dir, QStringLiteral("check.bin"), bytes);
    const ConfigFile::LoadResult r = ConfigFile::load(path, profileNamed(program));
    QCOMPARE(int(r.status), status);
    QCOMPARE(r.cells.size(),
             status == int(ConfigFile::LoadStatus::Loaded) ? profileNamed(program).cellCount : 0);
}

void TestConfigFile::recordValues_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("colSpan");
    QTest::addColumn<int>("rowSpan");
    QTest::addColumn<int>("codeCount");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("63 codes") << "Tavrin" << 0 << 1 << 1 << 63 << true;
    QTest::newRow("64 codes") << "Tavrin" << 0 << 1 << 1 << 64 << false;
    QTest::newRow("255 codes") << "Quelda" << 3 << 1 << 1 << 255 << false;
    QTest::newRow("column span 0") << "Tavrin" << 10 << 0 << 1 << 0 << false;
    QTest::newRow("row span 0") << "Tavrin" << 10 << 1 << 0 << 0 << false;
    QTest::newRow("whole width from column 0") << "Tavrin" << 0 << 12 << 7 << 0 << true;
    QTest::newRow("13 columns from column 0") << "Tavrin" << 0 << 13 << 1 << 0 << false;
    QTest::newRow("2 columns from column 11") << "Tavrin" << 77 << 2 << 1 << 0 << false;
    QTest::newRow("1 column at column 11") << "Tavrin" << 83 << 1 << 1 << 0 << true;
    QTest::newRow("2 rows from row 6") << "Tavrin" << 6 << 1 << 2 << 0 << false;
    QTest::newRow("2 rows from row 5") << "Tavrin" << 5 << 1 << 2 << 0 << true;
    QTest::newRow("8 rows from row 0") << "Tavrin" << 0 << 1 << 8 << 0 << false;
    QTest::newRow("255 columns") << "Tavrin" << 40 << 255 << 1 << 0 << false;
    QTest::newRow("lock span 2") << "Quelda" << 0 << 2 << 1 << 0 << false;
    QTest::newRow("lock row span 2") << "Quelda" << 4 << 1 << 2 << 0 << false;
    QTest::newRow("lock span 0") << "Quelda" << 6 << 0 << 1 << 0 << false;
}

void TestConfigFile::recordValues()
{
    QFETCH(QString, program);
    QFETCH(int, cell);
    QFETCH(int, colSpan);
    QFETCH(int, rowSpan);
    QFETCH(int, codeCount);
    QFETCH(bool, accepted);
    const ProgramProfile &p = profileNamed(program);
    QList<KeyCell> cells = defaultCells(p);
    cells[cell].ColSpan = colSpan;
    cells[cell].RowSpan = rowSpan;
    cells[cell].CodeCount = codeCount;
    const QString path =
        writeFile(m_dir, QStringLiteral("values.bin"), ConfigFile::serialize(cells, p));
    const auto expected =
        accepted ? ConfigFile::LoadStatus::Loaded : ConfigFile::LoadStatus::Invalid;
    QCOMPARE(ConfigFile::load(path, p).status, expected);
}

void TestConfigFile::roundTrip_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("keyboard") << "Tavrin";
    QTest::newRow("lock") << "Quelda";
}

void TestConfigFile::roundTrip()
{
    QFETCH(QString, program);
    const ProgramProfile &p = profileNamed(program);
    const QByteArray original = ConfigFile::serialize(busyCells(p), p);
    const QString in = writeFile(m_dir, QStringLiteral("in.bin"), original);

    const ConfigFile::LoadResult loaded = ConfigFile::load(in, p);
    QCOMPARE(loaded.status, ConfigFile::LoadStatus::Loaded);
    QCOMPARE(loaded.cells, busyCells(p));
    const QString out = m_dir.filePath(QStringLiteral("out.bin"));
    QVERIFY(ConfigFile::save(out, loaded.cells, p));
    QCOMPARE(readFile(out), original);
}

void TestConfigFile::readFailures_data()
{
    QTest::addColumn<int>("available"); // bytes the device gives before it fails
    QTest::addColumn<int>("status");
    using S = ConfigFile::LoadStatus;
    QTest::newRow("nothing") << 0 << int(S::ReadFailed);
    QTest::newRow("part of the magic") << 2 << int(S::ReadFailed);
    QTest::newRow("magic only") << 4 << int(S::ReadFailed);
    QTest::newRow("stops in record 10") << 4 + 92 * 10 + 50 << int(S::ReadFailed);
    QTest::newRow("one byte short") << 7731 << int(S::ReadFailed);
    QTest::newRow("whole file") << 7732 << int(S::Loaded);
}

void TestConfigFile::readFailures()
{
    QFETCH(int, available);
    QFETCH(int, status);
    const ProgramProfile &p = ProgramProfile::tavrin();
    QByteArray bytes = ConfigFile::serialize(busyCells(p), p).left(available);
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    const ConfigFile::LoadResult r = ConfigFile::read(device, p);
    QCOMPARE(int(r.status), status);
    QCOMPARE(r.cells.isEmpty(), status != int(ConfigFile::LoadStatus::Loaded));
}

void TestConfigFile::saveTwiceGivesIdenticalFiles()
{
    const ProgramProfile &p = ProgramProfile::tavrin();
    const QString a = m_dir.filePath(QStringLiteral("a.tvr"));
    const QString b = m_dir.filePath(QStringLiteral("b.tvr"));
    QVERIFY(ConfigFile::save(a, busyCells(p), p));
    QVERIFY(ConfigFile::save(b, busyCells(p), p));
    QCOMPARE(readFile(a), readFile(b));
    QCOMPARE(readFile(a).size(), 7732);
}

void TestConfigFile::failedSaveKeepsOldFile()
{
    const ProgramProfile &p = ProgramProfile::quelda();
    QVERIFY(
        !ConfigFile::save(m_dir.filePath(QStringLiteral("no/such/dir/x.qld")), defaultCells(p), p));
    // A directory in the way cannot be replaced by a file.
    QVERIFY(!ConfigFile::save(m_dir.path(), defaultCells(p), p));
}

void TestConfigFile::fullDiskKeepsOldFile()
{
    // A file-size limit makes writes fail part-way, as a full disk does.
    const ProgramProfile &p = ProgramProfile::tavrin();
    const QString path = m_dir.filePath(QStringLiteral("old.tvr"));
    const QByteArray old = ConfigFile::serialize(defaultCells(p), p);
    writeFile(m_dir, QStringLiteral("old.tvr"), old);

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = ConfigFile::save(path, busyCells(p), p);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!saved_ok);
    QCOMPARE(readFile(path), old);
}

void TestConfigFile::shortWriteIsAFailure()
{
    ShortWriteDevice device;
    device.open(QIODevice::WriteOnly);
    QVERIFY(!ConfigFile::writeAll(device, QByteArray(648, 'x')));
    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    QVERIFY(ConfigFile::writeAll(whole, QByteArray(648, 'x')));
}

void TestConfigFile::extensionAdded_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("bare name") << "/tmp/layout"
                               << "/tmp/layout.tvr";
    QTest::newRow("already tvr") << "/tmp/layout.tvr"
                                 << "/tmp/layout.tvr";
    QTest::newRow("other extension kept") << "/tmp/layout.bak"
                                          << "/tmp/layout.bak";
    QTest::newRow("dot in folder only") << "/tmp/v1.2/layout"
                                        << "/tmp/v1.2/layout.tvr";
    QTest::newRow("trailing dot") << "/tmp/layout."
                                  << "/tmp/layout.tvr";
}

void TestConfigFile::extensionAdded()
{
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QCOMPARE(ConfigFile::withExtension(typed, QStringLiteral("tvr")), saved);
}

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
