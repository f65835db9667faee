#include "language/LanguageChoice.h"

#include "settings/BaseFolder.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace LanguageChoice {

QStringList languageFiles()
{
    QDir folder(BaseFolder::path());
    return folder.entryList({QStringLiteral("*.cti")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

int initialIndex(const QStringList &files)
{
    const SettingsFile settings;
    const QString chosen = settings.read(Keys::ArchId);
    if (chosen.isEmpty() || !QFileInfo(chosen).isFile())
        return -1;
    // The stored position goes stale when files are added or removed; the file itself says which one it is.
    for (int i = 0; i < files.size(); ++i) {
        if (QFileInfo(BaseFolder::file(files[i])) == QFileInfo(chosen))
            return i;
    }
    const int stored = settings.read(Keys::ArchNameInd);
    const int index = stored == -1 ? 0 : stored;
    return index >= 0 && index < files.size() ? index : -1;
}

void store(const QStringList &files, int index)
{
    if (index < 0 || index >= files.size())
        return;
    SettingsFile settings;
    settings.write(Keys::ArchId, BaseFolder::file(files[index]));
    settings.write(Keys::ArchName, files[index]);
    settings.write(Keys::ArchNameInd, index);
}

int desktopIndex(const QStringList &files, const QStringList &uiLanguages)
{
    static const QLatin1String extension(".cti");
    for (const QString &tag : uiLanguages) {
        const QLocale::Language language = QLocale(tag).language();
        if (language == QLocale::AnyLanguage || language == QLocale::C)
            continue;
        if (language == QLocale::Spanish)
            return -1;
        const QString english = QLocale::languageToString(language).toCaseFolded();
        const QString native = QLocale(language).nativeLanguageName().toCaseFolded();
        for (int i = 0; i < files.size(); ++i) {
            if (!files[i].endsWith(extension, Qt::CaseInsensitive))
                continue;
            const QString stem = files[i].chopped(extension.size()).toCaseFolded();
            if (stem == english || stem == native)
                return i;
        }
    }
    return -1;
}

void chooseForDesktop(const std::function<QStringList()> &uiLanguages)
{
    {
        // Any trace of a choice counts: the dialog always stores its keys together.
        const SettingsFile settings;
        if (!settings.read(Keys::ArchId).isEmpty() || !settings.read(Keys::ArchName).isEmpty())
            return;
    }
    const QStringList files = languageFiles();
    if (files.isEmpty())
        return;
    store(files, desktopIndex(files, uiLanguages()));
}

} // namespace LanguageChoice
