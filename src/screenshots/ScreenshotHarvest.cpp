#include "screenshots/ScreenshotHarvest.h"

#include "platform/FileAttributes.h"
#include "platform/PathHelpers.h"
#include "screenshots/BitmapFile.h"
#include "screenshots/JpegCodec.h"
#include "screenshots/PictureLookup.h"
#include "screenshots/ScreenshotPlaces.h"
#include "settings/BaseFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Writes the bytes as the file, whole or not at all, replacing what was there.
bool writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

bool sameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

ScreenshotHarvest::ScreenshotHarvest(QString baseFolder, QString settingsPath)
    : m_baseFolder(std::move(baseFolder)), m_settingsPath(std::move(settingsPath))
{
}

QString ScreenshotHarvest::filedBitmapPath(const QString &baseFolder, const QString &romPath)
{
    return PictureLookup::fileIn(PictureLookup::shotsFolder(baseFolder), stemOf(romPath) + QStringLiteral(".bmp"));
}

bool ScreenshotHarvest::settled(const QString &source)
{
    const QFileInfo info(source);
    if (m_seen.path == source && m_seen.size == info.size() && m_seen.modified == info.lastModified())
        return true;
    m_seen = {source, info.size(), info.lastModified(), false};
    return false;
}

ScreenshotHarvest::Result ScreenshotHarvest::step(bool switchOn, const QString &selectedRom,
                                                  const ScreenshotOptions &options)
{
    Result result;
    if (!switchOn || selectedRom.isEmpty())
        return result;

    const QString base = m_baseFolder.isEmpty() ? BaseFolder::path() : m_baseFolder;
    const QString emulator = ScreenshotPlaces::emulatorFolder(SettingsFile(m_settingsPath));
    result.source = ScreenshotPlaces::lastExisting(ScreenshotPlaces::all(base, emulator));
    if (result.source.isEmpty()) {
        result.outcome = Outcome::NoShot;
        return result;
    }
    if (!settled(result.source)) {
        result.outcome = Outcome::Waiting;
        return result;
    }
    if (m_seen.damaged) {
        result.outcome = Outcome::Damaged;
        return result;
    }

    QFile file(result.source);
    if (!file.open(QIODevice::ReadOnly)) {
        result.outcome = Outcome::Waiting;
        return result;
    }
    const qint64 declared = BitmapFile::declaredSize(file.peek(BitmapFile::HeaderBytes));
    if (declared >= 0 && file.size() < declared) {
        result.outcome = Outcome::Waiting; // the emulator has not written all of it yet
        return result;
    }
    file.close();
    QByteArray bytes;
    if (declared < 0 || !BitmapFile::readFile(result.source, &bytes) || BitmapFile::decode(bytes).isNull()) {
        m_seen.damaged = true;
        result.outcome = Outcome::Damaged;
        return result;
    }

    // File the very bytes that were checked, whole or not at all, so the emulator's file can go.
    const QString target = filedBitmapPath(base, selectedRom);
    QDir().mkdir(folderOf(target));
    FileAttributes::makePlainArchive(target);
    if (!writeWhole(target, bytes)) {
        result.outcome = Outcome::CopyFailed;
        return result;
    }
    const bool sourceIsTarget = sameFile(result.source, target);
    FileAttributes::makePlainArchive(result.source);
    result.picture = target;

    if (options.convertToJpeg) {
        const QString jpeg =
            PictureLookup::fileIn(folderOf(target).chopped(1), fileNameOf(JpegCodec::withJpegExtension(target)));
        if (!JpegCodec::convertBitmap(target, jpeg, options.quality)) {
            result.outcome = Outcome::ConversionFailed;
            return result;
        }
        result.picture = jpeg;
        // Only a shot that is kept as a JPEG may lose its bitmap.
        if (options.deleteBitmap)
            QFile::remove(target);
    }

    if (!sourceIsTarget)
        QFile::remove(result.source);
    m_seen = {};
    result.outcome = Outcome::Filed;
    return result;
}
