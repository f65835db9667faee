#pragma once

#include "platform/Progress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

// The progress of one long operation on the GUI thread: a window showing files done of files in all, with a
// button that cancels, which appears only when the work has taken about half a second. While the work runs,
// the window system's events are handled between files, so the program keeps drawing, but no other window of
// the program takes clicks or keys.
class ProgressWindow
{
public:
    ProgressWindow(QWidget *parent, const QString &caption);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow &) = delete;
    ProgressWindow &operator=(const ProgressWindow &) = delete;

    // The callback to hand to the operation.
    Progress progress();
    bool cancelled() const;

private:
    bool report(int done, int total);

    static constexpr int ShowAfterMs = 500;

    QPointer<QProgressDialog> m_dialog;
    QElapsedTimer m_clock;
};
