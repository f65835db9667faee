#include "archive/RomPacker.h"

#include "archive/ZipLibrary.h"
#include "platform/FileAttributes.h"
#include "platform/Messages.h"
#include "platform/PathHelpers.h"
#include "platform/Places.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

RomPacker::RomPacker(QString romFolder, CompressionOptions options, NamePrompt askName, Progress progress)
    : m_romFolder(std::move(romFolder)), m_options(std::move(options)), m_askName(std::move(askName)),
      m_progress(std::move(progress))
{
}

RomPacker::Result RomPacker::pack(const Selection &selection)
{
    // The extraction folder is made ready by every archive operation; packing does not need it, so a folder
    // that cannot be made does not stop it.
    Places::ensureExtractionFolder();
    const QString root = m_romFolder.endsWith(u'/') ? m_romFolder : m_romFolder + u'/';

    Result result;
    if (selection.romPath.isEmpty() || isArchive(selection.romPath))
        return result;
    QString name = selection.stem;
    if (m_options.askName) {
        const std::optional<QString> answer = m_askName ? m_askName() : std::nullopt;
        if (!answer || answer->isEmpty())
            return result;
        name = *answer;
    }

    setZipOptions({root, m_options.junkDirectoryNames, m_options.level});
    FileAttributes::makePlainArchive(selection.romPath);
    result.archive = root + name + QStringLiteral(".zip");

    // A link counts as an existing file even when it points nowhere: it is not replaced either.
    const QFileInfo existing(result.archive);
    if (existing.exists() || existing.isSymLink()) {
        result.outcome = Outcome::NotPacked;
        return result;
    }
    bool cancelled = false;
    const Progress progress = m_progress ? Progress([&](int done, int total) {
        cancelled = !m_progress(done, total);
        return !cancelled;
    })
                                         : Progress();
    if (zipFiles(result.archive, selection.files, progress) == 0) {
        result.outcome = cancelled ? Outcome::Cancelled : Outcome::NotPacked;
        // Without a word the user would take the ROM for packed (a name a file may not hold, a full disk).
        if (!cancelled)
            messages().error(QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(result.archive)));
        return result;
    }
    result.outcome = Outcome::Packed;

    // Deleting is the one step that can lose a game: it waits until the new archive is known to hold the ROM.
    if (m_options.deleteRom && archiveHolds(result.archive, selection.romPath)) {
        FileAttributes::makePlainArchive(selection.romPath);
        result.romDeleted = QFile::remove(selection.romPath);
    }
    return result;
}
