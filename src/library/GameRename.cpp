#include "library/GameRename.h"

#include "language/MessageTable.h"
#include "library/RenameText.h"
#include "library/TitleLists.h"
#include "platform/ErrorHandler.h"
#include "platform/FileRename.h"
#include "platform/PathHelpers.h"
#include "settings/DataIniFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <optional>

namespace {

QString stays(const QString &file, const QString &target)
{
    return messageTable()
        .text(RenameText::CompanionStays)
        .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(fileNameOf(target)));
}

// Moves the entries of one list, read and written once; false for every stem when the list cannot be written.
void moveInList(const QString &file, QList<StemMove> &stems, bool StemMove::*flag, bool back,
                std::optional<CartlingError> &firstError)
{
    if (std::none_of(stems.begin(), stems.end(), [flag](const StemMove &stem) { return stem.*flag; }))
        return;
    try {
        DataIniFile list(file);
        for (StemMove &stem : stems) {
            if (stem.*flag)
                stem.*flag = back ? list.moveSection(stem.to, stem.from) : list.moveSection(stem.from, stem.to);
        }
        list.updateFile();
    } catch (const CartlingError &error) {
        for (StemMove &stem : stems)
            stem.*flag = false;
        if (!firstError)
            firstError = error;
    }
}

} // namespace

GameRename::GameRename(Lists lists, QList<GameFiles::Place> places) : m_lists(lists), m_files(std::move(places)) {}

GameRename::~GameRename() = default;

DataIniFile &GameRename::list(std::unique_ptr<DataIniFile> &slot, const QString &file)
{
    if (!slot)
        slot = std::make_unique<DataIniFile>(file);
    return *slot;
}

StemMove GameRename::plan(const QString &romFolder, const QString &from, const QString &to)
{
    StemMove stem;
    stem.from = from;
    stem.to = to;
    if (m_lists == Lists::TitlesAndRecords) {
        const DataIniFile &titles = list(m_titles, TitleLists::titlesFile());
        const DataIniFile &internalNames = list(m_internalNames, TitleLists::internalNamesFile());
        stem.titles = titles.sectionExists(from) && !titles.sectionExists(to);
        stem.internalNames = internalNames.sectionExists(from) && !internalNames.sectionExists(to);
    }
    const auto &records = m_records.all();
    stem.records = records.contains(PlayRecords::key(from)) && !records.contains(PlayRecords::key(to));
    for (const GameFiles::Companion &companion : m_files.of(romFolder, from)) {
        // The stem's files outside the ROM's folder go along once, for the first folder that moves it.
        if (m_planned.contains(companion.path))
            continue;
        m_planned.insert(companion.path);
        const QString target = companion.movedTo(to);
        // After a change of case only, a file that bears the new stem already stays as it is.
        if (target == companion.path)
            continue;
        const QString claim = target.toCaseFolded();
        if (m_files.isTaken(target, fileNameOf(companion.path)) || m_claimed.contains(claim)) {
            m_notes.append(stays(companion.path, target));
            continue;
        }
        m_claimed.insert(claim);
        stem.companions.append({companion.path, target, false});
    }
    return stem;
}

void GameRename::moveCompanions(StemMove &stem, bool back)
{
    for (FileMove &move : stem.companions) {
        const QString &from = back ? move.to : move.from;
        const QString &to = back ? move.from : move.to;
        // Going back, the disk tells what a killed run did not write down: a companion not found under its new
        // name never moved.
        if (back && !QFileInfo::exists(from))
            continue;
        move.done = FileRename::renameWithoutReplacing(from, to);
        if (move.done)
            m_files.noteRenamed(from, to);
        else
            m_notes.append(stays(from, to));
    }
}

void GameRename::moveEntries(QList<StemMove> &stems, bool back)
{
    std::optional<CartlingError> firstError;
    moveInList(TitleLists::titlesFile(), stems, &StemMove::titles, back, firstError);
    moveInList(TitleLists::internalNamesFile(), stems, &StemMove::internalNames, back, firstError);
    QList<std::pair<QString, QString>> records;
    QList<StemMove *> withRecords;
    for (StemMove &stem : stems) {
        if (stem.records) {
            records.append(back ? std::pair{stem.to, stem.from} : std::pair{stem.from, stem.to});
            withRecords.append(&stem);
        }
    }
    try {
        const QList<bool> moved = m_records.moveRecords(records);
        for (qsizetype i = 0; i < withRecords.size(); ++i)
            withRecords[i]->records = moved[i];
    } catch (const CartlingError &error) {
        for (StemMove *stem : withRecords)
            stem->records = false;
        if (!firstError)
            firstError = error;
    }
    if (firstError)
        throw *firstError;
}

void GameRename::follow(const QString &oldPath, const QString &newPath)
{
    const QString from = stemOf(oldPath);
    const QString to = stemOf(newPath);
    if (from.isEmpty() || to.isEmpty() || from == to)
        return;
    const QString folder = folderOf(oldPath);
    m_files.noteRenamed(oldPath, newPath);
    // The renamed file itself bears the old stem still when only the case changed.
    const int others = m_files.gameFilesWithStem(folder, from) - (from.compare(to, Qt::CaseInsensitive) == 0 ? 1 : 0);
    if (others > 0)
        return;
    QList<StemMove> stems{plan(folder, from, to)};
    moveCompanions(stems.first(), false);
    try {
        moveEntries(stems, false);
    } catch (const CartlingError &error) {
        m_notes.append(error.text());
    }
}
