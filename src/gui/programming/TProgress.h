// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <optional>

class QLabel;
struct ProgramProfile;
struct RunEvent;

// The small window that shows which packet a programming run is at. It has no close button: a
// run cannot be cancelled, and it hides itself when the run ends.
class TProgress : public QWidget
{
    Q_OBJECT
public:
    explicit TProgress(const ProgramProfile &profile, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    // Visible, in front, centred on the screen, with an empty label.
    void showEmpty();
    // Shows what a run reports: appears when it begins, says which packet it is at, goes
    // when it ends. The label's new text, when it changed.
    std::optional<QString> showRunEvent(const RunEvent &event);

private:
    QLabel *m_label;
};
