#include "collection/DatRenamer.h"

#include "collection/DumpCheck.h"
#include "library/FileOperations.h"
#include "library/TitleLists.h"
#include "platform/ErrorHandler.h"
#include "platform/FileRename.h"
#include "platform/PathHelpers.h"
#include "screenshots/PictureLookup.h"
#include "settings/BaseFolder.h"
#include "settings/DataIniFile.h"

#include <QDir>
#include <QHash>
#include <QSet>

#include <map>
#include <memory>

namespace {

QString folded(const QString &text)
{
    return text.toCaseFolded();
}

// The folder listings of one run, each read once and kept up to date by the renames.
class Folders
{
public:
    FileOperations::FolderNames &names(const QString &folder)
    {
        auto &slot = m_names[folder];
        if (!slot)
            slot = std::make_unique<FileOperations::FolderNames>(folder);
        return *slot;
    }

private:
    std::map<QString, std::unique_ptr<FileOperations::FolderNames>> m_names;
};

bool renameBack(const RenameLog::Move &move, Folders &folders)
{
    return FileOperations::renameInFolder(move.to, fileNameOf(move.from), folders.names(folderOf(move.to)));
}

bool isPicture(const QString &name)
{
    const QString extension = extensionOf(name).toLower();
    return extension == u"bmp" || extension == u"jpg" || extension == u"jpeg";
}

// The shots filed under `from` and where they go under `to`; only those whose new name is free.
QList<RenameLog::Move> shotMoves(const QString &shots, const QStringList &pictures, const QString &from,
                                 const QString &to, QSet<QString> &claimed)
{
    QList<RenameLog::Move> moves;
    for (const QString &picture : pictures) {
        if (folded(stemOf(picture)) != folded(from) || !isPicture(picture))
            continue;
        const QString target = to + u'.' + extensionOf(picture);
        if (claimed.contains(folded(target)))
            continue;
        claimed.insert(folded(target));
        moves.append({shots + u'/' + picture, shots + u'/' + target, false});
    }
    return moves;
}

// The section of the old stem under the new one, when the new one has none.
bool moveSection(DataIniFile &list, const QString &from, const QString &to)
{
    if (!list.sectionExists(from) || list.sectionExists(to))
        return false;
    for (const QString &key : list.readSection(from)) {
        if (!key.isEmpty())
            list.writeString(to, key, list.readString(from, key, QString()));
    }
    list.eraseSection(from);
    return true;
}

// Which stems change with the renames, with what goes along: a stem only when every file of its folder that
// bears it gets the same new stem, since the entries and shots belong to all of them.
QList<RenameLog::StemMove> stemMoves(const QList<RenameLog::Move> &renames)
{
    QHash<QString, QHash<QString, int>> stemsInFolder; // folder -> folded stem -> files
    QHash<QString, QString> newStemOf;                 // folder + folded old stem -> new stem, or "" when split
    QHash<QString, int> renamedWithStem;
    QList<QString> order;
    for (const RenameLog::Move &move : renames) {
        const QString folder = folderOf(move.from);
        if (!stemsInFolder.contains(folder)) {
            auto &counts = stemsInFolder[folder];
            for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
                ++counts[folded(stemOf(name))];
        }
        const QString oldStem = stemOf(move.from);
        const QString newStem = stemOf(move.to);
        if (oldStem.isEmpty() || folded(oldStem) == folded(newStem))
            continue;
        const QString key = folder + u'/' + folded(oldStem);
        const auto known = newStemOf.constFind(key);
        if (known == newStemOf.constEnd()) {
            newStemOf.insert(key, newStem);
            order.append(key);
        } else if (folded(*known) != folded(newStem)) {
            newStemOf[key].clear();
        }
        ++renamedWithStem[key];
    }

    DataIniFile titles(TitleLists::titlesFile());
    DataIniFile internalNames(TitleLists::internalNamesFile());
    const QString shots = PictureLookup::shotsFolder(BaseFolder::path());
    const QStringList pictures = QDir(shots).entryList(QDir::Files | QDir::Hidden | QDir::System);
    QSet<QString> claimedShots;
    for (const QString &picture : pictures)
        claimedShots.insert(folded(picture));
    QSet<QString> movedStems;
    QList<RenameLog::StemMove> moves;
    for (const QString &key : order) {
        const QString newStem = newStemOf.value(key);
        const qsizetype cut = key.lastIndexOf(u'/');
        const QString folder = key.left(cut);
        const QString oldFolded = key.mid(cut + 1);
        if (newStem.isEmpty() || renamedWithStem.value(key) != stemsInFolder[folder].value(oldFolded))
            continue;
        // The lists and shots are kept by stem alone: one move serves every folder.
        if (movedStems.contains(oldFolded))
            continue;
        movedStems.insert(oldFolded);
        QString oldStem;
        for (const RenameLog::Move &move : renames) {
            if (folded(stemOf(move.from)) == oldFolded) {
                oldStem = stemOf(move.from);
                break;
            }
        }
        RenameLog::StemMove stem{oldStem, newStem, false, false, {}, false};
        stem.titles = titles.sectionExists(oldStem) && !titles.sectionExists(newStem);
        stem.internalNames = internalNames.sectionExists(oldStem) && !internalNames.sectionExists(newStem);
        stem.shots = shotMoves(shots, pictures, oldStem, newStem, claimedShots);
        if (stem.titles || stem.internalNames || !stem.shots.isEmpty())
            moves.append(stem);
    }
    return moves;
}

// Moves the stems' list entries from one side to the other, writing each list once.
void moveSections(const QList<RenameLog::StemMove> &stems, bool back)
{
    DataIniFile titles(TitleLists::titlesFile());
    DataIniFile internalNames(TitleLists::internalNamesFile());
    for (const RenameLog::StemMove &stem : stems) {
        const QString &from = back ? stem.to : stem.from;
        const QString &to = back ? stem.from : stem.to;
        if (stem.titles)
            moveSection(titles, from, to);
        if (stem.internalNames)
            moveSection(internalNames, from, to);
    }
    titles.updateFile();
    internalNames.updateFile();
}

} // namespace

