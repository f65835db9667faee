#include "archive/RomUnpacker.h"

#include "archive/ExtractionFolder.h"
#include "language/MessageTable.h"
#include "language/SafetyTexts.h"
#include "platform/FileAttributes.h"
#include "platform/FileCopy.h"
#include "platform/Messages.h"
#include "platform/PathHelpers.h"
#include "platform/Trash.h"

#include <QDir>
#include <QFileInfo>

namespace RomUnpacker {

QString targetFolderFor(const QString &archive)
{
    return parentFolderOf(archive);
}

Outcome unpackSelected(const QString &archive, const QString &target, const Progress &progress)
{
    ExtractionFolder folder;
    if (!folder.extract(archive, progress))
        return Outcome::Cancelled;
    const QStringList roms = folder.roms();
    const QString name = fileNameOf(archive);
    const MessageTable &table = messageTable();
    if (roms.isEmpty()) {
        showMessage(table.text(Msg::ExtractNoRomStart, name, Msg::ExtractNoRomEnd));
    } else if (roms.size() > 1) {
        showMessage(table.text(Msg::ExtractManyRomsStart) + name + table.text(Msg::ExtractManyRomsMiddle) +
                    QString::number(roms.size()) + table.text(Msg::ExtractManyRomsEnd));
    }
    QStringList failed;
    QStringList kept;
    for (const QString &rom : roms) {
        const QString copy = target + u'/' + rom;
        FileAttributes::makePlainArchive(copy);
        // The file replaced goes to the trash first, so unpacking over the wrong ROM costs nothing; one that
        // cannot go there stays.
        bool trashRefused = false;
        const auto trashReplaced = [&copy, &trashRefused] {
            const QFileInfo existing(copy);
            // A folder of that name is no ROM to keep: the copy is refused there as before.
            trashRefused = (existing.isFile() || existing.isSymLink()) && !trash().moveToTrash(copy);
            return !trashRefused;
        };
        if (FileCopy::replace(folder.file(rom), copy, trashReplaced))
            continue;
        (trashRefused ? kept : failed).append(QDir::toNativeSeparators(copy));
    }
    // Said out loud, or the user looks for ROMs that never arrived (a folder that cannot be written, a full disk).
    for (const QString &copy : failed)
        messages().error(QStringLiteral("Unable to write to %1").arg(copy));
    for (const QString &copy : kept)
        messages().error(messageTable().text(SafetyText::ReplacedNotTrashed).arg(copy));
    return Outcome::Done;
}

bool withSingleRom(const QString &archive, const SingleRomMessages &texts,
                   const std::function<void(const QString &romPath)> &use)
{
    ExtractionFolder folder;
    folder.extract(archive);
    const QStringList roms = folder.roms();
    const QString name = fileNameOf(archive);
    if (roms.isEmpty()) {
        showMessage(messageTable().text(texts.noRomStart, name, texts.noRomEnd));
        return false;
    }
    if (roms.size() > 1) {
        showMessage(messageTable().text(texts.severalRomsStart, name, texts.severalRomsEnd));
        return false;
    }
    use(folder.file(roms.first()));
    return true;
}

} // namespace RomUnpacker
