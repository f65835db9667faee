#include "library/FileOperations.h"

#include "platform/FileRename.h"
#include "platform/PathHelpers.h"

#include <QDirIterator>
#include <algorithm>

namespace FileOperations {

bool isRefusedName(const QString &name)
{
    return name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') || name.contains(u'\\') ||
           name.contains(QChar(0));
}

FolderNames::FolderNames(const QString &folder)
{
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        ++m_folded[it.fileName().toCaseFolded()];
    }
}

bool FolderNames::takenByAnother(const QString &name, const QString &self) const
{
    const QString folded = name.toCaseFolded();
    const int holders = m_folded.value(folded);
    // The file itself may hold the name already in another case.
    return holders > (self.toCaseFolded() == folded ? 1 : 0);
}

void FolderNames::renamed(const QString &from, const QString &to)
{
    const QString folded = from.toCaseFolded();
    if (--m_folded[folded] <= 0)
        m_folded.remove(folded);
    ++m_folded[to.toCaseFolded()];
}

bool renameInFolder(const QString &path, const QString &newName, FolderNames &names)
{
    const QString name = fileNameOf(path);
    if (isRefusedName(newName) || names.takenByAnother(newName, name))
        return false;
    if (newName == name)
        return true;
    if (!FileRename::renameWithoutReplacing(path, folderOf(path) + newName))
        return false;
    names.renamed(name, newName);
    return true;
}

bool renameByHand(const QString &path, const QString &newName)
{
    if (newName.compare(fileNameOf(path), Qt::CaseInsensitive) == 0)
        return false;
    FolderNames names(folderOf(path));
    return renameInFolder(path, newName, names);
}

QString titledName(const QString &title, const QString &path)
{
    return title + u'.' + extensionOf(path);
}

bool isUsableTitle(const QString &title)
{
    // Refused in file names on Windows: a copy of the collection there could not open the file.
    static const QString refusedOnWindows = QStringLiteral(":*?\"<>|");
    if (title == u"." || title == u".." || title.contains(u'/') || title.contains(u'\\'))
        return false;
    return std::none_of(title.begin(), title.end(),
                        [](QChar c) { return c.unicode() < 0x20 || refusedOnWindows.contains(c); });
}

bool isUsableForeignName(const QString &name)
{
    if (!isUsableTitle(name) || name.startsWith(u'.'))
        return false;
    // By code point: format characters beyond the first plane (language tags) come as surrogate pairs.
    const QList<uint> points = name.toUcs4();
    return std::none_of(points.begin(), points.end(), [](uint c) {
        return QChar::category(c) == QChar::Other_Control || QChar::category(c) == QChar::Other_Format;
    });
}

} // namespace FileOperations
