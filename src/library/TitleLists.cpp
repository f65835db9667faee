#include "library/TitleLists.h"

#include "language/SafetyTexts.h"
#include "library/RomTitle.h"
#include "platform/ErrorHandler.h"
#include "platform/Messages.h"
#include "platform/NameEncoding.h"
#include "platform/PathHelpers.h"
#include "settings/BaseFolder.h"
#include "settings/DataIniFile.h"
#include "settings/IniText.h"

namespace TitleLists {

QString titlesFile()
{
    return BaseFolder::file(QStringLiteral("Titulos.ini"));
}

QString internalNamesFile()
{
    return BaseFolder::file(QStringLiteral("GGCT.ini"));
}

std::optional<QString> titleOf(const QString &path, const SingleRomMessages &texts)
{
    if (!isArchive(path))
        return readCartridgeTitle(path);
    std::optional<QString> title;
    RomUnpacker::withSingleRom(path, texts, [&title](const QString &rom) { title = readCartridgeTitle(rom); });
    return title;
}

bool SkippedFiles::skip(const QString &path)
{
    if (NameEncoding::isUndecodable(path)) {
        ++m_undecodable;
        return true;
    }
    // The stem looked at in place: this runs for every file of a run.
    if (!IniText::holdsLineBreak(stemView(path)))
        return false;
    ++m_lineBreaks;
    QString shown = fileNameOf(path);
    shown.replace(u'\r', u' ').replace(u'\n', u' ');
    showMessage(messageTable().text(SafetyText::NameWithLineBreak).arg(shown));
    return true;
}

void SkippedFiles::report() const
{
    if (m_undecodable > 0)
        showMessage(messageTable().text(SafetyText::UndecodableNamesSkipped).arg(m_undecodable));
}

bool runOverFiles(DataIniFile &list, int total, const Progress &progress, const std::function<void(int)> &step)
{
    bool cancelled = false;
    try {
        for (int done = 0; done < total && !cancelled; ++done) {
            cancelled = !goOn(progress, done, total);
            if (!cancelled)
                step(done);
        }
        if (!cancelled)
            goOn(progress, total, total);
    } catch (const CartlingError &) {
        try {
            list.updateFile();
        } catch (const CartlingError &writeError) {
            reportError(writeError);
        }
        throw;
    }
    list.updateFile();
    return !cancelled;
}

} // namespace TitleLists
