#include "platform/ErrorHandler.h"

#include "platform/Messages.h"

#include <QCoreApplication>

namespace {

std::function<void(int)> g_runEnd;
bool g_ending = false;

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
    // The message box runs events: the start-up check and a failed background load may both get here.
    if (g_ending)
        return;
    g_ending = true;
    messages().error(text);
    if (g_runEnd)
        g_runEnd(1);
    else
        QCoreApplication::exit(1);
}

void setRunEnd(std::function<void(int status)> end)
{
    g_runEnd = std::move(end);
    g_ending = false;
}
