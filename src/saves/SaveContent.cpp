#include "saves/SaveContent.h"

#include "saves/ClockFormats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace SaveBytes {

std::optional<QByteArray> read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool writeWhole(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool writeNew(const QString &path, const QByteArray &bytes)
{
    QTemporaryFile file(QFileInfo(path).path() + QStringLiteral("/.cartling-copy-XXXXXX"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        return false;
    file.close();
    // QFile::rename never replaces a file that has the name; the temporary one then goes with its object.
    if (!file.rename(path))
        return false;
    file.setAutoRemove(false);
    return true;
}

} // namespace SaveBytes

std::optional<SaveContent> SaveContent::read(const SavePlace &place, qint64 now)
{
    const std::optional<QByteArray> save = SaveBytes::read(place.save);
    if (!save)
        return std::nullopt;
    SaveContent content;
    content.at = now;
    if (place.clockForm == SavePlace::Clock::SeparateFile) {
        content.battery = *save;
        if (const std::optional<QByteArray> clock = SaveBytes::read(place.clock))
            content.clockSeconds = ClockFormats::secondsFromRetroArchClock(*clock, now);
        return content;
    }
    // A save without a footer is battery bytes alone, whichever program wrote it.
    const ClockFormats::Split split = ClockFormats::fromMgba(*save);
    content.battery = split.battery;
    if (split.clockSeconds) {
        // A running clock went on while the save lay there.
        content.clockSeconds = *split.clockSeconds + (split.halted ? 0 : qMax<qint64>(0, now - split.at));
    }
    return content;
}

bool SaveContent::write(const SavePlace &place, qint64 now) const
{
    const std::optional<qint64> reading =
        clockSeconds ? std::optional<qint64>(*clockSeconds + qMax<qint64>(0, now - at)) : std::nullopt;
    using SaveBytes::writeWhole;
    switch (place.clockForm) {
    case SavePlace::Clock::SeparateFile:
        if (reading && !writeWhole(place.clock, ClockFormats::toRetroArchClock(*reading, now)))
            return false;
        return writeWhole(place.save, battery);
    case SavePlace::Clock::InFile:
        return writeWhole(place.save, reading ? ClockFormats::toMgba(battery, *reading, now) : battery);
    case SavePlace::Clock::None:
        break;
    }
    return writeWhole(place.save, battery);
}
