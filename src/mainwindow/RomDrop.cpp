#include "mainwindow/RomDrop.h"

#include "language/MessageTable.h"
#include "library/FileOperations.h"
#include "mainwindow/FirstStartText.h"
#include "mainwindow/RomListModel.h"
#include "mainwindow/Views.h"
#include "platform/FileCopy.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace RomDrop {

namespace {

// A message box must fit on the screen: the first names of a long list, then how many more.
constexpr qsizetype NamesShown = 10;

bool isGame(const QString &name)
{
    const QStringList patterns = QString::fromLatin1(kAllRomsMask).split(u';');
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const QString &pattern) { return RomListModel::matches(pattern, name); });
}

QString section(int heading, const QStringList &names)
{
    QStringList lines{messageTable().text(heading)};
    lines += names.mid(0, NamesShown);
    if (names.size() > NamesShown)
        lines.append(QStringLiteral("\u2026 (+%1)").arg(names.size() - NamesShown));
    return lines.join(u'\n');
}

} // namespace

Sorted sort(const QList<QUrl> &urls)
{
    Sorted sorted;
    QStringList folders;
    for (const QUrl &url : urls) {
        if (!url.isLocalFile()) {
            sorted.refused.append(url.toDisplayString());
            continue;
        }
        const QString path = QDir::cleanPath(url.toLocalFile());
        const QFileInfo info(path);
        if (info.isDir())
            folders.append(path);
        else if (isGame(info.fileName()))
            sorted.games.append(path);
        else
            sorted.refused.append(QDir::toNativeSeparators(path));
    }
    // A folder is a choice of the ROM folder only when it comes alone; beside anything else it is refused.
    if (folders.size() == 1 && sorted.games.isEmpty() && sorted.refused.isEmpty()) {
        sorted.folder = folders.constFirst();
    } else {
        for (const QString &folder : folders)
            sorted.refused.append(QDir::toNativeSeparators(folder));
    }
    return sorted;
}

Copied copyInto(const QStringList &games, const QString &folder, const Progress &progress)
{
    Copied result;
    result.total = int(games.size());
    const FileOperations::FolderNames names(folder);
    QSet<QString> copiedNow; // case-folded
    for (int i = 0; i < result.total; ++i) {
        if (!goOn(progress, i, result.total)) {
            result.cancelled = true;
            return result;
        }
        const QString name = QFileInfo(games[i]).fileName();
        const QString folded = name.toCaseFolded();
        if (names.takenByAnother(name, QString()) || copiedNow.contains(folded)) {
            result.taken.append(name);
        } else if (FileCopy::copyWithoutReplacing(games[i], QDir(folder).filePath(name))) {
            result.copied.append(name);
            copiedNow.insert(folded);
        } else {
            result.failed.append(QDir::toNativeSeparators(games[i]));
        }
    }
    goOn(progress, result.total, result.total);
    return result;
}

QString closingMessage(const Copied &copied, const QStringList &refused)
{
    QStringList parts;
    if (copied.cancelled)
        parts.append(messageTable().text(FirstStartText::CopyCancelled).arg(copied.copied.size()).arg(copied.total));
    if (!copied.taken.isEmpty())
        parts.append(section(FirstStartText::NamesTaken, copied.taken));
    if (!copied.failed.isEmpty())
        parts.append(section(FirstStartText::CopyFailed, copied.failed));
    if (!refused.isEmpty())
        parts.append(section(FirstStartText::NotGames, refused));
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace RomDrop
