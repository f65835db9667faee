#include "TestSupport.h"

#include "saves/ClockFormats.h"
#include "saves/SaveContent.h"
#include "saves/SaveCopies.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace {

constexpr qint64 kNow = 1796713814; // 2026-12-08 07:10:14 UTC

QByteArray battery(char fill, qsizetype size = 32 * 1024)
{
    QByteArray bytes(size, fill);
    bytes[0] = 'P'; // a progress byte that differs from the fill
    return bytes;
}

QByteArray words(std::initializer_list<quint32> values)
{
    QByteArray bytes;
    for (const quint32 value : values) {
        char raw[4];
        qToLittleEndian(value, raw);
        bytes.append(raw, 4);
    }
    return bytes;
}

QByteArray longWord(qint64 value)
{
    char raw[8];
    qToLittleEndian(value, raw);
    return QByteArray(raw, 8);
}

// An MBC3 save as mGBA writes it: the battery bytes, the five clock registers twice, the time it was written.
QByteArray mgbaSave(const QByteArray &bytes, quint32 s, quint32 m, quint32 h, quint32 dayLow, quint32 dayHigh,
                    qint64 at, bool shortFooter = false)
{
    const QByteArray registers = words({s, m, h, dayLow, dayHigh});
    return bytes + registers + registers + (shortFooter ? words({quint32(at)}) : longWord(at));
}

// A save kept as RetroArch's gambatte core keeps it, 10 hours of clock read at kNow.
TEST(ClockFormatsTest, TheClockIsToldAsEachEmulatorTellsIt)
{
    const struct
    {
        const char *what;
        QByteArray save;
        qint64 seconds;
        bool halted;
    } cases[] = {
        {"a fresh clock", mgbaSave(battery('a'), 0, 0, 0, 0, 0, kNow), 0, false},
        {"1 day 2:03:04", mgbaSave(battery('a'), 4, 3, 2, 1, 0, kNow), 86400 + 7384, false},
        {"day 300: the ninth bit", mgbaSave(battery('a'), 0, 0, 0, 300 & 0xFF, 1, kNow), 300 * 86400, false},
        {"an older, shorter footer", mgbaSave(battery('a'), 5, 0, 0, 0, 0, kNow, true), 5, false},
        {"a halted clock", mgbaSave(battery('a'), 9, 0, 0, 0, 0x40, kNow), 9, true},
    };
    for (const auto &c : cases) {
        const ClockFormats::Split split = ClockFormats::fromMgba(c.save);
        EXPECT_EQ(split.battery, battery('a')) << c.what;
        ASSERT_TRUE(split.clockSeconds) << c.what;
        EXPECT_EQ(*split.clockSeconds, c.seconds) << c.what;
        EXPECT_EQ(split.at, kNow) << c.what;
        EXPECT_EQ(split.halted, c.halted) << c.what;
    }
    // Without a footer every byte is the battery's; 8 KiB is no footer.
    EXPECT_FALSE(ClockFormats::fromMgba(battery('z', 8192)).clockSeconds);
    EXPECT_EQ(ClockFormats::fromMgba(battery('z', 8192)).battery, battery('z', 8192));

    // Written back: registers in range, the carry past 511 days, the time at the end.
    const QByteArray written = ClockFormats::toMgba(battery('b'), 600 * 86400 + 3723, kNow);
    EXPECT_EQ(written.size(), 32 * 1024 + 48);
    EXPECT_EQ(written.mid(32 * 1024, 20), words({3, 2, 1, (600 - 512) & 0xFF, 0x80}));
    EXPECT_EQ(written.mid(32 * 1024 + 20, 20), written.mid(32 * 1024, 20));
    EXPECT_EQ(written.right(8), longWord(kNow));

    // gambatte keeps the time at which the clock read zero.
    EXPECT_EQ(ClockFormats::toRetroArchClock(100, kNow), longWord(kNow - 100));
    EXPECT_EQ(ClockFormats::secondsFromRetroArchClock(longWord(kNow - 100), kNow + 5), 105);
    EXPECT_FALSE(ClockFormats::secondsFromRetroArchClock(QByteArray(4, 0), kNow));
}