DatRenamer::Plan DatRenamer::plan(const QStringList &files, const DatCatalog &dats, const HashCache &cache)
{
    Plan plan;
    Folders folders;
    QSet<QString> claimed;
    for (const QString &path : files) {
        const auto stamp = HashCache::stampOf(path);
        if (!stamp)
            continue;
        const DumpCheck check = DumpCheck::of(cache.find(path, *stamp), dats);
        if (check.state != DumpState::Matches)
            continue;
        const QString name = fileNameOf(path);
        const QString newName = FileOperations::titledName(check.game, path);
        if (newName == name)
            continue;
        const QString target = folderOf(path) + newName;
        if (FileOperations::isRefusedName(newName) || folders.names(folderOf(path)).takenByAnother(newName, name) ||
            claimed.contains(folded(target))) {
            ++plan.skipped;
            continue;
        }
        claimed.insert(folded(target));
        plan.renames.append({path, target, false});
    }
    return plan;
}

DatRenamer::Outcome DatRenamer::apply(const Plan &plan, const Progress &progress, const QString &logFile)
{
    Outcome outcome;
    RenameLog log;
    log.files = plan.renames;
    log.stems = stemMoves(plan.renames);
    log.save(logFile);

    Folders folders;
    const int total = int(log.files.size());
    for (int i = 0; i < total; ++i) {
        if (!goOn(progress, i, total)) {
            outcome.cancelled = true;
            break;
        }
        RenameLog::Move &move = log.files[i];
        move.done = FileOperations::renameInFolder(move.from, fileNameOf(move.to), folders.names(folderOf(move.from)));
        if (move.done) {
            ++outcome.renamed;
            outcome.done.append(move);
        } else {
            ++outcome.failed;
        }
    }
    // A stem moves only when all of its files did, since the others still bear it.
    QSet<QString> stillOld;
    for (const RenameLog::Move &move : log.files) {
        if (!move.done)
            stillOld.insert(folded(stemOf(move.from)));
    }
    for (RenameLog::StemMove &stem : log.stems) {
        if (stillOld.contains(folded(stem.from))) {
            stem.titles = stem.internalNames = false;
            stem.shots.clear();
            continue;
        }
        for (RenameLog::Move &shot : stem.shots)
            shot.done = FileRename::renameWithoutReplacing(shot.from, shot.to);
    }
    try {
        moveSections(log.stems, false);
        for (RenameLog::StemMove &stem : log.stems)
            stem.done = true;
    } catch (const CartlingError &) {
        // The names stay changed: the log must say so before the error is shown.
        log.state = RenameLog::State::Done;
        log.save(logFile);
        throw;
    }
    log.state = RenameLog::State::Done;
    log.save(logFile);
    goOn(progress, total, total);
    return outcome;
}

bool DatRenamer::canUndo(const QString &logFile)
{
    try {
        const auto log = RenameLog::load(logFile);
        return log && log->state != RenameLog::State::Undone;
    } catch (const CartlingError &) {
        return false;
    }
}

std::optional<DatRenamer::Outcome> DatRenamer::undo(const Progress &progress, const QString &logFile)
{
    auto log = RenameLog::load(logFile);
    if (!log || log->state == RenameLog::State::Undone)
        return std::nullopt;
    Outcome outcome;
    Folders folders;
    const int total = int(log->files.size());
    // The disk tells what a killed run did not write down: a file found under its new name was renamed.
    for (int i = total - 1; i >= 0; --i) {
        if (!goOn(progress, total - 1 - i, total)) {
            outcome.cancelled = true;
            return outcome;
        }
        RenameLog::Move &move = log->files[i];
        if (!QFileInfo::exists(move.to))
            continue;
        if (renameBack(move, folders)) {
            ++outcome.renamed;
            outcome.done.append({move.to, move.from, true});
        } else {
            ++outcome.failed;
        }
    }
    for (const RenameLog::StemMove &stem : log->stems) {
        for (const RenameLog::Move &shot : stem.shots) {
            if (QFileInfo::exists(shot.to) && !QFileInfo::exists(shot.from))
                FileRename::renameWithoutReplacing(shot.to, shot.from);
        }
    }
    // Without an outcome the lists tell: an entry moved stands under the new stem and not under the old one.
    moveSections(log->stems, true);
    log->state = RenameLog::State::Undone;
    log->save(logFile);
    goOn(progress, total, total);
    return outcome;
}
