#pragma once

#include <QWidget>

class QLabel;
struct ProgramProfile;

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

private:
    QLabel *m_label;
};