class SaveCopiesTest : public BaseFolderTest
{
protected:
    SavePlace mgba() const { return {path("Roms/game.sav"), QString(), SavePlace::Clock::InFile}; }
    SavePlace retroArch() const { return {path("ra/game.srm"), path("ra/game.rtc"), SavePlace::Clock::SeparateFile}; }
    static QDateTime at(int seconds) { return QDateTime::fromSecsSinceEpoch(kNow + seconds); }
    QStringList copyNames() const { return QDir(path("Copias/game")).entryList(QDir::Files, QDir::Name); }
};

TEST_F(SaveCopiesTest, AConvertedSaveKeepsTheBatteryAndTheClockBothWays)
{
    makeFolder("Roms");
    makeFolder("ra");
    // mGBA's save of a clock reading 1:00:00 written 50 s before the change of emulator.
    writeFile("Roms/game.sav", mgbaSave(battery('m'), 0, 0, 1, 0, 0, kNow - 50));
    const std::optional<SaveContent> fromMgba = SaveContent::read(mgba(), kNow);
    ASSERT_TRUE(fromMgba);
    EXPECT_EQ(fromMgba->clockSeconds, 3650);
    ASSERT_TRUE(fromMgba->write(retroArch(), kNow));
    EXPECT_EQ(readFile("ra/game.srm"), battery('m'));
    EXPECT_EQ(readFile("ra/game.rtc"), longWord(kNow - 3650));

    // And back, ten seconds on.
    QFile::remove(path("Roms/game.sav"));
    const std::optional<SaveContent> fromRetroArch = SaveContent::read(retroArch(), kNow + 10);
    ASSERT_TRUE(fromRetroArch);
    ASSERT_TRUE(fromRetroArch->write(mgba(), kNow + 10));
    const ClockFormats::Split back = ClockFormats::fromMgba(readFile("Roms/game.sav"));
    EXPECT_EQ(back.battery, battery('m'));
    EXPECT_EQ(back.clockSeconds, 3660);
    EXPECT_EQ(back.at, kNow + 10);

    // A cartridge without a clock stays battery bytes only, in either form; no save is nothing.
    writeFile("Roms/game.sav", battery('n', 8192));
    ASSERT_TRUE(SaveContent::read(mgba(), kNow)->write(retroArch(), kNow));
    EXPECT_EQ(readFile("ra/game.srm"), battery('n', 8192));
    EXPECT_FALSE(SaveContent::read({path("none.sav"), QString(), SavePlace::Clock::None}, kNow));
}

TEST_F(SaveCopiesTest, ACopyIsKeptOnlyWhenItsBytesAreNew)
{
    makeFolder("Roms");
    SaveCopies copies(m_base, path("Roms/game.gb"));
    EXPECT_EQ(copies.folder(), path("Copias/game"));
    EXPECT_EQ(copies.keep(mgba(), at(0)), SaveCopies::Outcome::NoSave);
    EXPECT_FALSE(QFileInfo::exists(path("Copias")));

    writeFile("Roms/game.sav", battery('a'));
    EXPECT_EQ(copies.keep(mgba(), at(0)), SaveCopies::Outcome::Copied);
    EXPECT_EQ(copies.keep(mgba(), at(5)), SaveCopies::Outcome::Unchanged);
    writeFile("Roms/game.sav", battery('b'));
    EXPECT_EQ(copies.keep(mgba(), at(0)), SaveCopies::Outcome::Copied); // the same second: both stay
    writeFile("Roms/game.sav", battery('a'));
    EXPECT_EQ(copies.keep(mgba(), at(9)), SaveCopies::Outcome::Unchanged); // never the same bytes twice
    const QString first = at(0).toString("yyyy-MM-dd HH-mm-ss");
    EXPECT_EQ(copyNames(), (QStringList{first + " (2).sav", first + ".sav"}));
    const QList<SaveCopies::Copy> listed = copies.list();
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(readFile("Copias/game/" + first + " (2).sav"), battery('b'));
    EXPECT_EQ(listed[0].save, path("Copias/game/" + first + " (2).sav")); // newest first
    EXPECT_EQ(listed[1].size, 32 * 1024);

    // RetroArch's clock belongs to the copy: a clock that moved is a new copy.
    makeFolder("ra");
    writeFile("ra/game.srm", battery('a'));
    writeFile("ra/game.rtc", longWord(kNow));
    EXPECT_EQ(copies.keep(retroArch(), at(20)), SaveCopies::Outcome::Copied);
    EXPECT_EQ(copies.keep(retroArch(), at(21)), SaveCopies::Outcome::Unchanged);
    writeFile("ra/game.rtc", longWord(kNow - 1));
    EXPECT_EQ(copies.keep(retroArch(), at(22)), SaveCopies::Outcome::Copied);
    EXPECT_EQ(readFile("Copias/game/" + at(22).toString("yyyy-MM-dd HH-mm-ss") + ".rtc"), longWord(kNow - 1));
    EXPECT_EQ(copies.list().first().clock, path("Copias/game/" + at(22).toString("yyyy-MM-dd HH-mm-ss") + ".rtc"));
}

