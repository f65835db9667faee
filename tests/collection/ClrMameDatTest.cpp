#include "CollectionTestSupport.h"

#include "collection/DatCatalog.h"
#include "collection/DatReader.h"

#include <cstring>
#include <zlib.h>

namespace {

using ClrMameDatTest = CollectionTest;

// Every entry as a line, in the index's order, so that two indexes compare whole.
QStringList entriesOf(const DatIndex &index)
{
    QStringList lines{index.name(), QString::number(index.gameCount())};
    for (const DatIndex::Rom &rom : index.roms()) {
        lines.append(
            QStringLiteral("%1 %2 %3 %4 %5 | %6 | %7")
                .arg(rom.crc, 8, 16, QLatin1Char('0'))
                .arg(rom.size)
                .arg(rom.flags)
                .arg(QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(rom.sha1.data()), 20).toHex()))
                .arg(rom.game)
                .arg(index.gameName(rom.game), index.romName(rom)));
    }
    return lines;
}

TEST_F(ClrMameDatTest, BothFormsOfADatGiveTheSameIndex)
{
    const QList<DatRom> roms = {
        {"14 Juillet (World) (Fr)", seededRom(1), {}, -1, "14 Juillet (World) (Fr) (Aftermarket) (Unl).gb"},
        {"Mario & Luigi", seededRom(2)},
        {"Pok\u00e9mon - Edici\u00f3n Roja (Spain)", seededRom(3), {}, -1, "Pok\u00e9mon Roja.gbc"},
        {"No SHA-1", seededRom(4), "not hex", 1234},
    };
    writeFile("gb.xml", datXml("Nintendo - Game Boy", roms));
    // The extension says XML; the content decides.
    writeFile("gb-text.xml", datClrMame("Nintendo - Game Boy", roms));
    writeZip(path("gb.zip"), {{"Nintendo - Game Boy.dat", datClrMame("Nintendo - Game Boy", roms)}});

    const QStringList expected = entriesOf(DatReader::read(path("gb.xml")));
    ASSERT_EQ(expected.size(), 2 + roms.size());
    EXPECT_TRUE(
        expected.join(u'\n').contains("| 14 Juillet (World) (Fr) | 14 Juillet (World) (Fr) (Aftermarket) (Unl).gb"));
    EXPECT_EQ(entriesOf(DatReader::read(path("gb-text.xml"))), expected);
    EXPECT_EQ(entriesOf(DatReader::read(path("gb.zip"))), expected);

    // libretro's layout: no header, several ROMs to a game, flags and blocks Cartling does not use, a name with
    // an escaped quote, one ROM line without a CRC (left out, as in XML).
    writeFile("libretro.dat", "\xEF\xBB\xBF"
                              "emulator ( name \"x\" )\n"
                              "game (\n\tname \"Two \\\"ROM\\\" Game\"\n"
                              "\trom ( name \"a.gb\" size 16 crc 0000000a )\n"
                              "\trom ( name \"b.gb\" size 16 crc 0000000B flags verified )\n"
                              "\trom ( name \"nocrc.gb\" size 16 )\n"
                              "\tserial \"DMG-XXX\" baddump\n)\n"
                              "game ( name Bare rom ( name bare.gb crc DEADBEEF size lies ) )\n"
                              "game ( name \"Ends \\\\\" rom ( name e.gb crc 0000000C ) )\n");
    const DatIndex text = DatReader::read(path("libretro.dat"));
    EXPECT_EQ(text.name(), "");
    EXPECT_EQ(text.gameCount(), 3);
    ASSERT_EQ(text.romCount(), 4);
    ASSERT_EQ(text.withCrc(0xB).size(), 1u);
    EXPECT_EQ(text.gameName(text.withCrc(0xB).front().game), "Two \"ROM\" Game");
    EXPECT_EQ(text.romName(text.withCrc(0xB).front()), "b.gb");
    ASSERT_EQ(text.withCrc(0xDEADBEEF).size(), 1u);
    EXPECT_EQ(text.gameName(text.withCrc(0xDEADBEEF).front().game), "Bare");
    EXPECT_FALSE(text.withCrc(0xDEADBEEF).front().hasSize());
    // An escaped backslash at the end of a name.
    EXPECT_EQ(text.gameName(text.withCrc(0xC).front().game), "Ends \\");
}

