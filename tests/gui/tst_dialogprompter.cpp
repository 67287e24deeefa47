// SPDX-License-Identifier: MIT
#include "common/DialogPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs handle on the first modal dialog that comes up while the caller's own dialog runs, or,
// given within, on the first one that comes up over within while within lasts.
void whenModal(const std::function<void(QWidget *)> &handle, QWidget *within = nullptr)
{
    auto *poll = new QTimer(within ? static_cast<QObject *>(within) : qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, handle, within] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != within) {
            poll->deleteLater();
            handle(modal);
        }
    });
    poll->start(10);
}

} // namespace

// The real dialogs, answered by key strokes.
class TestDialogPrompter : public QObject
{
    Q_OBJECT
private slots:
    void openTakesAnyName_data();
    void openTakesAnyName();
    void boxPlacement_data();
    void boxPlacement();
};

void TestDialogPrompter::openTakesAnyName_data()
{
    QTest::addColumn<bool>("exists");
    QTest::newRow("file that is there") << true;
    QTest::newRow("name that is not there") << false;
}

void TestDialogPrompter::openTakesAnyName()
{
    QFETCH(bool, exists);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("layout.tvr"));
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QWidget window;
    window.show();
    DialogPrompter prompter(&window, QStringLiteral("Tavrin"));
    QString refusal;
    whenModal([&](QWidget *dialog) {
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        QTest::keyClicks(name, QStringLiteral("layout.tvr"));
        // A dialog that refuses the name answers with a box of its own; note it and give up.
        whenModal(
            [&, dialog](QWidget *box) {
                if (auto *message = qobject_cast<QMessageBox *>(box))
                    refusal = message->text();
                box->close();
                dialog->close();
            },
            dialog);
        QTest::keyClick(name, Qt::Key_Return);
    });
    const QString chosen = prompter.openFileName(
        QStringLiteral("Tavrin Keyboard Config file(*tvr)|*.tvr"), dir.path());
    QCOMPARE(refusal, QString());
    QCOMPARE(chosen, path);
}

void TestDialogPrompter::boxPlacement_data()
{
    QTest::addColumn<bool>("windowShown");
    QTest::newRow("before the window shows: centred on the screen") << false;
    QTest::newRow("over the window: centred on it") << true;
}

void TestDialogPrompter::boxPlacement()
{
    QFETCH(bool, windowShown);
    QWidget window;
    window.setGeometry(20, 30, 544, 384);
    if (windowShown)
        window.show();
    DialogPrompter prompter(&window, QStringLiteral("Tavrin"));
    QPoint centre;
    QStringList shown;
    whenModal([&](QWidget *box) {
        centre = box->frameGeometry().center();
        if (const auto *message = qobject_cast<QMessageBox *>(box))
            shown << message->windowTitle() << message->text() << message->informativeText();
        box->close();
    });
    prompter.failure(QStringLiteral("Specified file does not exists."),
                     QStringLiteral("File: /tmp/gone.tvr\nThere is no file of this name."));
    // The text users know, with which file and why under it.
    QCOMPARE(shown, QStringList({"Tavrin", "Specified file does not exists.",
                                 "File: /tmp/gone.tvr\nThere is no file of this name."}));
    const QPoint expected = windowShown ? window.frameGeometry().center()
                                        : window.screen()->availableGeometry().center();
    // The box's own size may be odd: a centre within a pixel of the expected one is centred.
    QVERIFY2((centre - expected).manhattanLength() <= 2,
             qPrintable(QStringLiteral("box centred at %1,%2, expected %3,%4")
                            .arg(centre.x())
                            .arg(centre.y())
                            .arg(expected.x())
                            .arg(expected.y())));
}

QTEST_MAIN(TestDialogPrompter)
#include "tst_dialogprompter.moc"