TEST_F(SaveCopiesTest, TheTwentyNewestAndTheFirstAreKept)
{
    makeFolder("Roms");
    SaveCopies copies(m_base, path("Roms/game.gb"));
    for (int n = 0; n < 25; ++n) {
        writeFile("Roms/game.sav", battery(char('a' + n)));
        ASSERT_EQ(copies.keep(mgba(), at(n * 60)), SaveCopies::Outcome::Copied) << n;
    }
    const QList<SaveCopies::Copy> kept = copies.list();
    ASSERT_EQ(kept.size(), SaveCopies::Kept + 1);
    EXPECT_EQ(kept.first().taken, at(24 * 60));
    EXPECT_EQ(kept[SaveCopies::Kept - 1].taken, at(5 * 60));
    EXPECT_EQ(kept.last().taken, at(0));
    EXPECT_EQ(copyNames().size(), SaveCopies::Kept + 1);
}

TEST_F(SaveCopiesTest, ARestoreKeepsTheCurrentSaveFirstAndSpeaksTheOtherEmulatorsForm)
{
    makeFolder("Roms");
    SaveCopies copies(m_base, path("Roms/game.gb"));
    writeFile("Roms/game.sav", mgbaSave(battery('o'), 0, 0, 2, 0, 0, kNow));
    ASSERT_EQ(copies.keep(mgba(), at(0)), SaveCopies::Outcome::Copied);
    writeFile("Roms/game.sav", battery('x', 8192)); // a save gone wrong
    ASSERT_TRUE(copies.restore(copies.list().first(), mgba(), at(60)));
    EXPECT_EQ(readFile("Roms/game.sav"), mgbaSave(battery('o'), 0, 0, 2, 0, 0, kNow));
    ASSERT_EQ(copies.list().size(), 2);
    EXPECT_EQ(QFile(copies.list().first().save).size(), 8192); // the one replaced, kept to undo the restore

    // For RetroArch the same copy gives the battery bytes and gambatte's clock.
    ASSERT_TRUE(copies.restore(copies.list().last(), retroArch(), at(60)));
    EXPECT_EQ(readFile("ra/game.srm"), battery('o'));
    EXPECT_EQ(readFile("ra/game.rtc"), longWord(kNow + 60 - (7200 + 60)));
}

TEST_F(SaveCopiesTest, ASaveThatCannotBeReadOrCopiedIsNamed)
{
    makeFolder("Roms");
    writeFile("Roms/game.sav", battery('a'));
    SaveCopies copies(m_base, path("Roms/game.gb"));
    writeFile("Copias", "a file where the folder goes");
    EXPECT_EQ(copies.keep(mgba(), at(0)), SaveCopies::Outcome::Failed);
    EXPECT_EQ(copies.error(), QDir::toNativeSeparators(path("Copias/game")));
    QFile::remove(path("Copias"));
    QFile::setPermissions(path("Roms/game.sav"), QFileDevice::WriteOwner);
    if (!QFile(path("Roms/game.sav")).open(QIODevice::ReadOnly)) { // root reads anything
        EXPECT_EQ(copies.keep(mgba(), at(0)), SaveCopies::Outcome::Failed);
        EXPECT_EQ(copies.error(), QDir::toNativeSeparators(path("Roms/game.sav")));
    }
    EXPECT_TRUE(copyNames().isEmpty());
}

} // namespace
