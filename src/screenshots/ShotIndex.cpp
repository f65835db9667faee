#include "screenshots/ShotIndex.h"

#include "mainwindow/RomListModel.h"
#include "platform/PathHelpers.h"
#include "screenshots/PictureLookup.h"

namespace {

bool isShotName(const QString &name)
{
    return name.endsWith(u".bmp", Qt::CaseInsensitive) || name.endsWith(u".jpg", Qt::CaseInsensitive);
}

} // namespace

ShotIndex ShotIndex::of(const QString &baseFolder)
{
    ShotIndex index;
    index.m_folder = PictureLookup::shotsFolder(baseFolder);
    // One pass over the folder, as the ROM list reads its own.
    const QStringList names = RomListModel::fileNames(index.m_folder);
    for (const QString &name : names) {
        if (!isShotName(name))
            continue;
        const QString folded = name.toCaseFolded();
        if (index.m_first.contains(folded))
            index.m_others.insert(folded, name);
        else
            index.m_first.insert(folded, name);
    }
    return index;
}

QString ShotIndex::find(const QString &name) const
{
    const QString folded = name.toCaseFolded();
    const auto first = m_first.constFind(folded);
    if (first == m_first.constEnd())
        return {};
    if (*first != name) {
        for (auto it = m_others.constFind(folded); it != m_others.constEnd() && it.key() == folded; ++it) {
            if (*it == name)
                return *it;
        }
    }
    return *first;
}

QStringList ShotIndex::shotsFor(const QString &romPath) const
{
    QStringList shots;
    const QString stem = stemOf(romPath);
    for (const char *extension : {".bmp", ".jpg"}) {
        const QString name = find(stem + QLatin1String(extension));
        if (!name.isEmpty())
            shots.append(m_folder + u'/' + name);
    }
    return shots;
}
