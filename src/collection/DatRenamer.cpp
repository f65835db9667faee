#include "collection/DatRenamer.h"

#include "collection/DumpCheck.h"
#include "language/MessageTable.h"
#include "library/FileOperations.h"
#include "library/GameRename.h"
#include "library/RenameText.h"
#include "platform/ErrorHandler.h"
#include "platform/PathHelpers.h"

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

// The name as a line of the report can show it: a character that would not show, or would turn the line
// around, by its code.
QString shownName(const QString &name)
{
    QString shown;
    for (const char32_t c : name.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Control || category == QChar::Other_Format)
            shown += QStringLiteral("<U+%1>").arg(uint(c), 4, 16, QChar(u'0')).toUpper();
        else
            shown += QString::fromUcs4(&c, 1);
    }
    return shown;
}

// Which stems change with the renames, with what goes along: a stem only when every game file of its folder
// that bears it gets the same new stem, since its companions, entries and records belong to all of them.
QList<RenameLog::StemMove> stemMoves(const QList<RenameLog::Move> &renames, GameRename &rename)
{
    QHash<QString, QString> newStemOf; // folder + folded old stem -> new stem, or "" when split
    QHash<QString, QString> oldStemOf; // the same key -> the old stem as the first file bears it
    QHash<QString, int> renamedWithStem;
    QList<QString> order;
    for (const RenameLog::Move &move : renames) {
        const QString oldStem = stemOf(move.from);
        const QString newStem = stemOf(move.to);
        // A change of case counts too: an emulator looks for a save by the ROM's stem as it is.
        const QString key = folderOf(move.from) + folded(oldStem);
        const auto known = newStemOf.constFind(key);
        if (known == newStemOf.constEnd()) {
            newStemOf.insert(key, newStem);
            oldStemOf.insert(key, oldStem);
            order.append(key);
        } else if (*known != newStem) {
            newStemOf[key].clear();
        }
        ++renamedWithStem[key];
    }

    QList<RenameLog::StemMove> moves;
    for (const QString &key : order) {
        const QString newStem = newStemOf.value(key);
        const QString oldStem = oldStemOf.value(key);
        const QString folder = folderOf(key);
        if (newStem.isEmpty() || renamedWithStem.value(key) != rename.files().gameFilesWithStem(folder, oldStem))
            continue;
        // The lists, shots and save folders are kept by stem alone: the first folder's move takes them, the
        // others find nothing left there.
        RenameLog::StemMove stem = rename.plan(folder, oldStem, newStem);
        if (stem.titles || stem.internalNames || stem.records || !stem.companions.isEmpty())
            moves.append(stem);
    }
    return moves;
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
        // A DAT is a file from elsewhere: its names get the refusals of a title and more.
        if (!FileOperations::isUsableForeignName(check.game) || FileOperations::isRefusedName(newName)) {
            ++plan.skipped;
            plan.notes.append(messageTable()
                                  .text(RenameText::NameRefused)
                                  .arg(QDir::toNativeSeparators(path), shownName(check.game)));
            continue;
        }
        const QString target = folderOf(path) + newName;
        if (folders.names(folderOf(path)).takenByAnother(newName, name) || claimed.contains(folded(target))) {
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
    GameRename rename(GameRename::Lists::TitlesAndRecords);
    RenameLog log;
    log.files = plan.renames;
    log.stems = stemMoves(plan.renames, rename);
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
            stem.titles = stem.internalNames = stem.records = false;
            continue;
        }
        rename.moveCompanions(stem, false);
    }
    // The files renamed so far stay renamed whatever fails now: the log must say so, and the caller must hear
    // of them before the error.
    try {
        rename.moveEntries(log.stems, false);
    } catch (const CartlingError &error) {
        outcome.error = error.text();
    }
    log.state = RenameLog::State::Done;
    try {
        log.save(logFile);
    } catch (const CartlingError &error) {
        if (outcome.error.isEmpty())
            outcome.error = error.text();
    }
    outcome.notes = rename.notes();
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
    GameRename rename(GameRename::Lists::TitlesAndRecords);
    QSet<QString> keptNew; // the old stems of files that could not have their names back
    const int total = int(log->files.size());
    // The disk tells what a killed run did not write down: a file found under its new name was renamed.
    for (int i = total - 1; i >= 0; --i) {
        if (!goOn(progress, total - 1 - i, total)) {
            outcome.cancelled = true;
            return outcome;
        }
        RenameLog::Move &move = log->files[i];
        // A finished run knows what it renamed: a file under the new name of one it did not rename is another's.
        if (!QFileInfo::exists(move.to) || (log->state == RenameLog::State::Done && !move.done))
            continue;
        if (renameBack(move, folders)) {
            ++outcome.renamed;
            outcome.done.append({move.to, move.from, true});
        } else {
            ++outcome.failed;
            keptNew.insert(folded(stemOf(move.from)));
            rename.addNote(messageTable()
                               .text(RenameText::KeptNewName)
                               .arg(QDir::toNativeSeparators(move.to), fileNameOf(move.from)));
        }
    }
    // What belongs to a game stays with the file that still bears the new name.
    QList<RenameLog::StemMove> back;
    for (RenameLog::StemMove &stem : log->stems) {
        if (keptNew.contains(folded(stem.from)))
            continue;
        if (log->state == RenameLog::State::Done)
            stem.companions.removeIf([](const RenameLog::Move &move) { return !move.done; });
        rename.moveCompanions(stem, true);
        back.append(stem);
    }
    // Without an outcome the lists tell: an entry moved stands under the new stem and not under the old one.
    try {
        rename.moveEntries(back, true);
    } catch (const CartlingError &error) {
        outcome.error = error.text();
    }
    log->state = RenameLog::State::Undone;
    try {
        log->save(logFile);
    } catch (const CartlingError &error) {
        if (outcome.error.isEmpty())
            outcome.error = error.text();
    }
    outcome.notes = rename.notes();
    goOn(progress, total, total);
    return outcome;
}
