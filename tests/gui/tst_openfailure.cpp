// SPDX-License-Identifier: MIT
#include "ChildProcess.h"
#include "FakePrompter.h"
#include "keymodel/ConfigFile.h"
#include "mainwindow/TMainDlg.h"
#include "profile/ProgramProfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A file that is there, of the right size, but that the user may not read: root reads
// everything, so the load runs as an ordinary user in a child process.
class TestOpenFailure : public QObject
{
    Q_OBJECT
private slots:
    void unreadableFile_data();
    void unreadableFile();
};

void TestOpenFailure::unreadableFile_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("atStartUp");
    QTest::addColumn<QString>("shown");
    QTest::newRow("keyboard, start-up")
        << "Tavrin" << true << "failure: Failed to open specified file.";
    QTest::newRow("keyboard, Load")
        << "Tavrin" << false << "failure: Failed to open spesified file.";
    QTest::newRow("lock, start-up")
        << "Quelda" << true << "failure: Failed to open specified file.";
    QTest::newRow("lock, Load") << "Quelda" << false << "failure: Failed to open specified file.";
}

void TestOpenFailure::unreadableFile()
{
#ifdef Q_OS_UNIX
    QFETCH(QString, program);
    QFETCH(bool, atStartUp);
    QFETCH(QString, shown);
    const ProgramProfile &p =
        program == QLatin1String("Tavrin") ? ProgramProfile::tavrin() : ProgramProfile::quelda();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("layout.") + p.extension);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(p.fileSize(), '\0'));
    }
    // Anyone may see the file and its size; nobody but root may read it.
    QFile::setPermissions(path, {});
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
    TMainDlg window(p);
    auto *prompter = new FakePrompter;
    window.setPrompter(std::unique_ptr<Prompter>(prompter));

    const ChildProcess::Outcome outcome = ChildProcess::run([&] {
        if (!ChildProcess::becomeUnprivileged())
            return ChildProcess::Skipped;
        window.LoadConfigFile(path, atStartUp ? TMainDlg::LoadOrigin::StartUp
                                              : TMainDlg::LoadOrigin::Command);
        return prompter->shown.join(u'\n').toUtf8();
    });
    if (outcome.report == ChildProcess::Skipped)
        QSKIP("cannot run as an unprivileged user here");
    QVERIFY(outcome.returned);
    QCOMPARE(QString::fromUtf8(outcome.report), shown);
#else
    QSKIP("needs POSIX users and permissions");
#endif
}

QTEST_MAIN(TestOpenFailure)
#include "tst_openfailure.moc"
