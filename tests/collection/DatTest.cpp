#include "CollectionTestSupport.h"

#include "collection/DatCatalog.h"
#include "collection/DatReader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <zlib.h>

namespace {

quint32 crcOf(const QByteArray &bytes)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size())));
}

using DatTest = CollectionTest;

TEST_F(DatTest, EntriesAreFoundByCrcWithTheirGameSizeAndSha1)
{
    const QByteArray tetris = seededRom(1), mario = seededRom(2);
    QByteArray xml = datXml("Nintendo - Game Boy", {{"Tetris (World) (Rev 1)", tetris}, {"Mario & Luigi", mario}});
    // An entry without a CRC cannot be looked up; MAME's <machine> counts as a game.
    xml.replace("</datafile>",
                "<machine name=\"No CRC\"><rom name=\"x.gb\" size=\"4\"/></machine>\n"
                "<machine name=\"Machine\"><rom name=\"m.gb\" crc=\"DEADBEEF\" size=\"lies\"/></machine>\n"
                "<game name=\"Short CRC\"><rom name=\"s.gb\" crc=\"ab\"/></game>\n"
                "</datafile>");
    writeFile("gb.dat", xml);

    const DatIndex index = DatReader::read(path("gb.dat"));

    EXPECT_EQ(index.name(), "Nintendo - Game Boy");
    EXPECT_EQ(index.romCount(), 4);
    ASSERT_EQ(index.withCrc(crcOf(tetris)).size(), 1u);
    const DatIndex::Rom &rom = index.withCrc(crcOf(tetris)).front();
    EXPECT_EQ(index.gameName(rom.game), "Tetris (World) (Rev 1)");
    EXPECT_EQ(rom.size, tetris.size());
    EXPECT_TRUE(rom.hasSha1());
    EXPECT_EQ(index.gameName(index.withCrc(crcOf(mario)).front().game), "Mario & Luigi");
    // A size that is no number decides nothing.
    ASSERT_EQ(index.withCrc(0xDEADBEEF).size(), 1u);
    EXPECT_FALSE(index.withCrc(0xDEADBEEF).front().hasSize());
    EXPECT_TRUE(index.withCrc(0x12345678).empty());
    // A CRC written without its leading zeros.
    ASSERT_EQ(index.withCrc(0xAB).size(), 1u);
    EXPECT_EQ(index.gameName(index.withCrc(0xAB).front().game), "Short CRC");
}

TEST_F(DatTest, ADatInsideAZipArchiveIsReadDirectly)
{
    writeZip(path("gb.zip"), {{"Nintendo - Game Boy (20240101).dat", datXml("Zipped", {{"Zelda", seededRom(3)}})}});
    const DatIndex index = DatReader::read(path("gb.zip"));
    EXPECT_EQ(index.name(), "Zipped");
    EXPECT_EQ(index.gameName(index.withCrc(crcOf(seededRom(3))).front().game), "Zelda");
    // The only member is the DAT whatever it is called.
    writeZip(path("odd.zip"), {{"listing.txt", datXml("Odd name", {{"Kirby", seededRom(4)}})}});
    const DatIndex odd = DatReader::read(path("odd.zip"));
    EXPECT_EQ(odd.name(), "Odd name");
    ASSERT_EQ(odd.withCrc(crcOf(seededRom(4))).size(), 1u);
}

