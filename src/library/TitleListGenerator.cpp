#include "library/TitleListGenerator.h"

#include "language/MessageTable.h"
#include "library/RomTitle.h"
#include "library/TitleLists.h"
#include "platform/FileAttributes.h"
#include "platform/Messages.h"
#include "platform/PathHelpers.h"
#include "platform/Places.h"
#include "settings/DataIniFile.h"

#include <optional>

TitleListGenerator::TitleListGenerator(QString listFile, bool replaceTitles, Progress progress)
    : m_listFile(std::move(listFile)), m_replaceTitles(replaceTitles), m_progress(std::move(progress))
{
}

TitleListGenerator::Result TitleListGenerator::generate(const QStringList &files)
{
    Places::ensureExtractionFolder();
    DataIniFile list(m_listFile);
    Result result;
    if (files.isEmpty()) {
        showMessage(messageTable().text(Msg::NoGamesForList));
        list.updateFile();
        return result;
    }

    // A file that cannot be read ends the run, but the titles gathered before it are kept.
    TitleLists::SkippedFiles skipped;
    CartridgeTitleReader reader;
    list.reserve(files.size());
    const bool finished = TitleLists::runOverFiles(list, int(files.size()), m_progress, [&](int index) {
        const QString &path = files[index];
        if (skipped.skip(path))
            return;
        const QStringView stem = stemView(path);
        if (!isArchive(path)) {
            // The reader gives the file the plain archive attribute itself; a file left unread gets it here.
            if (m_replaceTitles || !list.sectionExists(stem)) {
                list.writeString(stem, TitleLists::TitleKey, reader.readView(path));
                ++result.stored;
            } else {
                FileAttributes::makePlainArchive(path);
            }
            return;
        }
        // An archive is looked into even when its entry exists, as its messages belong to the run.
        std::optional<QString> title = TitleLists::titleOf(path, TitleLists::listMessages);
        if (title && (m_replaceTitles || !list.sectionExists(stem))) {
            list.writeString(stem, TitleLists::TitleKey, *title);
            ++result.stored;
        }
    });
    result.cancelled = !finished;
    result.skipped = skipped.count();
    if (!result.cancelled) {
        showMessage(messageTable().text(Msg::ListGenerated));
        skipped.report();
    }
    return result;
}
