#include "platform/PathHelpers.h"

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString parentFolderOf(const QString &path)
{
    const qsizetype last = path.lastIndexOf(u'/');
    if (last <= 0)
        return {};
    const qsizetype secondLast = path.lastIndexOf(u'/', last - 1);
    return secondLast < 0 ? QString() : path.left(secondLast);
}

QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString extensionOf(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype slash = path.lastIndexOf(u'/');
    if (dot < 0 || slash > dot)
        return fileNameOf(path);
    return path.mid(dot + 1);
}

QString stemOf(const QString &path)
{
    const QStringView name = fileNameView(path);
    const qsizetype dot = lastOf(name, u'.');
    return dot < 0 ? QString() : name.first(dot).toString();
}

QString zipTag(const QString &extension)
{
    QString tag = extension.left(3);
    for (QChar &c : tag) {
        if (c == u'Z' || c == u'I' || c == u'P')
            c = c.toLower();
    }
    return tag;
}

bool isArchive(const QString &path)
{
    // zipTag(extensionOf(path)) == "zip", looked at in place: this runs for every file of a run.
    const qsizetype dot = lastOf(path, u'.');
    const qsizetype slash = lastOf(path, u'/');
    const QStringView extension = QStringView(path).sliced(dot < 0 || slash > dot ? slash + 1 : dot + 1);
    const auto is = [](QChar c, char16_t lower) { return c == lower || c == QChar(lower - 0x20); };
    return extension.size() >= 3 && is(extension[0], u'z') && is(extension[1], u'i') && is(extension[2], u'p');
}
