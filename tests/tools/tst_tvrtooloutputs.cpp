// SPDX-License-Identifier: MIT
// tvrtool's output where it cannot or must not be written: a full disk, a full standard output,
// a FIFO, a device node, links and read-only folders. Through the real program, since standard
// output and the process's limits are part of what is tested; and as an ordinary user where
// permissions count, so that a fault cannot touch the system's own files.

#include "LayoutBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

const QByteArray Old = "the old file, which must survive\n";

struct Ran
{
    int status = -1;
    QByteArray err;
};

// The user to run as where permissions must count: "nobody" for root, else ourselves.
bool becomeOrdinaryUser()
{
    if (geteuid() != 0)
        return true;
    const passwd *nobody = getpwnam("nobody");
    return nobody && setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 &&
           setuid(nobody->pw_uid) == 0;
}

// A name with \377 in it stands for the byte FF, which no QString argument can carry: the
// shell's printf makes the arguments instead.
Ran run(QStringList arguments, bool ordinaryUser, const QString &standardOutput = {})
{
    QProcess tool;
    if (ordinaryUser)
        tool.setChildProcessModifier([] {
            if (!becomeOrdinaryUser())
                _exit(99);
        });
    if (!standardOutput.isEmpty())
        tool.setStandardOutputFile(standardOutput);
    if (arguments.filter(QStringLiteral("\\377")).isEmpty()) {
        tool.start(TVRTOOL, arguments);
    } else {
        arguments.replaceInStrings(QStringLiteral("\\377"),
                                   QStringLiteral("'\"$(printf '\\377')\"'"));
        tool.start("/bin/sh", {"-c", "exec '" TVRTOOL "' '" + arguments.join("' '") + "'"});
    }
    // A FIFO without a reader would hold a write for ever; the deadline makes that a failure.
    if (!tool.waitForFinished(30000)) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            tool.readAllStandardError()};
}

QString kind(const QString &path)
{
    struct stat st;
    if (lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("nothing");
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("link to ") + QFileInfo(path).symLinkTarget().section(u'/', -1);
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("FIFO");
    if (S_ISCHR(st.st_mode))
        return QStringLiteral("character device");
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.readAll() == Old ? QStringLiteral("the old file")
                                                             : QStringLiteral("another file");
}

void writeOld(const QString &path, QFile::Permissions permissions)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(Old) != Old.size())
        qFatal("cannot write %s", qPrintable(path));
    f.close();
    f.setPermissions(permissions);
}

// A disk of its own, full: a small tmpfs, which only root may mount.
class FullDisk
{
public:
    explicit FullDisk(const QString &at) : m_at(at)
    {
        QDir().mkpath(at);
        m_mounted = geteuid() == 0 && ::mount("tmpfs", QFile::encodeName(at).constData(), "tmpfs",
                                              0, "size=128k,mode=0755") == 0;
    }
    ~FullDisk()
    {
        if (m_mounted)
            umount2(QFile::encodeName(m_at).constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    void fill() const
    {
        QFile filler(m_at + QStringLiteral("/filler"));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray block(512, 'f');
        while (filler.write(block) == block.size()) {
        }
    }

private:
    QString m_at;
    bool m_mounted = false;
};

const QFile::Permissions ReadWrite = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                     QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
const QFile::Permissions ReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
const QFile::Permissions Passable = ReadOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;

} // namespace

class TestTvrtoolOutputs : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void hostileOutputs_data();
    void hostileOutputs();
    void fullStandardOutput_data();
    void fullStandardOutput();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_layout, m_json;
};

void TestTvrtoolOutputs::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    // An ordinary user may pass through and read the inputs.
    QFile::setPermissions(m_dir->path(), Passable | QFile::WriteOwner);
    m_layout = m_dir->filePath(QStringLiteral("layout.tvr"));
    m_json = m_dir->filePath(QStringLiteral("layout.json"));
    QFile layout(m_layout);
    QVERIFY(layout.open(QIODevice::WriteOnly));
    layout.write(LayoutBytes::defaults());
    layout.close();
    QCOMPARE(run({"export", m_layout, "-o", m_json}, false).status, 0);
    QFile::setPermissions(m_json, ReadOnly | QFile::WriteOwner);
}

void TestTvrtoolOutputs::hostileOutputs_data()
{
    QTest::addColumn<QStringList>("command"); // -o TARGET --force follows
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("after"); // what is left where the output would have gone

    const struct
    {
        const char *name;
        QStringList command;
        const char *extension;
    } writers[] = {
        {"export", {"export", "LAYOUT"}, "json"},
        {"import", {"import", "JSON"}, "tvr"},
        {"render PDF", {"render", "LAYOUT", "--landscape"}, "pdf"},
        {"render PNG", {"render", "LAYOUT"}, "png"},
        {"set", {"set", "LAYOUT", "1", "--label", "Tea"}, "tvr"},
    };
    const char *places[][2] = {
        {"full disk", "the old file"},
        {"full disk, read-only folder", "the old file"},
        {"read-only folder and file", "the old file"},
        {"FIFO", "FIFO"},
        {"device node", "character device"},
        {"dangling link", "link to elsewhere"},
        {"link to a file", "link to elsewhere"},
        {"name not UTF-8", "the old file"},
    };
    for (const auto &w : writers)
        for (const auto &place : places)
            QTest::addRow("%s, %s", w.name, place[0])
                << w.command << QString::fromLatin1(w.extension) << QString::fromLatin1(place[0])
                << QString::fromLatin1(place[1]);
}

