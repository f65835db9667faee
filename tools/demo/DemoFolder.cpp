#include "DemoFolder.h"

#include "archive/ZipLibrary.h"
#include "DemoRoms.h"
#include "platform/ErrorHandler.h"
#include "platform/Places.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <zip.h>

namespace {

QString absolute(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Writes a new file whole under a temporary name, then gives it its name; the rename refuses to replace a
// file that appeared in between, so nothing is ever overwritten and no half file is left behind.
void writeNewFile(const QString &path, const QByteArray &bytes)
{
    QTemporaryFile file(QFileInfo(path).absolutePath() + QStringLiteral("/.cartling-demo-XXXXXX"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        throw CartlingError(QStringLiteral("Unable to write %1: %2").arg(path, file.errorString()));
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    // Once renamed the file is ours to keep; the temporary file would otherwise remove it on destruction.
    file.setAutoRemove(false);
    if (!file.rename(path)) {
        file.remove();
        if (!QFileInfo::exists(path))
            throw CartlingError(QStringLiteral("Unable to write %1: %2").arg(path, file.errorString()));
    }
}

void writeNewArchive(const QString &path, const QList<QPair<QString, QByteArray>> &members)
{
    int error = 0;
    zip_t *archive = zip_open(zipFileName(path).constData(), ZIP_CREATE | ZIP_EXCL, &error);
    if (!archive) {
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, error);
        const QString reason = QString::fromUtf8(zip_error_strerror(&zipError));
        zip_error_fini(&zipError);
        throw CartlingError(QStringLiteral("Unable to create %1: %2").arg(path, reason));
    }
    // libzip reads the buffers at zip_close(), so `members` outlives the archive.
    for (const auto &[name, bytes] : members) {
        zip_source_t *source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!source || zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            if (source)
                zip_source_free(source);
            const QString reason = QString::fromUtf8(zip_strerror(archive));
            zip_discard(archive);
            throw CartlingError(QStringLiteral("Unable to create %1: %2").arg(path, reason));
        }
    }
    // libzip writes a temporary file and renames it, so an interrupted run leaves no broken archive.
    if (zip_close(archive) < 0) {
        const QString reason = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        throw CartlingError(QStringLiteral("Unable to create %1: %2").arg(path, reason));
    }
}

} // namespace

DemoFolder::DemoFolder(const QString &demoFolder, const QString &binFolder, const QString &dataFolder)
    : m_demo(absolute(demoFolder)), m_bin(absolute(binFolder)), m_data(absolute(dataFolder))
{
}

void DemoFolder::prepare()
{
    m_added.clear();
    makeFolder(m_demo);
    addRoms();
    addArchives();
    addDataFiles();
    addSettings();
}

void DemoFolder::makeFolder(const QString &path)
{
    if (QFileInfo(path).isDir())
        return;
    if (!QDir().mkpath(path))
        throw CartlingError(QStringLiteral("Unable to create the folder %1").arg(path));
    m_added.append(path + u'/');
}

void DemoFolder::addRoms()
{
    const QString roms = m_demo + QStringLiteral("/Roms");
    makeFolder(roms);
    for (const DemoRoms::Game &game : DemoRoms::games()) {
        const QString path = roms + u'/' + game.fileName;
        if (QFileInfo::exists(path))
            continue;
        writeNewFile(path, DemoRoms::image(game));
        m_added.append(path);
    }
}

void DemoFolder::addArchives()
{
    const QString roms = m_demo + QStringLiteral("/Roms");
    for (const DemoRoms::Archive &archive : DemoRoms::archives()) {
        const QString path = roms + u'/' + archive.fileName;
        if (QFileInfo::exists(path))
            continue;
        QList<QPair<QString, QByteArray>> members;
        for (const QString &name : archive.members)
            members.append({name, DemoRoms::image(*DemoRoms::game(name))});
        writeNewArchive(path, members);
        m_added.append(path);
    }
}

void DemoFolder::addDataFiles()
{
    const QDir data(m_data);
    if (!data.exists())
        return;
    for (const QFileInfo &source : data.entryInfoList(QDir::Files, QDir::Name)) {
        const QString path = m_demo + u'/' + source.fileName();
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
            continue;
        // QFile::copy refuses an existing target and writes through a temporary file.
        if (!QFile::copy(source.absoluteFilePath(), path) && !QFileInfo::exists(path))
            throw CartlingError(QStringLiteral("Unable to copy %1 to %2").arg(source.absoluteFilePath(), path));
        m_added.append(path);
    }
}

void DemoFolder::addSettings()
{
    SettingsFile settings(m_demo + QStringLiteral("/Cartling.ini"));
    // No value can hold a line break, so this default only comes back for a missing key.
    const QString missing = QStringLiteral("\n");
    const auto addKey = [&](const StringKey &key, const QString &value) {
        if (settings.read(key, missing) != missing)
            return;
        settings.write(key, value);
        m_added.append(QStringLiteral("[%1] %2=%3").arg(QLatin1String(key.section), QLatin1String(key.name), value));
    };
    addKey(Keys::Zibo, m_bin + u'/' + Places::defaultEmulatorName());
    addKey(Keys::Zibod, m_bin + u'/');
    addKey(Keys::Roms, m_demo + QStringLiteral("/Roms"));
}
