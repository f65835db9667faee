#include "library/GameFiles.h"

#include "emulator/MgbaCheats.h"
#include "platform/PathHelpers.h"
#include "screenshots/PictureLookup.h"
#include "settings/BaseFolder.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString folded(QStringView text)
{
    return text.toString().toCaseFolded();
}

QString cleanFolder(const QString &folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

bool isOneOf(QStringView extension, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        if (extension.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

QString GameFiles::Companion::movedTo(const QString &stem) const
{
    const QString name = fileNameOf(path);
    return folderOf(path) + stem + name.mid(stemLength);
}

QList<GameFiles::Place> GameFiles::placesNow()
{
    const QString base = BaseFolder::path();
    QList<Place> places;
    const QString saves = SettingsFile().read(Keys::Save);
    if (!saves.isEmpty())
        places.append({saves, Saves | Cheats}); // a folder that is gone holds nothing
    places.append({base + QStringLiteral("/Save"), Saves | Cheats});
    places.append({folderOf(MgbaCheats::path(base, QStringLiteral("game.gb"))), Cheats});
    places.append({PictureLookup::shotsFolder(base), Shots});
    places.append({base + QStringLiteral("/Copias"), Copies});
    return places;
}

GameFiles::GameFiles(QList<Place> places)
{
    for (Place &place : places) {
        place.folder = cleanFolder(place.folder);
        m_places.append(place);
    }
}

qsizetype GameFiles::companionStemLength(QStringView name, unsigned kinds)
{
    const qsizetype dot = lastOf(name, u'.');
    if (dot <= 0)
        return -1;
    const QStringView extension = name.sliced(dot + 1);
    if (kinds & Saves) {
        if (isOneOf(extension, {"sav", "srm", "rtc"}))
            return dot;
        // mGBA's ten state slots.
        if (extension.size() == 3 && extension.first(2).compare(QLatin1String("ss"), Qt::CaseInsensitive) == 0 &&
            extension[2] >= u'0' && extension[2] <= u'9')
            return dot;
        // RetroArch's states ".state", ".state1"…, ".state.auto", each with the picture it may keep beside it.
        static const QRegularExpression state(QStringLiteral("\\.state(\\d*|\\.auto)(\\.png)?$"),
                                              QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = state.match(name.toString());
        if (match.hasMatch() && match.capturedStart() > 0)
            return match.capturedStart();
    }
    if ((kinds & Cheats) && isOneOf(extension, {"cheats"}))
        return dot;
    if ((kinds & Shots) && isOneOf(extension, {"bmp", "jpg", "jpeg"}))
        return dot;
    return -1;
}

GameFiles::Entry GameFiles::entryOf(const QString &name)
{
    for (const unsigned kind : {Saves, Cheats, Shots}) {
        const qsizetype length = companionStemLength(name, kind);
        if (length != -1)
            return {name, length, kind};
    }
    return {name, qMax<qsizetype>(lastOf(name, u'.'), 0), 0};
}

GameFiles::Listing &GameFiles::listing(const QString &folder)
{
    const QString key = cleanFolder(folder);
    auto found = m_listings.find(key);
    if (found != m_listings.end())
        return *found;
    Listing &listing = m_listings[key];
    QDirIterator it(key, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        ++listing.folded[name.toCaseFolded()];
        const Entry entry = it.fileInfo().isDir() ? Entry{name, name.size(), Copies} : entryOf(name);
        listing.byStem[folded(QStringView(name).first(entry.stemLength))].append(entry);
    }
    return listing;
}

QString GameFiles::identity(const QString &folder)
{
    auto found = m_identities.constFind(folder);
    if (found != m_identities.constEnd())
        return *found;
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return m_identities[folder] = canonical.isEmpty() ? folder : canonical;
}

QList<GameFiles::Companion> GameFiles::of(const QString &romFolder, const QString &stem)
{
    QList<Companion> companions;
    if (stem.isEmpty())
        return companions;
    const QString key = folded(stem);
    const QString folder = cleanFolder(romFolder);
    QStringList seen{identity(folder)};
    QList<Place> places{{folder, Saves | Cheats}};
    for (const Place &place : m_places) {
        // The same folder reached by two names (the Save folder set to the ROM folder, a link) is looked at once.
        const QString same = identity(place.folder);
        if (!seen.contains(same)) {
            seen.append(same);
            places.append(place);
        }
    }
    for (const Place &place : places) {
        for (const Entry &entry : listing(place.folder).byStem.value(key)) {
            if (entry.kind & place.kinds)
                companions.append({place.folder + u'/' + entry.name, entry.stemLength});
        }
    }
    return companions;
}

int GameFiles::gameFilesWithStem(const QString &folder, const QString &stem)
{
    int count = 0;
    for (const Entry &entry : listing(folder).byStem.value(folded(stem))) {
        if (!(entry.kind & (Saves | Cheats | Copies)))
            ++count;
    }
    return count;
}

bool GameFiles::isTaken(const QString &path, const QString &self)
{
    const QString name = folded(fileNameOf(path));
    const int holders = listing(folderOf(path)).folded.value(name);
    return holders > (!self.isEmpty() && folded(self) == name ? 1 : 0);
}

void GameFiles::noteRenamed(const QString &from, const QString &to)
{
    const auto found = m_listings.find(cleanFolder(folderOf(from)));
    if (found == m_listings.end())
        return;
    Listing &listing = *found;
    const QString oldName = fileNameOf(from);
    const QString oldFolded = oldName.toCaseFolded();
    if (--listing.folded[oldFolded] <= 0)
        listing.folded.remove(oldFolded);
    // A folder (a game's copies) is its stem whole.
    const bool folder = QFileInfo(to).isDir();
    const Entry old = folder ? Entry{oldName, oldName.size(), Copies} : entryOf(oldName);
    auto &entries = listing.byStem[folded(QStringView(oldName).first(old.stemLength))];
    entries.removeIf([&oldName](const Entry &entry) { return entry.name == oldName; });
    const QString newName = fileNameOf(to);
    ++listing.folded[newName.toCaseFolded()];
    const Entry entry = folder ? Entry{newName, newName.size(), Copies} : entryOf(newName);
    listing.byStem[folded(QStringView(newName).first(entry.stemLength))].append(entry);
}
