// SPDX-License-Identifier: MIT
#include "ChildProcess.h"
#include "TestFiles.h"
#include "keymodel/AtomicWriter.h"
#include "keymodel/ConfigFile.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/KeyRecord.h"
#include "profile/ProgramProfile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

using namespace TestFiles;

namespace {

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
    if (p.keyboard) {
        cells[0].ColSpan = 2;
        cells[0].RowSpan = 2;
        for (int covered : {1, 7, 8}) {
            cells[covered].ResetKey(p.defaultLabel(covered));
            cells[covered].Visible = false;
        }
    }
    return cells;
}

// Merged keys written as "index:columns x rows"; the cells each key covers are hidden.
void mergeKeys(QList<KeyCell> &cells, const QStringList &keys)
{
    for (const QString &key : keys) {
        const QStringList parts = key.split(QRegularExpression(QStringLiteral("[:x]")));
        const int index = parts[0].toInt(), columns = parts[1].toInt(), rows = parts[2].toInt();
        cells[index].ColSpan = columns;
        cells[index].RowSpan = rows;
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r)
                if (c || r)
                    cells[index + c * 7 + r].Visible = false;
    }
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
    void loadingAFifoDoesNotWait();
    void recordValues_data();
    void recordValues();
    void roundTrip_data();
    void roundTrip();
    void readFailures_data();
    void readFailures();
    void keysOverlap_data();
    void keysOverlap();
    void hiddenSpansSurviveEditing_data();
    void hiddenSpansSurviveEditing();
    void saveTwiceGivesIdenticalFiles();
    void saveTargets_data();
    void saveTargets();
    void unwritableFolder_data();
    void unwritableFolder();
    void sizeLimitKeepsOldFile();
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
    QTest::newRow("keyboard given a directory") << "Tavrin" << QByteArray("/") << int(S::Directory);
    QTest::newRow("lock given /dev/zero")
        << "Quelda" << QByteArray("/dev/zero") << int(S::NotAFile);
}

void TestConfigFile::loadChecks()
{
    QFETCH(QString, program);
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    const QString path = bytes.startsWith('/') ? QString::fromLatin1(bytes)
                         : bytes.isEmpty()     ? m_dir.filePath(QStringLiteral("absent.tvr"))
                                           : writeFile(m_dir, QStringLiteral("check.bin"), bytes);
    const ConfigFile::LoadResult r = ConfigFile::load(path, profileNamed(program));
    QCOMPARE(int(r.status), status);
    QCOMPARE(r.cells.size(),
             status == int(ConfigFile::LoadStatus::Loaded) ? profileNamed(program).cellCount : 0);
}

