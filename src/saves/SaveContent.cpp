#include "saves/SaveContent.h"

#include "platform/WholeFile.h"
#include "saves/ClockFormats.h"

std::optional<SaveContent> SaveContent::read(const SavePlace &place, qint64 now)
{
    const std::optional<QByteArray> save = WholeFile::read(place.save);
    if (!save)
        return std::nullopt;
    SaveContent content;
    content.at = now;
    if (place.clockForm == SavePlace::Clock::SeparateFile) {
        content.battery = *save;
        if (const std::optional<QByteArray> clock = WholeFile::read(place.clock))
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
    switch (place.clockForm) {
    case SavePlace::Clock::SeparateFile:
        if (reading && !WholeFile::write(place.clock, ClockFormats::toRetroArchClock(*reading, now)))
            return false;
        return WholeFile::write(place.save, battery);
    case SavePlace::Clock::InFile:
        return WholeFile::write(place.save, reading ? ClockFormats::toMgba(battery, *reading, now) : battery);
    case SavePlace::Clock::None:
        break;
    }
    return WholeFile::write(place.save, battery);
}