TEST_F(ClrMameDatTest, HostileTextDatsAreRefusedAtTheLineWhereTheyGoWrong)
{
    const QByteArray header = "clrmamepro (\n\tname \"Hostile\"\n)\n";
    const QByteArray game = "game (\n\tname \"Tetris\"\n\trom ( name \"t.gb\" size 4 crc 00000001 )\n)\n";
    QByteArray deep = header + "game ( name x";
    for (int i = 0; i < 20; ++i)
        deep += " a (";
    const struct
    {
        const char *name;
        QByteArray bytes;
        const char *where; // the file and line the message names
    } cases[] = {
        {"open.dat", header + game + "game (\n\tname \"Cut\"\n\trom ( name \"c.gb\" crc 00000002 )\n", ":8"},
        {"stray.dat", header + game + ")\n", ":8"},
        {"quote.dat", header + game + "game ( name \"never closed )\n)\n" + game, ":8"},
        {"nul.dat", header + game + QByteArray("game ( name \"a\0b\" )\n", 20), ":8"},
        {"nulword.dat", header + QByteArray("game ( name a\0b )\n", 18), ":4"},
        {"deep.dat", deep, ":4"},
        {"nokey.dat", header + "( name x )\n", ":4"},
        {"prose.dat", "Game Boy ROMs I own:\nTetris\n", ":1"},
        {"notdat.dat", "emulator ( name \"x\" )\n", ":1"},
        {"endsinkey.dat", header + "game ( name", ":4"},
    };
    for (const auto &c : cases) {
        writeFile(c.name, c.bytes);
        EXPECT_TRUE(refusal(c.name).startsWith("No se puede leer el DAT " + path(c.name) + c.where + ": "))
            << qPrintable(refusal(c.name));
    }
    // Blank content is no DAT of either form.
    writeFile("blank.dat", "  \n\n ");
    EXPECT_TRUE(refusal("blank.dat").startsWith("No se puede leer el DAT " + path("blank.dat")))
        << qPrintable(refusal("blank.dat"));
}

TEST_F(ClrMameDatTest, TextDatsPastTheLimitsAreRefusedInBoundedMemory)
{
    // Ten million entries would pass any limit; a few past a small one show the same refusal.
    QByteArray many = "clrmamepro ( name \"Many\" )\n";
    for (int i = 0; i < 6; ++i)
        many += "game ( name \"G" + QByteArray::number(i) + "\" rom ( name g.gb crc " + QByteArray::number(i + 1) +
                " ) )\n";
    writeFile("many.dat", many);
    DatReader::Limits fewEntries;
    fewEntries.maxRoms = 5;
    EXPECT_EQ(refusal("many.dat", fewEntries),
              path("many.dat") + " es demasiado grande para un DAT (más de 5 entradas o 128 MB)");
    fewEntries.maxRoms = 6;
    EXPECT_EQ(refusal("many.dat", fewEntries), "");

    DatReader::Limits fewNames;
    fewNames.maxNameBytes = 20;
    EXPECT_TRUE(refusal("many.dat", fewNames).contains("demasiado grande"));

    DatReader::Limits fewBytes;
    fewBytes.maxBytes = 1 << 16;
    writeFile("huge.dat", many + QByteArray(1 << 16, ' '));
    EXPECT_TRUE(refusal("huge.dat", fewBytes).contains("demasiado grande"));
    writeZip(path("huge.zip"), {{"huge.dat", many + QByteArray(1 << 16, ' ')}});
    EXPECT_TRUE(refusal("huge.zip", fewBytes).contains("demasiado grande"));

    // A name of a megabyte is cut, not kept whole.
    writeFile("long.dat", "game ( name \"" + QByteArray(1 << 20, 'x') + "\" rom ( name r crc 1 ) )\n");
    const DatIndex index = DatReader::read(path("long.dat"));
    ASSERT_EQ(index.romCount(), 1);
    EXPECT_EQ(index.gameName(0).size(), 1024);
}

TEST_F(ClrMameDatTest, TheIndexCacheKeepsTheRomNames)
{
    writeFile("gb.dat", datClrMame("Cached", {{"Game", seededRom(1), {}, -1, "Game (Unl).gb"}}));
    const DatIndex first = DatCatalog::loadDat(path("gb.dat"));
    ASSERT_TRUE(QFileInfo::exists(DatCatalog::cacheFileOf(path("gb.dat"))));
    // The second load comes from the cache: the same whole index.
    EXPECT_EQ(entriesOf(DatCatalog::loadDat(path("gb.dat"))), entriesOf(first));
    EXPECT_EQ(first.romName(first.roms().front()), "Game (Unl).gb");
    EXPECT_EQ(entriesOf(*DatIndex::fromCache(first.toCache(1, 2), 1, 2)), entriesOf(first));

    // A cache whose checksum holds but whose ROM name runs past its names is refused, not read out of bounds.
    QByteArray cache = first.toCache(1, 2);
    const auto withNameLength = [&cache](quint32 length) {
        constexpr int HeaderBytes = 80, NameLength = 44, Checksum = 72;
        std::memcpy(cache.data() + HeaderBytes + NameLength, &length, 4);
        const quint32 checksum = quint32(crc32(0, reinterpret_cast<const Bytef *>(cache.constData()) + HeaderBytes,
                                               uInt(cache.size() - HeaderBytes)));
        std::memcpy(cache.data() + Checksum, &checksum, 4);
        return DatIndex::fromCache(cache, 1, 2);
    };
    EXPECT_FALSE(withNameLength(1000).has_value());
    EXPECT_TRUE(withNameLength(first.roms().front().nameLength).has_value());
}

} // namespace
