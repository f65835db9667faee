#include "platform/FileLookup.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace FileLookup {

QString find(const QString &folder, const QString &name)
{
    const QString exact = QDir(folder).filePath(name);
    if (QFileInfo(exact).isFile())
        return exact;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        if (it.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return it.filePath();
    }
    return {};
}

} // namespace FileLookup
