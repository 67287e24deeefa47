// SPDX-License-Identifier: MIT
#include "codeentry/TLabelDlg.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/LabelCodec.h"
#include "keymodel/TKey.h"
#include "mainwindow/TMainDlg.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Answers the Label command as a user would have, and remembers what it was offered.
class FakeLabelEditor : public LabelEditor
{
public:
    explicit FakeLabelEditor(std::optional<QByteArray> answer) : m_answer(std::move(answer)) {}
    std::optional<QByteArray> editLabel(const QByteArray &label) override
    {
        offered << label;
        return m_answer;
    }
    QList<QByteArray> offered;

private:
    std::optional<QByteArray> m_answer;
};

// Types each character as one key stroke, whatever its script.
void type(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestLabelDialog : public QObject
{
    Q_OBJECT
private slots:
    void layout();
    void limit_data();
    void limit();
    void ending_data();
    void ending();
    void labelCommand_data();
    void labelCommand();
};

void TestLabelDialog::layout()
{
    TLabelDlg dlg(LabelCodec("windows-1252"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("KeyLabel"));
    QCOMPARE(dlg.size(), QSize(142, 114));
    const auto *ok = dlg.findChild<QPushButton *>(QStringLiteral("bOk"));
    const auto *cancel = dlg.findChild<QPushButton *>(QStringLiteral("bCancel"));
    QCOMPARE(dlg.eLabel()->geometry(), QRect(8, 8, 121, 20));
    QCOMPARE(ok->geometry(), QRect(64, 48, 59, 20));
    QCOMPARE(cancel->geometry(), QRect(64, 80, 59, 20));
    QCOMPARE(ok->text(), QStringLiteral("Ok"));
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    QVERIFY(ok->isDefault());
    QCOMPARE(dlg.eLabel()->nextInFocusChain(), ok);
    QCOMPARE(ok->nextInFocusChain(), cancel);
}

void TestLabelDialog::limit_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QByteArray>("label");
    QTest::addColumn<int>("cursor"); // -1: the label stays selected as shown
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray western("windows-1252"), japanese("Shift_JIS");
    const QString po = QStringLiteral("\u30DD"); // 0x83 0x7C
    QTest::newRow("typing stops at 20 letters")
        << western << QByteArray("1") << -1 << false << QString("abcdefghijklmnopqrstuvwxyz")
        << QByteArray("abcdefghijklmnopqrst");
    QTest::newRow("an accented letter is one byte")
        << western << QByteArray() << -1 << false << QString(u'\u00E9').repeated(22)
        << QByteArray(20, '\xE9');
    QTest::newRow("bars count like letters")
        << western << QByteArray() << -1 << false << QString(22, u'|') << QByteArray(20, '|');
    QTest::newRow("typing stops at 10 double-byte characters")
        << japanese << QByteArray() << -1 << false << po.repeated(12)
        << QByteArray("\x83\x7C").repeated(10);
    QTest::newRow("a double-byte character does not fit the last byte")
        << japanese << QByteArray() << -1 << false << QString(19, u'a') + po + "b"
        << QByteArray(19, 'a') + "b";
    QTest::newRow("half-width katakana is one byte")
        << japanese << QByteArray() << -1 << false << QString(u'\uFF71').repeated(21)
        << QByteArray(20, '\xB1');
    QTest::newRow("a character the code page lacks is refused")
        << western << QByteArray() << -1 << false << QString::fromUtf8("a\u0416b")
        << QByteArray("ab");
    QTest::newRow("paste is cut to what fits")
        << western << QByteArray("12345") << -1 << true << QString("abcdefghijklmnopqrstuvwxyz")
        << QByteArray("abcdefghijklmnopqrst");
    QTest::newRow("paste in the middle keeps the text on both sides")
        << western << QByteArray("1234567890123456") << 8 << true << QString("abcdef")
        << QByteArray("12345678abcd90123456");
    QTest::newRow("paste of double-byte text")
        << japanese << QByteArray("12345") << 5 << true << po.repeated(10)
        << QByteArray("12345") + QByteArray("\x83\x7C").repeated(7);
    QTest::newRow("paste leaves out what the code page lacks")
        << western << QByteArray() << -1 << true << QString::fromUtf8("a\u0416b\u0416c")
        << QByteArray("abc");
}

void TestLabelDialog::limit()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QByteArray, label);
    QFETCH(int, cursor);
    QFETCH(bool, paste);
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);

    const LabelCodec codec(encoding.constData());
    TLabelDlg dlg(codec);
    dlg.SetLabel(label);
    dlg.show();
    QLineEdit *edit = dlg.eLabel();
    if (cursor >= 0)
        edit->setCursorPosition(cursor);
    if (paste) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keySequence(edit, QKeySequence::Paste);
    } else {
        type(edit, text);
    }
    QCOMPARE(dlg.GetLabel(), expected);
}

