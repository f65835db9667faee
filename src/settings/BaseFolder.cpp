#include "settings/BaseFolder.h"

#include <QDir>

namespace {
QString g_base;
}

namespace BaseFolder {

void capture()
{
    g_base = QDir::currentPath();
}

QString path()
{
    if (g_base.isEmpty())
        capture();
    return g_base;
}

QString file(const QString &name)
{
    const QString base = path();
    return base.endsWith(u'/') ? base + name : base + u'/' + name;
}

QString settingsPath()
{
    return file(QStringLiteral("Cartling.ini"));
}

} // namespace BaseFolder
