// SPDX-License-Identifier: MIT
#include "FakePrompter.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "layoutview/PrintChooser.h"
#include "layoutview/PrintDialogChooser.h"
#include "layoutview/TViewDlg.h"
#include "mainwindow/TMainDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QPrintDialog>
#include <QTimer>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Answers the print dialog as a user would, but hands over a printer that writes a PDF.
class FakePrintChooser : public PrintChooser
{
public:
    enum class Answer
    {
        Cancel,
        Print,
    };

    Answer answer = Answer::Print;
    QString file;
    int shown = 0;

    bool choosePrinter(QPrinter &printer) override
    {
        ++shown;
        if (answer == Answer::Cancel)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setResolution(600);
        printer.setPageSize(QPageSize(QPageSize::A4));
        // Margins left over from elsewhere: the layout must not move in by them.
        printer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Point);
        return true;
    }
};

struct Window
{
    std::unique_ptr<TMainDlg> dlg;
    FakePrompter *prompts = nullptr;
    FakePrintChooser *printDialog = nullptr;
};

Window makeWindow()
{
    Window w;
    w.dlg = std::make_unique<TMainDlg>(ProgramProfile::tavrin());
    auto prompter = std::make_unique<FakePrompter>();
    w.prompts = prompter.get();
    w.dlg->setPrompter(std::move(prompter));
    auto chooser = std::make_unique<FakePrintChooser>();
    w.printDialog = chooser.get();
    w.dlg->view()->setPrintChooser(std::move(chooser));
    w.dlg->show();
    w.dlg->activateWindow();
    if (!QTest::qWaitForWindowActive(w.dlg.get()))
        qFatal("the main window never became active");
    return w;
}

void press(Window &w, const char *shortcut)
{
    w.dlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.dlg.get()));
    QTest::keySequence(w.dlg.get(), QKeySequence(QString::fromLatin1(shortcut)));
}

} // namespace

class TestLayoutPrint : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void viewComesAndGoes();
    void printOutcomes_data();
    void printOutcomes();
    void printedPage();
    void realDialogOffersOnlyTheWholePage();

private:
    QTemporaryDir m_dir;
};

void TestLayoutPrint::viewComesAndGoes()
{
    Window w = makeWindow();
    TViewDlg *view = w.dlg->view();
    QVERIFY(!view->isVisible());

    press(w, "Ctrl+V");
    QVERIFY(view->isVisible());
    QCOMPARE(view->windowTitle(), QStringLiteral("KeyView"));
    QVERIFY(w.dlg->isEnabled()); // not modal
    view->move(view->pos() + QPoint(30, 20));
    const QRect placed = view->geometry();

    QVERIFY(view->close());
    QVERIFY(!view->isVisible());
    QCOMPARE(w.dlg->view(), view);

    press(w, "Ctrl+V");
    QVERIFY(view->isVisible());
    QCOMPARE(view->geometry(), placed);

    QVERIFY(QTest::qWaitForWindowActive(view));
    QTest::keyClick(view, Qt::Key_Escape);
    QVERIFY(!view->isVisible());
}

void TestLayoutPrint::printOutcomes_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("printed") << false << QStringLiteral("page.pdf") << true << QStringList();
    QTest::newRow("cancelled") << true << QStringLiteral("page.pdf") << false << QStringList();
    QTest::newRow("service fails")
        << false << QStringLiteral("missing/page.pdf") << false
        << QStringList{
               QStringLiteral("failure: The printer \"%1\" could not start the print job.")};
}

void TestLayoutPrint::printOutcomes()
{
    QFETCH(bool, cancel);
    QFETCH(QString, file);
    QFETCH(bool, written);
    QFETCH(QStringList, shown);
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + '/' + file);
    QDir().mkpath(m_dir.filePath(QString::fromLatin1(QTest::currentDataTag())));
    for (QString &s : shown)
        s = s.arg(path);

    Window w = makeWindow();
    w.printDialog->answer =
        cancel ? FakePrintChooser::Answer::Cancel : FakePrintChooser::Answer::Print;
    w.printDialog->file = path;
    press(w, "Ctrl+P");
    QCOMPARE(w.printDialog->shown, 1);
    QCOMPARE(QFileInfo(path).size() > 0, written);
    QCOMPARE(w.prompts->shown, shown);
    // Printing neither needs nor shows the view window.
    QVERIFY(!w.dlg->view()->isVisible());
}

