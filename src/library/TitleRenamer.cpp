#include "library/TitleRenamer.h"

#include "language/MessageTable.h"
#include "library/GameRename.h"
#include "library/TitleLists.h"
#include "platform/FileAttributes.h"
#include "platform/Messages.h"
#include "platform/PathHelpers.h"
#include "settings/DataIniFile.h"

#include <optional>

TitleRenamer::TitleRenamer(Steps steps, Progress progress) : m_steps(std::move(steps)), m_progress(std::move(progress))
{
}

bool TitleRenamer::renameToTitle(const QString &path, const QString &title, FileOperations::FolderNames &names,
                                 GameRename &rename) const
{
    FileAttributes::makePlainArchive(path);
    if (title.isEmpty()) {
        showMessage(messageTable().text(Msg::TitleNotFound));
        return false;
    }
    if (!FileOperations::isUsableTitle(title))
        return false;
    const QString newName = FileOperations::titledName(title, path);
    if (!FileOperations::renameInFolder(path, newName, names))
        return false;
    rename.follow(path, folderOf(path) + newName);
    return true;
}

void TitleRenamer::reportLeftBehind(const GameRename &rename)
{
    if (!rename.notes().isEmpty())
        showMessage(rename.notes().join(u'\n'));
}

bool TitleRenamer::renameSelected(const QString &path, const QString &currentStem)
{
    QString title;
    {
        DataIniFile titles(TitleLists::titlesFile());
        if (!titles.sectionExists(currentStem)) {
            const TitleExtraction::Shown shown = TitleExtraction::storeTitleOf(titles, path, currentStem);
            titles.updateFile();
            if (m_steps.showExtracted)
                m_steps.showExtracted(shown);
        }
        title = titles.readString(currentStem, TitleLists::TitleKey, QString());
    }
    FileOperations::FolderNames names(folderOf(path));
    GameRename rename(GameRename::Lists::Records);
    const bool renamed = renameToTitle(path, title, names, rename);
    reportLeftBehind(rename);
    return renamed;
}

TitleRenamer::Result TitleRenamer::renameAll(const QStringList &paths)
{
    Result result;
    if (paths.isEmpty()) {
        showMessage(messageTable().text(Msg::NoGamesToRename));
        return result;
    }
    DataIniFile titles(TitleLists::titlesFile());
    // The rows are the files of one folder, read once; renames keep it up to date.
    QString folder = folderOf(paths.first());
    std::optional<FileOperations::FolderNames> names(std::in_place, folder);
    GameRename rename(GameRename::Lists::Records);
    // A ROM that cannot be read ends the run; the titles extracted before it are kept.
    TitleLists::SkippedFiles skipped;
    const bool finished = TitleLists::runOverFiles(titles, int(paths.size()), m_progress, [&](int index) {
        const QString &path = paths[index];
        if (skipped.skip(path))
            return;
        const QString stem = stemOf(path);
        if (m_steps.setCurrentStem)
            m_steps.setCurrentStem(stem);
        if (!titles.sectionExists(stem)) {
            const TitleExtraction::Shown shown = TitleExtraction::storeTitleOf(titles, path, stem);
            if (m_steps.showExtracted)
                m_steps.showExtracted(shown);
        }
        if (folderOf(path) != folder) {
            folder = folderOf(path);
            names.emplace(folder);
        }
        if (renameToTitle(path, titles.readString(stem, TitleLists::TitleKey, QString()), *names, rename))
            ++result.renamed;
    });
    result.cancelled = !finished;
    result.skipped = skipped.count();
    if (!result.cancelled) {
        showMessage(messageTable().text(Msg::NamesChanged));
        reportLeftBehind(rename);
        skipped.report();
    }
    return result;
}