void TestTvrtoolOutputs::hostileOutputs()
{
    QFETCH(QStringList, command);
    QFETCH(QString, extension);
    QFETCH(QString, place);
    QFETCH(QString, after);
    command.replaceInStrings(QStringLiteral("LAYOUT"), m_layout);
    command.replaceInStrings(QStringLiteral("JSON"), m_json);
    const QString folder = m_dir->filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(folder));
    QFile::setPermissions(folder, Passable | QFile::WriteOwner);
    QString target = folder + QStringLiteral("/target.") + extension;
    bool ordinaryUser = false;
    std::unique_ptr<FullDisk> disk;
    QString given; // the output's name as given, when it is not target's

    if (place.startsWith(QLatin1String("full disk"))) {
        disk = std::make_unique<FullDisk>(folder);
        if (!disk->mounted())
            QSKIP("a full disk needs root, to mount a small tmpfs");
        const bool readOnly = place.contains(QLatin1String("read-only"));
        if (readOnly) {
            QDir().mkdir(folder + QStringLiteral("/locked"));
            target = folder + QStringLiteral("/locked/target.") + extension;
        }
        writeOld(target, ReadWrite);
        disk->fill();
        if (readOnly)
            QFile::setPermissions(folder + QStringLiteral("/locked"), Passable);
        ordinaryUser = readOnly;
    } else if (place == QLatin1String("read-only folder and file")) {
        writeOld(target, ReadOnly);
        QFile::setPermissions(folder, Passable);
        ordinaryUser = true;
    } else if (place == QLatin1String("name not UTF-8")) {
        // Read as UTF-8, the byte FF would become U+FFFD: the name of this other file.
        target = folder + QStringLiteral("/victim\uFFFD.") + extension;
        writeOld(target, ReadWrite);
        given = folder + QStringLiteral("/victim\\377.") + extension;
    } else if (place == QLatin1String("FIFO")) {
        QCOMPARE(mkfifo(QFile::encodeName(target).constData(), 0666), 0);
    } else if (place == QLatin1String("device node")) {
        // A node of its own, like the system's /dev/null, which a fault here could replace.
        if (mknod(QFile::encodeName(target).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("making a device node needs root");
    } else {
        if (place == QLatin1String("link to a file"))
            writeOld(folder + QStringLiteral("/elsewhere"), ReadWrite);
        QVERIFY(QFile::link(QStringLiteral("elsewhere"), target));
        // Without --force a link counts as a file that exists, dangling or not.
        const Ran unforced = run(command + QStringList{"-o", target}, false);
        QCOMPARE(unforced.status, 2);
        QVERIFY2(unforced.err.contains("exists; --force replaces it"), unforced.err);
    }

    const Ran r =
        run(command + QStringList{"-o", given.isEmpty() ? target : given, "--force"}, ordinaryUser);
    if (r.status == 99)
        QSKIP("cannot run as an ordinary user here");
    const QString named = given.isEmpty() ? target : given.replace("\\377", "\\xFF");
    QVERIFY2(r.err.startsWith("tvrtool: " + named.toUtf8() + ": "), r.err);
    QCOMPARE(r.status, 2);
    QCOMPARE(kind(target), after);
    if (after.startsWith(QLatin1String("link")))
        QCOMPARE(kind(folder + QStringLiteral("/elsewhere")),
                 place == QLatin1String("dangling link") ? "nothing" : "the old file");
    // Nothing half-written is left beside the target.
    QStringList left =
        QDir(QFileInfo(target).absolutePath()).entryList(QDir::Files | QDir::System | QDir::Hidden);
    left.removeAll(QStringLiteral("filler"));
    left.removeAll(QStringLiteral("elsewhere"));
    QCOMPARE(left, QStringList{QFileInfo(target).fileName()});
    QFile::setPermissions(folder, Passable | QFile::WriteOwner);
}

void TestTvrtoolOutputs::fullStandardOutput_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<int>("status"); // to a place with room
    QTest::newRow("export") << QStringList{"export", "LAYOUT"} << 0;
    QTest::newRow("show") << QStringList{"show", "--codes", "LAYOUT"} << 0;
    QTest::newRow("check") << QStringList{"check", "LAYOUT"} << 0;
    QTest::newRow("diff") << QStringList{"diff", "LAYOUT", "OTHER"} << 1;
    QTest::newRow("help") << QStringList{"help"} << 0;
}

void TestTvrtoolOutputs::fullStandardOutput()
{
    QFETCH(QStringList, command);
    QFETCH(int, status);
    command.replaceInStrings(QStringLiteral("LAYOUT"), m_layout);
    QByteArray other = LayoutBytes::defaults();
    LayoutBytes::set(other, 3, LayoutBytes::Label, LayoutBytes::label("Total"));
    QFile file(m_dir->filePath(QStringLiteral("other.tvr")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(other) == other.size());
    file.close();
    command.replaceInStrings(QStringLiteral("OTHER"), file.fileName());
    QCOMPARE(run(command, false, QStringLiteral("/dev/null")).status, status);
    const Ran full = run(command, false, QStringLiteral("/dev/full"));
    QCOMPARE(full.err, "tvrtool: standard output: No space left on device; the output is "
                       "incomplete\n");
    QCOMPARE(full.status, 2);
}

QTEST_MAIN(TestTvrtoolOutputs)
#include "tst_tvrtooloutputs.moc"