TEST_F(DatTest, HostileDatsAreRefusedWithAMessageNamingTheFile)
{
    const QByteArray head = "<?xml version=\"1.0\"?>\n";
    const QByteArray laughs = head + "<!DOCTYPE datafile [\n<!ENTITY a \"hahahahahahahahahahaha\">\n"
                                     "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
                                     "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n]>\n"
                                     "<datafile><game name=\"&c;\"><rom crc=\"00000001\"/></game></datafile>\n";
    const QByteArray external = head + "<!DOCTYPE datafile [<!ENTITY secret SYSTEM \"file:///etc/passwd\">]>\n"
                                       "<datafile><game name=\"&secret;\"><rom crc=\"00000001\"/></game></datafile>\n";
    const struct
    {
        const char *name;
        QByteArray bytes;
        const char *line; // where the XML went wrong
    } cases[] = {
        {"binary.dat",
         QByteArray("\x7F"
                    "ELF\x02\x01\x01\x00\x00",
                    9),
         ":1"},
        {"empty.dat", QByteArray(), ""},
        {"html.dat", head + "<html><body>Not found</body></html>\n", ":2"},
        {"laughs.dat", laughs, ":6"},
        {"external.dat", external, ":2"},
        {"undeclared.dat", head + "<datafile><game name=\"&nope;\"/></datafile>\n", ":2"},
        // With an outside document type the reader cannot know an entity: it hands it over unread.
        {"outside.dat",
         head + "<!DOCTYPE datafile SYSTEM \"datafile.dtd\">\n<datafile>&outside;<game name=\"a\">"
                "<rom crc=\"00000001\"/></game></datafile>\n",
         ":3"},
        {"cut.dat", datXml("Cut", {{"Tetris", seededRom(1)}}).left(300), ""},
    };
    for (const auto &c : cases) {
        writeFile(c.name, c.bytes);
        const QString message = refusal(c.name);
        EXPECT_TRUE(message.startsWith(QStringLiteral("No se puede leer el DAT ") + path(c.name) + c.line))
            << c.name << ": " << qPrintable(message);
    }
    EXPECT_EQ(refusal("missing.dat"), QStringLiteral("No se puede leer el DAT ") + path("missing.dat") +
                                          QString::fromUtf8(": no es XML de Logiqx o está dañado"));
}

TEST_F(DatTest, DatsPastTheLimitsAreRefusedInBoundedMemory)
{
    QList<DatRom> roms;
    for (int i = 0; i < 5; ++i)
        roms.append({QStringLiteral("Game %1").arg(i), QByteArray::number(i)});
    writeFile("five.dat", datXml("Five", roms));
    DatReader::Limits fewEntries;
    fewEntries.maxRoms = 4;
    EXPECT_EQ(refusal("five.dat", fewEntries),
              path("five.dat") + " es demasiado grande para un DAT (más de 4 entradas o 128 MB)");
    EXPECT_EQ(refusal("five.dat"), "");
    // Exactly at the limit is still read.
    DatReader::Limits fiveEntries;
    fiveEntries.maxRoms = 5;
    EXPECT_EQ(refusal("five.dat", fiveEntries), "");

    DatReader::Limits fewBytes;
    fewBytes.maxBytes = 1 << 20;
    writeFile("huge.dat", QByteArray((1 << 20) + 1, ' '));
    const QString tooLarge = QString::fromUtf8(" es demasiado grande para un DAT (más de 1000000 entradas o 1 MB)");
    EXPECT_EQ(refusal("huge.dat", fewBytes), path("huge.dat") + tooLarge);
    // An archive's member is inflated only up to the limit, whatever size its directory declares.
    writeZip(path("bomb.zip"), {{"bomb.dat", datXml("Bomb", {}) + QByteArray(2 << 20, ' ')}});
    EXPECT_EQ(refusal("bomb.zip", fewBytes), path("bomb.zip") + tooLarge);
    writeZip(path("two.zip"), {{"a.dat", datXml("A", {})}, {"b.dat", datXml("B", {})}});
    EXPECT_EQ(refusal("two.zip"), QStringLiteral("No se puede leer el DAT ") + path("two.zip") +
                                      QString::fromUtf8(": no es XML de Logiqx o está dañado"));
}

