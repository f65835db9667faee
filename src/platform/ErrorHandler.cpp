#include "platform/ErrorHandler.h"

#include "platform/Messages.h"

#include <QCoreApplication>

namespace {

std::function<void(int)> g_runEnd;
bool g_showing = false;

} // namespace

void reportError(const CartlingError &error)
{
    if (dynamic_cast<const FatalError *>(&error)) {
        endRun(error.text());
        return;
    }
    messages().error(error.text());
}

void endRun(const QString &text)
{
    // The message box runs events: the start-up check and a failed background load may both get here. Once it
    // is closed the run ends before another event comes.
    if (g_showing)
        return;
    g_showing = true;
    messages().error(text);
    g_showing = false;
    if (g_runEnd)
        g_runEnd(1);
    else
        QCoreApplication::exit(1);
}

void setRunEnd(std::function<void(int status)> end)
{
    g_runEnd = std::move(end);
}
