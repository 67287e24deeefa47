// SPDX-License-Identifier: MIT
#include "TTestKeysDlg.h"

#include "codeentry/TScan.h"
#include "common/DialogPrompter.h"
#include "keymodel/AtomicWriter.h"
#include "keymodel/LabelCodePage.h"
#include "keytest/KeyTestReport.h"
#include "keytest/KeyTestSession.h"
#include "mainwindow/FileMessages.h"
#include "profile/Messages.h"

#include <QBoxLayout>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace {

constexpr QSize InitialSize(640, 360);
// Space left between the two windows, so that their frames do not touch.
constexpr int WindowGap = 8;
// The narrowest the window is made to stand beside the main window rather than over it.
constexpr int MinimumWidth = 400;
const char ReportFilter[] = QT_TRANSLATE_NOOP("TTestKeysDlg", "Key test report(*.txt)|*.txt");
const char ReportFailed[] = QT_TRANSLATE_NOOP("TTestKeysDlg", "Failed to save the report.");

// The capture of the code dialog, handing each stroke's group to the test instead of listing
// it; what the control shows is the test's lines.
class TestKeysCapture : public TScan
{
public:
    TestKeysCapture(KeyTestSession &session, const QString &programName, QWidget *parent)
        : TScan(programName, parent), m_session(session)
    {
    }

protected:
    void takeGroup(const QByteArray &group) override { m_session.addGroup(group); }

private:
    KeyTestSession &m_session;
};

bool fits(const QRect &frame, const QRect &mainFrame, const QRect &screen)
{
    return screen.contains(frame) && !frame.intersects(mainFrame);
}

} // namespace

TTestKeysDlg::TTestKeysDlg(const KeyGrid &grid, const QString &programName)
    : m_session(std::make_unique<KeyTestSession>(grid)),
      m_prompter(std::make_unique<DialogPrompter>(this, programName))
{
    setWindowTitle(tr("Test Keys"));
    // A helper window: it must neither keep the program running nor end it when closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setAccessibleName(tr("Summary"));
    m_summary->setWordWrap(true);
    m_summary->setTextFormat(Qt::PlainText);

    m_capture = new TestKeysCapture(*m_session, programName, this);
    m_capture->setObjectName(QStringLiteral("capture"));
    m_capture->setAccessibleName(tr("Keys pressed"));
    m_capture->setReadOnly(true);
    m_capture->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_capture->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_capture->setPlaceholderText(
        tr("Press the keys of the keyboard under test, one after the other. Each "
           "press gets a line here with the key of the layout that sends it."));

    auto addButton = [this](const QString &caption, const char *name) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        // As in the code dialog, the keyboard is the test's alone: only the mouse reaches
        // the buttons.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        return button;
    };
    bSave = addButton(tr("Save Report…"), "bSave");
    bClear = addButton(tr("Clear"), "bClear");
    QPushButton *bClose = addButton(tr("Close"), "bClose");
    connect(bSave, &QPushButton::clicked, this, &TTestKeysDlg::bSaveClick);
    connect(bClear, &QPushButton::clicked, this, &TTestKeysDlg::bClearClick);
    connect(bClose, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(bSave);
    buttons->addWidget(bClear);
    buttons->addStretch();
    buttons->addWidget(bClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_capture, 1);
    layout->addLayout(buttons);
    resize(InitialSize);

    connect(m_session.get(), &KeyTestSession::sequenceAdded, this, &TTestKeysDlg::sequenceAdded);
    connect(m_session.get(), &KeyTestSession::sequenceExtended, this,
            &TTestKeysDlg::sequenceExtended);
    connect(m_session.get(), &KeyTestSession::reset, this, &TTestKeysDlg::showAll);
    showSummary();
}

TTestKeysDlg::~TTestKeysDlg() = default;

void TTestKeysDlg::setPrompter(std::unique_ptr<Prompter> prompter)
{
    m_prompter = std::move(prompter);
}

void TTestKeysDlg::setClock(std::unique_ptr<KeyTestClock> clock)
{
    m_session->setClock(std::move(clock));
}

void TTestKeysDlg::setLayoutName(std::function<QString()> layoutName)
{
    m_layoutName = std::move(layoutName);
}

void TTestKeysDlg::sequenceAdded()
{
    const QString line = KeyTestReport::sequenceLine(*m_session, m_session->sequences().last(),
                                                     LabelCodePage::current());
    m_capture->appendPlainText(line);
    showLatest();
    showSummary();
    markLast();
}

