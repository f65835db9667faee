#include "emulator/InstalledEmulators.h"

#include "emulator/RetroArchCores.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace InstalledEmulators {

QStringList flatpakExportFolders()
{
    // As Flatpak itself finds its installations; a variable that is not an absolute path counts as unset.
    const auto absolute = [](const char *name) {
        const QString value = qEnvironmentVariable(name);
        return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : QString();
    };
    QString system = absolute("FLATPAK_SYSTEM_DIR");
    if (system.isEmpty())
        system = QStringLiteral("/var/lib/flatpak");
    QString user = absolute("FLATPAK_USER_DIR");
    if (user.isEmpty()) {
        const QString dataHome = absolute("XDG_DATA_HOME");
        user = (dataHome.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/share") : dataHome) +
               QStringLiteral("/flatpak");
    }
    return {system + QStringLiteral("/exports/bin"), user + QStringLiteral("/exports/bin")};
}

QList<Found> find(const QStringList &pathFolders, const QStringList &flatpakFolders)
{
    QList<Found> found;
    QSet<QString> seen;
    for (const QString &folder : pathFolders + flatpakFolders) {
        if (folder.isEmpty())
            continue;
        for (const EmulatorKinds::KnownProgram &known : EmulatorKinds::knownPrograms()) {
            const QFileInfo info(QDir(folder).filePath(QLatin1String(known.name)));
            if (!info.isFile() || !info.isExecutable())
                continue;
            const QString canonical = info.canonicalFilePath();
            if (seen.contains(canonical))
                continue;
            seen.insert(canonical);
            Found emulator{known.kind, info.absoluteFilePath(), {}};
            if (known.kind == EmulatorKind::RetroArch)
                emulator.cores =
                    RetroArchCores::find(RetroArchCores::folders(EmulatorKinds::isFlatpakExport(emulator.program)));
            found.append(emulator);
        }
    }
    return found;
}

QList<Found> find()
{
    // Debian installs its emulators in /usr/games, which is not on every user's PATH (root's, for one).
    QStringList folders = qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    folders << QStringLiteral("/usr/games") << QStringLiteral("/usr/local/games");
    return find(folders, flatpakExportFolders());
}

} // namespace InstalledEmulators