void TestLayoutPrint::printedPage()
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        QSKIP("pdftoppm (poppler-utils) is not installed");
    // Key 0 red, key 1 green and three columns wide over keys 8 and 15.
    Window w = makeWindow();
    KeyDocument &layout = w.dlg->document();
    layout.setColor(0, 0x0000FF);
    layout.setColor(1, 0x00FF00);
    QVERIFY(layout.MergeKey(1, 8));
    QVERIFY(layout.MergeKey(1, 15));
    w.printDialog->file = m_dir.filePath(QStringLiteral("layout.pdf"));
    press(w, "Ctrl+P");
    QCOMPARE(w.prompts->shown, QStringList());

    // The top-left corner of the page, read back at the printer's resolution without smoothing.
    const QString png = m_dir.filePath(QStringLiteral("layout"));
    QCOMPARE(QProcess::execute(pdftoppm, {"-r", "600", "-aa", "no", "-aaVector", "no", "-x", "0",
                                          "-y", "0", "-W", "1600", "-H", "1100", "-png",
                                          "-singlefile", w.printDialog->file, png}),
             0);
    const QImage page(png + QStringLiteral(".png"));
    QCOMPARE(page.size(), QSize(1600, 1100));

    // At 600 dpi faces are 330 pixels on a pitch of 448. A PDF printer prints the whole page,
    // so the first frame begins one gap, 118 pixels (5.0 mm), from the paper's edge and runs
    // to 448, exclusive. The wide key in row 1 runs from 118 to 1344 across and from 566 to
    // 896 down.
    const struct
    {
        const char *what;
        QPoint at;
        QColor colour;
    } points[] = {
        {"margin left of the first face", {117, 400}, Qt::white},
        {"first frame, left", {118, 400}, Qt::black},
        {"first fill", {119, 400}, Qt::red},
        {"first frame, right", {447, 400}, Qt::black},
        {"gap right of the first face", {448, 400}, Qt::white},
        {"margin above the first face", {400, 117}, Qt::white},
        {"first frame, top", {400, 118}, Qt::black},
        {"first frame, bottom", {400, 447}, Qt::black},
        {"wide key covers the gap", {500, 850}, Qt::green},
        {"wide key, right frame", {1343, 850}, Qt::black},
        {"past the wide key", {1344, 850}, Qt::white},
        {"wide key, bottom frame", {500, 895}, Qt::black},
    };
    for (const auto &p : points)
        QVERIFY2(page.pixelColor(p.at) == p.colour, p.what);
}

void TestLayoutPrint::realDialogOffersOnlyTheWholePage()
{
    // What the system's own print dialog shows, read once it is up, then cancelled.
    QStringList shown;
    QStringList printers;
    bool sawDialog = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        sawDialog = true;
        // The choices of pages live behind "Options".
        for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>())
            if (b->text().startsWith(QLatin1String("&Options")) ||
                b->text().startsWith(QLatin1String("Options")))
                b->click();
        for (QWidget *w : dialog->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(dialog))
                continue;
            if (auto *b = qobject_cast<QAbstractButton *>(w))
                shown << b->text().remove(u'&');
            if (auto *c = qobject_cast<QComboBox *>(w)) {
                for (int i = 0; i < c->count(); ++i)
                    shown << c->itemText(i);
                if (w->objectName() == QLatin1String("printers"))
                    for (int i = 0; i < c->count(); ++i)
                        printers << c->itemText(i);
            }
            if (!w->objectName().isEmpty())
                shown << w->objectName();
        }
        dialog->reject();
    });
    poll.start(20);
    PrintDialogChooser chooser(nullptr);
    QPrinter printer;
    QVERIFY(!chooser.choosePrinter(printer));
    QVERIFY(sawDialog);
    // No page range, no selection, no page set that could leave the one page out.
    for (const char *choice : {"Pages from", "Selection", "Current Page", "Even Pages", "Odd Pages",
                               "printRange", "printSelection", "pagesRadioButton", "pageSetCombo"})
        QVERIFY2(!shown.contains(QLatin1String(choice)), choice);
    // Printing to a PDF file, the one choice where no printer is installed.
    QVERIFY(printers.contains(QStringLiteral("Print to File (PDF)")));
    QCOMPARE(printer.printRange(), QPrinter::AllPages);
}

QTEST_MAIN(TestLayoutPrint)
#include "tst_layoutprint.moc"