void TestLabelDialog::ending_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QByteArray>("label");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("end"); // a key, or a button to click
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QByteArray>("result");

    const QByteArray western("windows-1252"), japanese("Shift_JIS");
    QTest::newRow("typing replaces the label, Return is Ok") << western << QByteArray("1") << "A"
                                                             << "Return" << true << QByteArray("A");
    QTest::newRow("Escape is Cancel") << western << QByteArray("1") << "A"
                                      << "Escape" << false << QByteArray();
    QTest::newRow("Cancel button") << western << QByteArray("1") << "A"
                                   << "bCancel" << false << QByteArray();
    QTest::newRow("Ok button") << western << QByteArray("1") << "B"
                               << "bOk" << true << QByteArray("B");
    QTest::newRow("Ok on an empty box") << western << QByteArray("1") << "\b"
                                        << "Return" << true << QByteArray();
    QTest::newRow("Ok without a change") << western << QByteArray("12") << ""
                                         << "Return" << true << QByteArray("12");
    // A label cut inside a double-byte character shows without its last byte, yet comes back
    // whole when left alone.
    QTest::newRow("Ok without a change keeps every byte")
        << japanese << QByteArray("AB\x83") << ""
        << "Return" << true << QByteArray("AB\x83");
    QTest::newRow("a label over the limit is shown whole")
        << western << QByteArray(24, 'x') << ""
        << "Return" << true << QByteArray(24, 'x');
}

void TestLabelDialog::ending()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QByteArray, label);
    QFETCH(QString, typed);
    QFETCH(QString, end);
    QFETCH(bool, confirmed);
    QFETCH(QByteArray, result);

    const LabelCodec codec(encoding.constData());
    TLabelDlg dlg(codec);
    QTimer::singleShot(0, &dlg, [&] {
        if (typed == QLatin1String("\b"))
            QTest::keyClick(dlg.eLabel(), Qt::Key_Backspace);
        else
            type(dlg.eLabel(), typed);
        if (end.startsWith(u'b'))
            QTest::mouseClick(dlg.findChild<QPushButton *>(end), Qt::LeftButton);
        else
            QTest::keyClick(dlg.eLabel(),
                            end == QLatin1String("Return") ? Qt::Key_Return : Qt::Key_Escape);
    });
    const std::optional<QByteArray> edited = dlg.editLabel(label);
    QCOMPARE(edited.has_value(), confirmed);
    if (confirmed)
        QCOMPARE(*edited, result);
}

void TestLabelDialog::labelCommand_data()
{
    QTest::addColumn<std::optional<QByteArray>>("answer");
    QTest::addColumn<QByteArray>("caption");
    QTest::addColumn<bool>("changed");
    QTest::newRow("Ok with a new label")
        << std::optional<QByteArray>("A|B") << QByteArray("A|B") << true;
    QTest::newRow("Ok with the same label still changes")
        << std::optional<QByteArray>("13") << QByteArray("13") << true;
    QTest::newRow("Ok with an empty label")
        << std::optional<QByteArray>("") << QByteArray() << true;
    QTest::newRow("Cancel changes nothing")
        << std::optional<QByteArray>() << QByteArray("13") << false;
}

void TestLabelDialog::labelCommand()
{
    QFETCH(std::optional<QByteArray>, answer);
    QFETCH(QByteArray, caption);
    QFETCH(bool, changed);

    TMainDlg dlg(ProgramProfile::tavrin());
    auto editor = std::make_unique<FakeLabelEditor>(answer);
    FakeLabelEditor *offered = editor.get();
    dlg.setLabelEditor(std::move(editor));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QTest::mouseClick(dlg.key(12), Qt::LeftButton);
    QTest::keySequence(&dlg, QKeySequence(QStringLiteral("Ctrl+L")));

    QCOMPARE(offered->offered, QList<QByteArray>{"13"});
    QCOMPARE(dlg.grid().cell(12).Caption, caption);
    QCOMPARE(dlg.ConfigChanged(), changed);
    QCOMPARE(dlg.SelectedKey(), dlg.key(12));
}

QTEST_MAIN(TestLabelDialog)
#include "tst_labeldialog.moc"
