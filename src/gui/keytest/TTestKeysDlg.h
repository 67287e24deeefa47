// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QWidget>

#include <functional>
#include <memory>

class KeyGrid;
class KeyTestClock;
class KeyTestSession;
class Prompter;
class QLabel;
class QPushButton;
class TScan;

// The "Test Keys" window: while it has the keyboard, every stroke is captured exactly as the
// code dialog captures it, strokes close together form one sequence, and each sequence gets a
// line naming the key of the layout that sends it. A summary on top counts the keys seen. The
// window is modeless and reused: closing it only hides it, and the test goes on where it was
// when it comes back.
class TTestKeysDlg : public QWidget
{
    Q_OBJECT
public:
    // Message boxes are titled programName.
    TTestKeysDlg(const KeyGrid &grid, const QString &programName);
    ~TTestKeysDlg() override;

    void setPrompter(std::unique_ptr<Prompter> prompter);
    void setClock(std::unique_ptr<KeyTestClock> clock);
    // What the report calls the layout under test, asked when the report is written.
    void setLayoutName(std::function<QString()> layoutName);

    KeyTestSession &session() const { return *m_session; }
    // The control that has the keyboard; it also holds the lines.
    TScan *capture() const { return m_capture; }
    QLabel *summary() const { return m_summary; }
    QPushButton *saveButton() const { return bSave; }
    QPushButton *clearButton() const { return bClear; }

    // Shows the window beside the main window where the screen has room for it, or brings it to
    // the front where it is, and gives it the keyboard.
    void showBeside(const QWidget &mainWindow);
    // Where a window of this frame size goes beside mainFrame: right of it, else left, else
    // below, else above, level with its edge; else narrower on the wider side; over it only
    // where the screen has room nowhere. Gives the frame's place and size.
    static QRect placeBeside(const QRect &mainFrame, const QSize &frameSize, const QRect &screen);

    QString reportText() const;

public slots:
    // Asks where, then writes the report as plain text in one go; says so when it fails.
    void bSaveClick();
    void bClearClick();

signals:
    // The keys to point out on the layout: the last sequence's, or none.
    void markedKeysChanged(const QList<int> &keys);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void sequenceAdded();
    void sequenceExtended();
    void showAll();
    void showLatest();
    void showSummary();
    void markLast();

    std::unique_ptr<KeyTestSession> m_session;
    std::unique_ptr<Prompter> m_prompter;
    std::function<QString()> m_layoutName;
    TScan *m_capture;
    QLabel *m_summary;
    QPushButton *bSave;
    QPushButton *bClear;
    QString m_lastReportPath;
    bool m_placed = false;
};