void TTestKeysDlg::sequenceExtended()
{
    // Only what changed is written again: the time and the first strokes stay as they are.
    const QString line = KeyTestReport::sequenceLine(*m_session, m_session->sequences().last(),
                                                     LabelCodePage::current());
    const QTextBlock block = m_capture->document()->lastBlock();
    const QString shown = block.text();
    qsizetype same = 0;
    while (same < line.size() && same < shown.size() && line[same] == shown[same])
        ++same;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + int(same));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(line.mid(same));
    showLatest();
    showSummary();
    markLast();
}

void TTestKeysDlg::showAll()
{
    QStringList lines;
    for (const TestedSequence &s : m_session->sequences())
        lines << KeyTestReport::sequenceLine(*m_session, s, LabelCodePage::current());
    m_capture->setPlainText(lines.join(u'\n'));
    showLatest();
    showSummary();
    markLast();
}

void TTestKeysDlg::showLatest()
{
    // The newest line, from its start: the time and strokes matter more than a long tail.
    m_capture->verticalScrollBar()->setValue(m_capture->verticalScrollBar()->maximum());
    m_capture->horizontalScrollBar()->setValue(0);
}

void TTestKeysDlg::showSummary()
{
    m_summary->setText(KeyTestReport::summary(*m_session));
}

void TTestKeysDlg::markLast()
{
    // Only while the window is up: once it is closed every face looks as it always does.
    if (isVisible())
        emit markedKeysChanged(m_session->lastKeys());
}

void TTestKeysDlg::bClearClick()
{
    m_session->clear();
}

QString TTestKeysDlg::reportText() const
{
    const QString layout = m_layoutName ? m_layoutName() : QString();
    return KeyTestReport::reportText(*m_session, layout, QDateTime::currentDateTime(),
                                     LabelCodePage::current());
}

void TTestKeysDlg::bSaveClick()
{
    const QString path =
        m_prompter->saveFileName(tr(ReportFilter), QStringLiteral("txt"), m_lastReportPath);
    if (path.isEmpty())
        return;
    // The file dialog leaves the question to the program, as it does for layouts.
    if (QFileInfo::exists(path) &&
        !m_prompter->askYesNo(Messages::shown(Messages::OverwriteQuestion)))
        return;
    if (QString why; !AtomicWriter::write(path, reportText().toUtf8(),
                                          AtomicWriter::Links::WriteThrough, &why)) {
        m_prompter->failure(tr(ReportFailed), FileMessages::saveDetails(path, why));
        return;
    }
    m_lastReportPath = path;
}

QRect TTestKeysDlg::placeBeside(const QRect &mainFrame, const QSize &frameSize, const QRect &screen)
{
    const int w = frameSize.width(), h = frameSize.height();
    // Level with the main window's top or left edge, moved in as far as the screen needs.
    const int y =
        std::clamp(mainFrame.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - h));
    const int x = std::clamp(mainFrame.left(), screen.left(),
                             std::max(screen.left(), screen.right() + 1 - w));
    const int rightOf = mainFrame.right() + 1 + WindowGap;
    const QRect candidates[] = {
        {QPoint(rightOf, y), frameSize},
        {QPoint(mainFrame.left() - WindowGap - w, y), frameSize},
        {QPoint(x, mainFrame.bottom() + 1 + WindowGap), frameSize},
        {QPoint(x, mainFrame.top() - WindowGap - h), frameSize},
    };
    for (const QRect &r : candidates)
        if (fits(r, mainFrame, screen))
            return r;
    // Narrower, on the wider side, while the lines' time, strokes and codes still show.
    const int rightRoom = screen.right() + 1 - rightOf;
    const int leftRoom = mainFrame.left() - WindowGap - screen.left();
    if (std::max(rightRoom, leftRoom) >= MinimumWidth)
        return rightRoom >= leftRoom ? QRect(rightOf, y, rightRoom, h)
                                     : QRect(screen.left(), y, leftRoom, h);
    // No room anywhere: the screen's right edge, where it covers the least of the grid's start.
    return {QPoint(std::max(screen.left(), screen.right() + 1 - w), y), frameSize};
}

void TTestKeysDlg::showBeside(const QWidget &mainWindow)
{
    if (!m_placed) {
        if (const QScreen *s = mainWindow.screen()) {
            // The frame is not known before the window is shown; the main window's is the best
            // guess at it.
            const QSize decoration = mainWindow.frameGeometry().size() - mainWindow.size();
            const QRect frame = placeBeside(mainWindow.frameGeometry(), size() + decoration,
                                            s->availableGeometry());
            resize(frame.size() - decoration);
            move(frame.topLeft());
        }
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

void TTestKeysDlg::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The strokes must reach the capture from the first one, even where no window manager
    // hands a new window the focus.
    activateWindow();
    m_capture->setFocus();
}

void TTestKeysDlg::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // Minimised, the test is only out of the way; closed, it lets go of the layout.
    if (!event->spontaneous())
        emit markedKeysChanged({});
}
