#include "screenshots/ScreenshotHarvest.h"

#include "platform/FileAttributes.h"
#include "platform/PathHelpers.h"
#include "platform/WholeFile.h"
#include "screenshots/BitmapFile.h"
#include "screenshots/JpegCodec.h"
#include "screenshots/PictureLookup.h"
#include "screenshots/ScreenshotPlaces.h"
#include "settings/BaseFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

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

ScreenshotHarvest::Sighting &ScreenshotHarvest::observe(const QString &source)
{
    const QFileInfo info(source);
    Sighting &seen = m_seen[source];
    if (seen.size == info.size() && seen.modified == info.lastModified()) {
        ++seen.unchangedTicks;
        return seen;
    }
    seen = {info.size(), info.lastModified(), 0, false, false};
    return seen;
}

ScreenshotHarvest::Result ScreenshotHarvest::step(bool switchOn, const QString &selectedRom,
                                                  const ScreenshotOptions &options)
{
    Result result;
    result.settled = true;
    // While a game launched in Zibo is being watched, its bitmap is its own, whatever is selected since.
    const QString bitmapGame = m_launches.bitmapGame().isEmpty() ? selectedRom : m_launches.bitmapGame();
    if (!switchOn || (bitmapGame.isEmpty() && m_launches.isEmpty()))
        return result;

    const QString base = m_baseFolder.isEmpty() ? BaseFolder::path() : m_baseFolder;
    struct Source
    {
        QString path;
        Kind kind;
        QString game;
    };
    QList<Source> sources;
    if (!bitmapGame.isEmpty()) {
        const QString emulator = ScreenshotPlaces::emulatorFolder(SettingsFile(m_settingsPath));
        const QStringList places = ScreenshotPlaces::all(base, emulator, &m_folders);
        for (qsizetype i = places.size() - 1; i >= 0; --i) {
            if (QFileInfo(places[i]).isFile())
                sources.append({places[i], Kind::Bitmap, bitmapGame});
        }
    }
    if (!m_launches.isEmpty()) {
        for (const QString &png : ScreenshotPlaces::pngShots(base, &m_folders)) {
            const QFileInfo info(png);
            if (const QString game = m_launches.gameOfPng(info.fileName(), info.lastModified()); !game.isEmpty())
                sources.append({png, Kind::Png, game});
        }
    }

    // Files gone since the last tick are forgotten, so the memory stays as small as the places.
    for (auto it = m_seen.begin(); it != m_seen.end();) {
        const bool present =
            std::any_of(sources.begin(), sources.end(), [&](const Source &s) { return s.path == it.key(); });
        it = present ? std::next(it) : m_seen.erase(it);
    }
    if (sources.isEmpty()) {
        result.outcome = Outcome::NoShot;
        return result;
    }
    bool settled = true;
    for (const Source &source : sources) {
        const Result tried = consider(source.path, source.kind, base, source.game, options);
        if (tried.outcome == Outcome::Filed || tried.outcome == Outcome::CopyFailed ||
            tried.outcome == Outcome::ConversionFailed)
            return tried;
        settled = settled && tried.outcome != Outcome::Waiting;
        if (result.outcome == Outcome::Off)
            result = tried; // what the last place showed, when nothing is filed
    }
    result.settled = settled;
    return result;
}

ScreenshotHarvest::Result ScreenshotHarvest::consider(const QString &source, Kind kind, const QString &base,
                                                      const QString &game, const ScreenshotOptions &options)
{
    Result result;
    result.source = source;
    Sighting &seen = observe(source);
    result.outcome = seen.unchangedTicks == 0 ? Outcome::Waiting
                     : seen.damaged           ? Outcome::Damaged
                     : seen.handled           ? Outcome::Unchanged
                                              : Outcome::Off;
    if (result.outcome != Outcome::Off)
        return result;

    QByteArray bytes;
    if (!BitmapFile::readFile(source, &bytes)) {
        result.outcome = Outcome::Waiting;
        return result;
    }
    // Whole by its own account: a bitmap as long as its header says, a PNG ending in its closing chunk.
    static const QByteArray pngEnd = QByteArray::fromHex("0000000049454e44ae426082");
    const qint64 declared = kind == Kind::Bitmap ? BitmapFile::declaredSize(bytes.left(BitmapFile::HeaderBytes)) : 0;
    const bool whole = kind == Kind::Bitmap ? bytes.size() >= declared : bytes.endsWith(pngEnd);
    if (!whole && seen.unchangedTicks < TicksBeforeShortFileIsTaken && declared >= 0) {
        result.outcome = Outcome::Waiting; // the emulator has not written all of it yet
        return result;
    }
    QByteArray bitmap;
    if (kind == Kind::Bitmap) {
        if (declared >= 0 && !BitmapFile::decode(bytes).isNull())
            bitmap = bytes; // the very bytes that were checked
    } else {
        bitmap = BitmapFile::encode(QImage::fromData(bytes, "PNG"));
    }
    if (bitmap.isEmpty()) {
        seen.damaged = true;
        result.outcome = Outcome::Damaged;
        return result;
    }
    return file(source, bitmap, !whole, base, game, options);
}

ScreenshotHarvest::Result ScreenshotHarvest::file(const QString &source, const QByteArray &bitmap, bool keepSource,
                                                  const QString &base, const QString &game,
                                                  const ScreenshotOptions &options)
{
    Result result;
    result.source = source;
    Sighting &seen = m_seen[source];
    // Whatever happens now, the same file is not tried again until it changes.
    seen.handled = true;

    // File the bitmap whole or not at all, so the emulator's file can go.
    const QString target = filedBitmapPath(base, game);
    QDir().mkdir(folderOf(target));
    FileAttributes::makePlainArchive(target);
    if (!WholeFile::write(target, bitmap)) {
        result.outcome = Outcome::CopyFailed;
        return result;
    }
    const bool sourceIsTarget = sameFile(source, target);
    FileAttributes::makePlainArchive(source);
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

    if (!sourceIsTarget && !keepSource) {
        QFile::remove(source);
        m_seen.remove(source);
    }
    result.outcome = Outcome::Filed;
    return result;
}