void TestConfigFile::loadingAFifoDoesNotWait()
{
#ifdef Q_OS_UNIX
    // It is refused for what it is, unread, since reading a FIFO waits for a writer that never
    // comes.
    const QString path = m_dir.filePath(QStringLiteral("pipe.tvr"));
    QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const ConfigFile::LoadResult r = ConfigFile::load(path, ProgramProfile::tavrin());
    QCOMPARE(r.status, ConfigFile::LoadStatus::NotAFile);
    QCOMPARE(r.head, QByteArray());
#else
    QSKIP("FIFOs are a POSIX thing");
#endif
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
    // Only the bounds decide here: no other key shows for this one to overlap.
    for (KeyCell &other : cells)
        other.Visible = false;
    cells[cell] = defaultCells(p)[cell];
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

void TestConfigFile::keysOverlap_data()
{
    // Keys as "index:columns x rows"; the cells each key covers are hidden unless "shown".
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QList<int>>("shown");
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("2x2 key over hidden cells")
        << QStringList{"0:2x2"} << QList<int>{} << QList<int>{} << true;
    QTest::newRow("whole grid one key")
        << QStringList{"0:12x7"} << QList<int>{} << QList<int>{} << true;
    QTest::newRow("two keys side by side")
        << QStringList{"0:2x2", "14:2x2"} << QList<int>{} << QList<int>{} << true;
    QTest::newRow("covered cell shown")
        << QStringList{"0:2x2"} << QList<int>{8} << QList<int>{} << false;
    QTest::newRow("key on a covered cell shown")
        << QStringList{"0:2x2", "7:2x1"} << QList<int>{7} << QList<int>{} << false;
    QTest::newRow("two keys crossing")
        << QStringList{"1:2x1", "7:1x2"} << QList<int>{} << QList<int>{} << false;
    QTest::newRow("hidden cell under no key")
        << QStringList{} << QList<int>{} << QList<int>{40} << true;
    QTest::newRow("hidden merged key covers nothing")
        << QStringList{"0:2x2"} << QList<int>{1, 7, 8} << QList<int>{0} << true;
}

void TestConfigFile::keysOverlap()
{
    QFETCH(QStringList, keys);
    QFETCH(QList<int>, shown);
    QFETCH(QList<int>, hidden);
    QFETCH(bool, accepted);
    const ProgramProfile &p = ProgramProfile::tavrin();
    QList<KeyCell> cells = defaultCells(p);
    mergeKeys(cells, keys);
    for (int i : shown)
        cells[i].Visible = true;
    for (int i : hidden)
        cells[i].Visible = false;
    QCOMPARE(ConfigFile::parse(ConfigFile::serialize(cells, p), p).status,
             accepted ? ConfigFile::LoadStatus::Loaded : ConfigFile::LoadStatus::Invalid);
}

void TestConfigFile::hiddenSpansSurviveEditing_data()
{
    // Merged keys as in keysOverlap; a hidden cell with spans of its own, as "index:c x r"; then
    // Shift+click on two shown keys (merge) or on the selected key (split).
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("hiddenWithSpans");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("clicked");
    QTest::addColumn<QList<int>>("hiddenAfter");

    // Key 0 grows right over 7 and the hidden 8, whose column span once reached cell 15, which
    // key 14 covers.
    QTest::newRow("hidden cell under no key, merged over")
        << QStringList{"0:1x2", "14:1x2"} << "8:2x1" << 0 << 7 << QList<int>{1, 7, 8, 15};
    // Splitting key 0 shows cell 7, whose row span once reached the shown cell 8.
    QTest::newRow("covered cell with a span, its key split")
        << QStringList{"0:2x1"} << "7:1x2" << 0 << 0 << QList<int>{};
}

void TestConfigFile::hiddenSpansSurviveEditing()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, hiddenWithSpans);
    QFETCH(int, selected);
    QFETCH(int, clicked);
    QFETCH(QList<int>, hiddenAfter);
    const ProgramProfile &p = ProgramProfile::tavrin();
    QList<KeyCell> cells = defaultCells(p);
    mergeKeys(cells, keys);
    const QStringList odd = hiddenWithSpans.split(QRegularExpression(QStringLiteral("[:x]")));
    KeyCell &hidden = cells[odd[0].toInt()];
    hidden.Visible = false;
    hidden.ColSpan = odd[1].toInt();
    hidden.RowSpan = odd[2].toInt();
    const QString path = m_dir.filePath(QStringLiteral("hidden-span.tvr"));
    QVERIFY(ConfigFile::save(path, cells, p));

    const ConfigFile::LoadResult loaded = ConfigFile::load(path, p);
    QCOMPARE(loaded.status, ConfigFile::LoadStatus::Loaded);
    QCOMPARE(loaded.cells[odd[0].toInt()].ColSpan, 1);
    QCOMPARE(loaded.cells[odd[0].toInt()].RowSpan, 1);
    KeyDocument layout(p);
    layout.load(loaded.cells, path);
    QVERIFY(selected == clicked ? layout.SplitKey(selected) : layout.MergeKey(selected, clicked));
    QVERIFY(ConfigFile::save(path, layout.grid().cells(), p));

    const ConfigFile::LoadResult again = ConfigFile::load(path, p);
    QCOMPARE(again.status, ConfigFile::LoadStatus::Loaded);
    QCOMPARE(again.cells, layout.grid().cells());
    QList<int> hiddenCells;
    for (int i = 0; i < again.cells.size(); ++i)
        if (!again.cells[i].Visible)
            hiddenCells << i;
    QCOMPARE(hiddenCells, hiddenAfter);
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

void TestConfigFile::saveTargets_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("saved");
    QTest::newRow("regular file") << "file" << true;
    QTest::newRow("link to a regular file") << "link" << true;
    QTest::newRow("link to nothing") << "dangling link" << false;
    QTest::newRow("new file") << "none" << true;
    QTest::newRow("FIFO") << "fifo" << false;
    QTest::newRow("device node") << "device" << false;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("missing folder") << "missing folder" << false;
}

