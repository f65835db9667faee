#pragma once

#include <QByteArray>
#include <QDateTime>
#include <optional>

// The battery save of a cartridge with a real-time clock (MBC3) as two emulators keep it. mGBA writes the
// battery bytes followed by a 48-byte footer (older versions 44): the clock's five registers, then the same
// five latched, each as a little-endian 32-bit number, then the Unix time the footer was written (64 or 32
// bits). RetroArch's gambatte core writes the battery bytes alone (<stem>.srm) and the clock as the 64-bit
// little-endian Unix time at which the clock read zero (<stem>.rtc). The battery bytes are the same; only the
// clock is told differently.
namespace ClockFormats {

struct Split
{
    QByteArray battery;
    std::optional<qint64> clockSeconds; // the clock's reading at `at`, when there is a footer
    qint64 at = 0;                      // Unix time of the reading
    bool halted = false;
};

// The battery bytes and the clock of an mGBA save; a save without a footer is all battery.
Split fromMgba(const QByteArray &save);
// An mGBA save of the battery bytes with a footer telling `clockSeconds` at Unix time `at`.
QByteArray toMgba(const QByteArray &battery, qint64 clockSeconds, qint64 at);

// The clock's reading at Unix time `at` from a gambatte clock file; nothing when the file is not one.
std::optional<qint64> secondsFromRetroArchClock(const QByteArray &clock, qint64 at);
// A gambatte clock file whose clock reads `clockSeconds` at Unix time `at`.
QByteArray toRetroArchClock(qint64 clockSeconds, qint64 at);

} // namespace ClockFormats
