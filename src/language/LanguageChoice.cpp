#include "language/LanguageChoice.h"

#include "settings/BaseFolder.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

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

} // namespace LanguageChoice
