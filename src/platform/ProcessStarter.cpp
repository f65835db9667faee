#include "platform/ProcessStarter.h"

#include <QProcess>

namespace {

class DetachedStarter : public ProcessStarter
{
public:
    bool start(const QString &program, const QStringList &arguments, const QString &workingFolder) override
    {
        return QProcess::startDetached(program, arguments, workingFolder);
    }
};

DetachedStarter g_detached;
ProcessStarter *g_starter = nullptr;

} // namespace

ProcessStarter &processStarter()
{
    return g_starter ? *g_starter : g_detached;
}

void setProcessStarter(ProcessStarter *starter)
{
    g_starter = starter;
}