TEST_F(DatTest, TheIndexCacheIsUsedUntilTheDatChanges)
{
    writeFile("gb.dat", datXml("First", {{"Tetris", seededRom(1)}}));
    const QDateTime time = QFileInfo(path("gb.dat")).lastModified();
    EXPECT_EQ(DatCatalog::loadDat(path("gb.dat")).name(), "First");
    ASSERT_TRUE(QFileInfo::exists(DatCatalog::cacheFileOf(path("gb.dat"))));
    // In the user's own cache folder, for each DAT its own file; nothing beside the DAT.
    EXPECT_TRUE(DatCatalog::cacheFileOf(path("gb.dat")).startsWith(m_temp.path() + "/cache/cartling/"));
    EXPECT_NE(DatCatalog::cacheFileOf(path("gb.dat")), DatCatalog::cacheFileOf(path("roms/gb.dat")));
    EXPECT_EQ(DatCatalog::cacheFileOf(path("gb.dat")), DatCatalog::cacheFileOf(path("roms/../gb.dat")));
    EXPECT_EQ(QFileInfo(m_temp.path() + "/cache/cartling").permissions() & 0x0077, 0);
    EXPECT_EQ(folderEntries(m_base), QStringList({"gb.dat", "roms"}));

    // Same size and time: the cache answers, so the new content is not seen.
    writeFile("gb.dat", datXml("Other", {{"Tetris", seededRom(1)}}));
    QFile dat(path("gb.dat"));
    ASSERT_TRUE(dat.open(QIODevice::ReadWrite));
    ASSERT_TRUE(dat.setFileTime(time, QFileDevice::FileModificationTime));
    dat.close();
    EXPECT_EQ(DatCatalog::loadDat(path("gb.dat")).name(), "First");

    // A damaged cache is never trusted.
    QFile cache(DatCatalog::cacheFileOf(path("gb.dat")));
    ASSERT_TRUE(cache.open(QIODevice::ReadWrite));
    cache.seek(cache.size() - 3);
    cache.write("\xFF");
    cache.close();
    EXPECT_EQ(DatCatalog::loadDat(path("gb.dat")).name(), "Other");

    // A new time reads the DAT again.
    writeFile("gb.dat", datXml("Third", {{"Tetris", seededRom(1)}}));
    ASSERT_TRUE(dat.open(QIODevice::ReadWrite));
    ASSERT_TRUE(dat.setFileTime(time.addSecs(5), QFileDevice::FileModificationTime));
    dat.close();
    EXPECT_EQ(DatCatalog::loadDat(path("gb.dat")).name(), "Third");
}

// A DAT in a folder others could write let them plant its index beside it: as a link to the user's key file,
// which the next start replaced, or as an index with the DAT's size and time that renamed games by its names.
TEST_F(DatTest, APlantedIndexIsNeitherWrittenThroughNorRead)
{
    writeFile("gb.dat", datXml("Genuine", {{"Tetris", seededRom(1)}}));
    const QFileInfo dat(path("gb.dat"));
    DatIndex::Builder builder;
    builder.setName("Planted");
    const QByteArray planted = builder.finish().toCache(dat.size(), dat.lastModified().toMSecsSinceEpoch());
    const QString index = DatCatalog::cacheFileOf(path("gb.dat"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(index).path()));
    const QByteArray key("ssh-ed25519 AAAA the user's key\n");
    writeFile("authorized_keys", key);

    writeFile(".gb.dat.cartling-index", planted); // where the index used to be
    ASSERT_TRUE(QFile::link(path("authorized_keys"), index));
    EXPECT_EQ(DatCatalog::loadDat(path("gb.dat")).name(), "Genuine");
    EXPECT_EQ(readFile("authorized_keys"), key);
    EXPECT_TRUE(QFileInfo(index).isSymLink());
    EXPECT_EQ(readFile(".gb.dat.cartling-index"), planted);

    // Another user's index in the cache folder (only root can make one here).
    ASSERT_TRUE(QFile::remove(index));
    QFile file(index);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(planted);
    file.close();
    if (giveToAnotherUser(index))
        EXPECT_EQ(DatCatalog::loadDat(path("gb.dat")).name(), "Genuine");
}

TEST_F(DatTest, TheStoredListShrinksWithoutBringingBackRemovedDats)
{
    DatCatalog::storeList({});
    EXPECT_EQ(readFile("Cartling.ini"), "[DAT]\r\nCuantos=0\r\n"); // no key emptied that was never there
    DatCatalog::storeList({"/a.dat", "/b.dat", "/c.dat"});
    DatCatalog::storeList({"/b.dat"});
    EXPECT_EQ(DatCatalog::storedList(), QStringList{"/b.dat"});
    // The keys past the count are emptied, not left to bring the removed DATs back.
    EXPECT_EQ(readFile("Cartling.ini"), "[DAT]\r\nCuantos=1\r\nDAT1=/b.dat\r\nDAT2=\r\nDAT3=\r\n");
    // The count decides, whatever keys a hand-edited file keeps past it; empty and repeated entries are skipped.
    for (const char *count : {"0", "-3"}) {
        writeFile("Cartling.ini", QByteArray("[DAT]\r\nCuantos=") + count + "\r\nDAT1=/a.dat\r\n");
        EXPECT_EQ(DatCatalog::storedList(), QStringList()) << count;
    }
    writeFile("Cartling.ini", "[DAT]\r\nCuantos=4\r\nDAT1=/a.dat\r\nDAT2=\r\nDAT3=/a.dat\r\nDAT4=/b.dat\r\n");
    EXPECT_EQ(DatCatalog::storedList(), QStringList({"/a.dat", "/b.dat"}));
}

} // namespace
