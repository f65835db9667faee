#include "saves/ClockFormats.h"

#include <QtEndian>

namespace ClockFormats {

namespace {

constexpr qint64 kDay = 86400;
// The day counter has nine bits; past them the carry bit says the counter ran over.
constexpr qint64 kDayLimit = 512;

quint32 word(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

void appendWord(QByteArray &bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

void appendLong(QByteArray &bytes, qint64 value)
{
    char raw[8];
    qToLittleEndian(value, raw);
    bytes.append(raw, 8);
}

// The footer's size for a save of this size: battery sizes are whole kibibytes, so what is left over is the
// footer.
qsizetype footerSize(qsizetype size)
{
    const qsizetype rest = size % 1024;
    return rest == 48 || rest == 44 ? rest : 0;
}

} // namespace

Split fromMgba(const QByteArray &save)
{
    Split split;
    const qsizetype footer = footerSize(save.size());
    split.battery = save.left(save.size() - footer);
    if (footer == 0)
        return split;
    const qsizetype start = save.size() - footer;
    const quint32 seconds = word(save, start) % 60;
    const quint32 minutes = word(save, start + 4) % 60;
    const quint32 hours = word(save, start + 8) % 24;
    const quint32 dayLow = word(save, start + 12) & 0xFF;
    const quint32 dayHigh = word(save, start + 16);
    const qint64 days = dayLow | (qint64(dayHigh & 1) << 8);
    split.halted = (dayHigh & 0x40) != 0;
    split.clockSeconds = days * kDay + hours * 3600 + minutes * 60 + seconds;
    split.at = footer == 48 ? qFromLittleEndian<qint64>(save.constData() + start + 40) : qint64(word(save, start + 40));
    return split;
}

QByteArray toMgba(const QByteArray &battery, qint64 clockSeconds, qint64 at)
{
    QByteArray save = battery;
    const qint64 reading = qMax<qint64>(0, clockSeconds);
    const qint64 days = reading / kDay;
    QByteArray registers;
    appendWord(registers, quint32(reading % 60));
    appendWord(registers, quint32(reading / 60 % 60));
    appendWord(registers, quint32(reading / 3600 % 24));
    appendWord(registers, quint32(days % kDayLimit & 0xFF));
    appendWord(registers, quint32((days % kDayLimit >> 8) | (days >= kDayLimit ? 0x80 : 0)));
    save += registers;
    save += registers; // the latched copy reads the same
    appendLong(save, at);
    return save;
}

std::optional<qint64> secondsFromRetroArchClock(const QByteArray &clock, qint64 at)
{
    if (clock.size() != 8)
        return std::nullopt;
    const qint64 base = qFromLittleEndian<qint64>(clock.constData());
    return qMax<qint64>(0, at - base);
}

QByteArray toRetroArchClock(qint64 clockSeconds, qint64 at)
{
    QByteArray clock;
    appendLong(clock, at - qMax<qint64>(0, clockSeconds));
    return clock;
}

} // namespace ClockFormats
