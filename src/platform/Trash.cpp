#include "platform/Trash.h"

#include "platform/FileRename.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

class DesktopTrash : public Trash
{
public:
    bool moveToTrash(const QString &path) override
    {
        // The trash lives in the user's data folder, which a fresh account may not have yet.
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (!data.isEmpty() && !QFileInfo::exists(data))
            QDir().mkpath(data);
        QString inTrash;
        if (!QFile::moveToTrash(path, &inTrash))
            return false;
        if (!QDir::isRelativePath(inTrash))
            return true;
        // Some Qt versions, finding no trash, make "files" and "info" in the current folder (which is the ROM
        // folder here) and move the file there. That is no trash: the file goes back and the folders go.
        const QFileInfo moved(QFileInfo(inTrash).absoluteFilePath());
        const QString files = moved.absolutePath();
        const QString info = QFileInfo(files).absolutePath() + QStringLiteral("/info");
        if (FileRename::renameWithoutReplacing(moved.filePath(), path)) {
            QFile::remove(info + u'/' + moved.fileName() + QStringLiteral(".trashinfo"));
            QDir().rmdir(files);
            QDir().rmdir(info);
        }
        return false;
    }
};

DesktopTrash g_desktop;
Trash *g_trash = nullptr;

} // namespace

Trash &desktopTrash()
{
    return g_desktop;
}

Trash &trash()
{
    return g_trash ? *g_trash : g_desktop;
}

void setTrash(Trash *trash)
{
    g_trash = trash;
}
