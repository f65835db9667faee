#include "platform/ProgressWindow.h"

#include <QApplication>
#include <QProgressDialog>

#include <limits>

ProgressWindow::ProgressWindow(QWidget *parent, const QString &caption)
    : m_dialog(new QProgressDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint))
{
    m_dialog->setObjectName(QStringLiteral("ProgressWindow"));
    m_dialog->setWindowTitle(caption);
    // Modal to the whole program: a window of its own (the codes dialog) could otherwise write a data file that
    // the work then overwrites with its copy at the end.
    m_dialog->setWindowModality(Qt::ApplicationModal);
    // The window is shown here, after half a second of work, not on Qt's guess of how long the work will take.
    m_dialog->setMinimumDuration(std::numeric_limits<int>::max());
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumWidth(320);
    m_dialog->setCancelButtonText(QStringLiteral("Cancelar"));
}

ProgressWindow::~ProgressWindow()
{
    delete m_dialog.data();
}

Progress ProgressWindow::progress()
{
    return [this](int done, int total) { return report(done, total); };
}

bool ProgressWindow::cancelled() const
{
    return m_dialog && m_dialog->wasCanceled();
}

bool ProgressWindow::report(int done, int total)
{
    if (!m_dialog)
        return true;
    // The work starts with its first report (a name prompt before it does not count).
    if (!m_clock.isValid())
        m_clock.start();
    if (m_dialog->maximum() != total)
        m_dialog->setMaximum(total);
    m_dialog->setLabelText(QStringLiteral("%1 / %2").arg(done).arg(total));
    m_dialog->setValue(done);
    // Work that is done leaves the screen to its closing messages.
    if (done >= total)
        m_dialog->hide();
    else if (!m_dialog->isVisible() && m_clock.elapsed() >= ShowAfterMs)
        m_dialog->show();
    // Until the window is up (it then blocks every other window), clicks and keys wait: a second operation must
    // not start inside this one.
    QApplication::processEvents(m_dialog->isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    return !m_dialog->wasCanceled();
}