void TestConfigFile::saveTargets()
{
#ifdef Q_OS_UNIX
    QFETCH(QString, target);
    QFETCH(bool, saved);
    const ProgramProfile &p = ProgramProfile::quelda();
    const QTemporaryDir dir;
    const QByteArray old = QByteArray(648, 'o');
    QString path = dir.filePath(QStringLiteral("target.qld"));
    const QByteArray native = QFile::encodeName(path);
    if (target == QLatin1String("file")) {
        writeFile(dir, QStringLiteral("target.qld"), old);
    } else if (target == QLatin1String("link")) {
        writeFile(dir, QStringLiteral("real.qld"), old);
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("real.qld")), path));
    } else if (target == QLatin1String("dangling link")) {
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("real.qld")), path));
    } else if (target == QLatin1String("fifo")) {
        QCOMPARE(mkfifo(native.constData(), 0600), 0);
    } else if (target == QLatin1String("device")) {
        // The same device as /dev/null, made here so that no shared node is ever at risk.
        if (mknod(native.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
            QSKIP("cannot make a device node here");
    } else if (target == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("target.qld")));
    } else if (target == QLatin1String("missing folder")) {
        path = dir.filePath(QStringLiteral("no/such/folder/target.qld"));
    }
    const QFileInfo before(path);
    const bool wasFile = before.isFile();

    QCOMPARE(ConfigFile::save(path, defaultCells(p), p), saved);

    const QFileInfo after(path);
    if (saved) {
        QCOMPARE(readFile(path), ConfigFile::serialize(defaultCells(p), p));
        QCOMPARE(after.isSymLink(), target == QLatin1String("link"));
    } else {
        // Whatever stood there still stands, of the same kind.
        QCOMPARE(after.exists(), before.exists());
        QCOMPARE(after.isFile(), wasFile);
        QCOMPARE(after.isDir(), before.isDir());
        QCOMPARE(after.isSymLink(), before.isSymLink());
        // Nothing is made where a link leads.
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("real.qld"))));
    }
#else
    QSKIP("FIFOs and device nodes are POSIX things");
#endif
}

void TestConfigFile::unwritableFolder_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<bool>("fileWritable");
    QTest::addColumn<bool>("saved");
    QTest::newRow("writable file is overwritten in place") << true << true << true;
    QTest::newRow("read-only file stays") << true << false << false;
    QTest::newRow("no new file can be made") << false << false << false;
}

void TestConfigFile::unwritableFolder()
{
#ifdef Q_OS_UNIX
    QFETCH(bool, fileExists);
    QFETCH(bool, fileWritable);
    QFETCH(bool, saved);
    const ProgramProfile &p = ProgramProfile::quelda();
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("locked")));
    const QString path = folder + QStringLiteral("/layout.qld");
    const QByteArray old = QByteArray(648, 'o');
    if (fileExists) {
        writeFile(dir, QStringLiteral("locked/layout.qld"), old);
        QFile::setPermissions(path, fileWritable ? QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ReadOther | QFile::WriteOther
                                                 : QFile::ReadOwner | QFile::ReadOther);
    }
    // Others may pass through both folders and read, but may not add a file to the inner one.
    const auto passable =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(dir.path(), passable);
    QFile::setPermissions(folder, passable & ~QFile::WriteOwner);

    const ChildProcess::Outcome outcome = ChildProcess::run([&] {
        if (!ChildProcess::becomeUnprivileged())
            return ChildProcess::Skipped;
        return ConfigFile::save(path, defaultCells(p), p) ? QByteArray("saved")
                                                          : QByteArray("failed");
    });
    QFile::setPermissions(folder, passable);
    if (outcome.report == ChildProcess::Skipped)
        QSKIP("cannot run as an unprivileged user here");
    QVERIFY(outcome.returned);
    QCOMPARE(outcome.report, QByteArray(saved ? "saved" : "failed"));
    QCOMPARE(readFile(path),
             saved ? ConfigFile::serialize(defaultCells(p), p) : (fileExists ? old : QByteArray()));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), fileExists ? 1 : 0);
#else
    QSKIP("needs POSIX permissions and users");
#endif
}

void TestConfigFile::sizeLimitKeepsOldFile()
{
#ifdef Q_OS_UNIX
    // A file-size limit makes writes fail part-way, as a full disk does, and by default the
    // system then ends the program. The save runs in a child, as the program would, with the
    // signal's default in place.
    const ProgramProfile &p = ProgramProfile::tavrin();
    const QString path = m_dir.filePath(QStringLiteral("old.tvr"));
    const QByteArray old = ConfigFile::serialize(defaultCells(p), p);
    writeFile(m_dir, QStringLiteral("old.tvr"), old);

    const ChildProcess::Outcome outcome = ChildProcess::run([&] {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit small{};
        getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 4096;
        if (setrlimit(RLIMIT_FSIZE, &small) != 0)
            return ChildProcess::Skipped;
        return ConfigFile::save(path, busyCells(p), p) ? QByteArray("saved") : QByteArray("failed");
    });
    if (outcome.report == ChildProcess::Skipped)
        QSKIP("cannot limit the file size here");
    QCOMPARE(outcome.signal, 0);
    QCOMPARE(outcome.report, QByteArray("failed"));
    QCOMPARE(readFile(path), old);
#else
    QSKIP("file-size limits are POSIX");
#endif
}

void TestConfigFile::shortWriteIsAFailure()
{
    ShortWriteDevice device;
    device.open(QIODevice::WriteOnly);
    QVERIFY(!AtomicWriter::writeAll(device, QByteArray(648, 'x')));
    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    QVERIFY(AtomicWriter::writeAll(whole, QByteArray(648, 'x')));
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
