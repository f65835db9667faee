#include "CollectionTestSupport.h"

#include "collection/CartridgeHeader.h"
#include "collection/CollectionVerifier.h"
#include "collection/DumpCheck.h"
#include "collection/Sha1.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <zlib.h>

namespace {

TEST(Sha1, MatchesQtForEveryLengthAndWayOfFeedingIt)
{
    QRandomGenerator random(7);
    QByteArray data(70000, Qt::Uninitialized);
    for (char &c : data)
        c = char(random.bounded(256));
    QList<qsizetype> lengths;
    for (qsizetype n = 0; n <= 200; ++n)
        lengths.append(n);
    lengths << 1000 << 4096 << 65535 << 70000;
    for (const qsizetype length : lengths) {
        Sha1 sha1;
        // Pieces of every size, so partial blocks meet the block boundaries in every way.
        for (qsizetype at = 0; at < length;) {
            const qsizetype piece = std::min<qsizetype>(length - at, random.bounded(1, 150));
            sha1.addData(data.constData() + at, piece);
            at += piece;
        }
        ASSERT_EQ(sha1.result(), QCryptographicHash::hash(data.left(length), QCryptographicHash::Sha1))
            << "length " << length;
    }
}

class VerifyTest : public CollectionTest
{
protected:
    void SetUp() override
    {
        CollectionTest::SetUp();
        m_cache = HashCache(path("Verificacion.cache"));
    }
    void loadDat(const QList<DatRom> &roms)
    {
        writeFile("gb.dat", datXml("Nintendo - Game Boy", roms));
        m_dats.add(path("gb.dat"), DatCatalog::loadDat(path("gb.dat")));
    }
    CollectionVerifier::Result verify(const QStringList &names)
    {
        QStringList files;
        for (const QString &name : names)
            files.append(rom(name));
        return CollectionVerifier(m_dats, m_cache, {}).verify(files);
    }
    DumpCheck check(const QString &name) const
    {
        return DumpCheck::of(m_cache.find(rom(name), *HashCache::stampOf(rom(name))), m_dats);
    }

    DatCatalog m_dats;
    HashCache m_cache{QString()}; // made in SetUp, once the base folder exists
};

TEST_F(VerifyTest, EachFileGetsItsStateAgainstTheDats)
{
    const QByteArray tetris = seededRom(1), zelda = seededRom(2), kirby = seededRom(3);
    QByteArray badZelda = zelda;
    badZelda[0x4000] = char(badZelda[0x4000] ^ 1);
    loadDat({{"Tetris (World)", tetris},
             {"Zelda", zelda},
             // The DAT's SHA-1 and size of these do not fit the bytes whose CRC they carry.
             {"Kirby", kirby, QString(40, u'0')},
             {"Wario", seededRom(4), {}, 1}});
    writeRom("tetris.gb", tetris);
    writeRom("kirby.gb", kirby);
    writeRom("wario.gb", seededRom(4));
    writeRom("zelda.gb", badZelda);
    writeZip(rom("tetris.zip"), {{"readme.txt", "hi"}, {"Tetris.GB", tetris}});
    writeZip(rom("two.zip"), {{"a.gb", tetris}, {"b.gbc", zelda}});
    // An archive made on MS-DOS: its directory entry gives no Unix file type, only the DOS archive bit.
    writeZip(rom("dos.zip"), {{"TETRIS.GB", tetris}});
    QByteArray dos = readFile("roms/dos.zip");
    const qsizetype entry = dos.indexOf("PK\x01\x02");
    ASSERT_GT(entry, 0);
    dos[entry + 5] = 0;                                            // made by MS-DOS
    dos.replace(entry + 38, 4, QByteArray("\x20\x00\x00\x00", 4)); // external attributes
    writeFile("roms/dos.zip", dos);

    const auto result =
        verify({"tetris.gb", "kirby.gb", "wario.gb", "zelda.gb", "tetris.zip", "two.zip", "dos.zip"});

    EXPECT_EQ(check("tetris.gb").state, DumpState::Matches);
    EXPECT_EQ(check("tetris.gb").game, "Tetris (World)");
    EXPECT_EQ(check("tetris.gb").tooltip(), "Volcado correcto: Tetris (World) (Nintendo - Game Boy)");
    EXPECT_EQ(check("tetris.zip").state, DumpState::Matches);
    EXPECT_EQ(check("dos.zip").state, DumpState::Matches);
    EXPECT_EQ(check("kirby.gb").state, DumpState::BadDump);
    EXPECT_EQ(check("wario.gb").state, DumpState::BadDump);
    EXPECT_EQ(check("wario.gb").mark(), QString::fromUtf8("\u2718"));
    EXPECT_EQ(check("zelda.gb").state, DumpState::Unknown);
    EXPECT_EQ(check("zelda.gb").tooltip(), "Desconocido en los DAT cargados");
    // An archive of two ROMs is no one game.
    EXPECT_EQ(check("two.zip").state, DumpState::NotChecked);
    EXPECT_EQ(check("two.zip").tooltip(), "Sin verificar");
    EXPECT_EQ(result.matches, 3);
    EXPECT_EQ(result.badDumps, 2);
    EXPECT_EQ(result.unknown, 1);
    EXPECT_EQ(result.notChecked, 1);
}

TEST_F(VerifyTest, AnArchiveIsInflatedOnlyToConfirmACrcMatch)
{
    const QByteArray known = seededRom(1), unknown = seededRom(2);
    loadDat({{"Known", known}});
    // Stored members with one byte of their data damaged: the directory is whole, reading the member fails.
    for (const auto &[name, bytes] : {std::pair{QStringLiteral("known.zip"), known}, {"unknown.zip", unknown}}) {
        writeZip(rom(name), {{"game.gb", bytes}}, true);
        QFile file(rom(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray content = file.readAll();
        const qsizetype at = content.indexOf(bytes.mid(0x200, 64));
        ASSERT_GT(at, 0);
        content[at] = char(content[at] ^ 0xFF);
        file.seek(0);
        file.write(content);
    }

    const auto result = verify({"known.zip", "unknown.zip"});

    // Its CRC came from the directory and matched nothing, so its data was never read.
    EXPECT_EQ(check("unknown.zip").state, DumpState::Unknown);
    const HashCache::Entry *unknownEntry = m_cache.find(rom("unknown.zip"));
    ASSERT_NE(unknownEntry, nullptr);
    EXPECT_TRUE(unknownEntry->hashes.sha1.isEmpty());
    // The CRC matched, the SHA-1 had to be read, and the damage shows.
    EXPECT_EQ(result.skipped, QStringList{rom("known.zip")});
}

TEST_F(VerifyTest, ASecondRunReadsOnlyWhatChangedAndVanishedFilesAreSkipped)
{
    loadDat({{"One", seededRom(1)}});
    for (int i = 1; i <= 3; ++i)
        writeRom(QStringLiteral("%1.gb").arg(i), seededRom(i));
    makeFolder("roms/folder.gb");
    EXPECT_EQ(verify({"1.gb", "2.gb", "3.gb"}).read, 3);
    ASSERT_TRUE(m_cache.save());

    HashCache reloaded(path("Verificacion.cache"));
    reloaded.load();
    m_cache = reloaded;
    // Now the known game, of the same size; a second later, as a file system may keep times coarsely.
    const QDateTime time = QFileInfo(rom("2.gb")).lastModified();
    writeRom("2.gb", seededRom(1));
    QFile changed(rom("2.gb"));
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
    ASSERT_TRUE(changed.setFileTime(time.addSecs(1), QFileDevice::FileModificationTime));
    changed.close();
    QFile::remove(rom("3.gb"));
    const auto result = verify({"1.gb", "2.gb", "3.gb", "folder.gb"});

    EXPECT_EQ(result.read, 1);
    EXPECT_EQ(check("2.gb").state, DumpState::Matches);
    EXPECT_EQ(result.skipped, QStringList({rom("3.gb"), rom("folder.gb")}));
    EXPECT_EQ(m_cache.find(rom("3.gb")), nullptr);
}

// The verification cache was written through a link planted at its name, and read from whatever stood there.
TEST_F(VerifyTest, TheCacheIsNeitherWrittenThroughALinkNorReadFromOne)
{
    loadDat({{"One", seededRom(1)}});
    writeRom("1.gb", seededRom(1));
    verify({"1.gb"});
    HashCache good(path("good.cache"));
    good.store(rom("1.gb"), *m_cache.find(rom("1.gb")));
    ASSERT_TRUE(good.save());
    const QByteArray goodBytes = readFile("good.cache");

    ASSERT_TRUE(QFile::link(path("good.cache"), path("Verificacion.cache")));
    EXPECT_FALSE(m_cache.save());
    EXPECT_EQ(readFile("good.cache"), goodBytes);
    EXPECT_TRUE(QFileInfo(path("Verificacion.cache")).isSymLink());
    HashCache linked(path("Verificacion.cache"));
    linked.load();
    EXPECT_EQ(linked.size(), 0);

    // Another user's file in its place (only root can make one here).
    ASSERT_TRUE(QFile::remove(path("Verificacion.cache")));
    ASSERT_TRUE(QFile::copy(path("good.cache"), path("Verificacion.cache")));
    HashCache foreign(path("Verificacion.cache"));
    foreign.load();
    EXPECT_EQ(foreign.size(), 1);
    if (giveToAnotherUser(path("Verificacion.cache"))) {
        foreign.load();
        EXPECT_EQ(foreign.size(), 0);
    }
}

TEST_F(VerifyTest, ACacheFileDamagedOrMadeWronglyGivesAnEmptyCache)
{
    HashCache written(path("written.cache"));
    written.store("p", {{1, 2}, HashCache::Kind::NoRom, 5, true, {3, 4, QByteArray(20, 's')}});
    ASSERT_TRUE(written.save());
    // After the mark and the checksum: the count, then the entry: the path's length and the path at 4 and 8, the
    // kind at 25, the SHA-1's length and the SHA-1 at 47 and 51.
    const QByteArray body = readFile("written.cache").sliced(12);
    ASSERT_EQ(body.size(), 71);
    const auto withChecksum = [](const QByteArray &body, quint32 change = 0) {
        QByteArray file("CTLHASH1");
        const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(body.constData()), uInt(body.size())));
        for (int i = 0; i < 4; ++i)
            file += char(quint8((crc + change) >> (8 * i)));
        return file + body;
    };
    const auto changed = [&](qsizetype at, const QByteArray &bytes) {
        return QByteArray(body).replace(at, bytes.size(), bytes);
    };
    const struct
    {
        const char *what;
        QByteArray file;
        qsizetype entries;
    } cases[] = {
        {"as written", withChecksum(body), 1},
        {"another checksum", withChecksum(body, 1), 0},
        {"a count without its entries", withChecksum(body.first(4)), 0},
        {"a path longer than the file", withChecksum(changed(4, "\xFF\xFF\xFF\x7F")), 0},
        {"a SHA-1 cut off after its length", withChecksum(body.first(51)), 0},
        {"a count past any collection", withChecksum(changed(0, "\xFF\xFF\xFF\xFF")), 0},
        {"an unknown kind", withChecksum(changed(25, "\x02")), 0},
        {"a SHA-1 of 19 bytes", withChecksum(changed(47, "\x13").first(70)), 0},
        {"bytes after the entries", withChecksum(body + "x"), 0},
        {"another mark", "CTLHASH2" + withChecksum(body).sliced(8), 0},
    };
    for (const auto &c : cases) {
        writeFile("Verificacion.cache", c.file);
        HashCache cache(path("Verificacion.cache"));
        cache.load();
        EXPECT_EQ(cache.size(), c.entries) << c.what;
    }
    writeFile("Verificacion.cache", withChecksum(body));
    HashCache cache(path("Verificacion.cache"));
    cache.load();
    const HashCache::Entry *entry = cache.find("p", {1, 2});
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->kind, HashCache::Kind::NoRom);
    EXPECT_EQ(entry->member, 5u);
    EXPECT_TRUE(entry->inArchive);
    EXPECT_EQ(entry->hashes.size, 3);
    EXPECT_EQ(entry->hashes.crc, 4u);
    EXPECT_EQ(entry->hashes.sha1, QByteArray(20, 's'));
    // A renamed file keeps its entry; renaming one the cache does not know changes nothing.
    cache.rename("p", "q");
    cache.rename("unknown", "r");
    EXPECT_EQ(cache.paths(), QStringList{"q"});
}

TEST_F(VerifyTest, HeaderChecksumsAndFieldsOfBuiltImages)
{
    // Zeros but for the flags: colour compatible, Super Game Boy, MBC1+RAM+BATTERY, 64 KiB of ROM, 8 KiB of RAM.
    QByteArray flagged(64 * 1024, '\0');
    flagged[0x143] = char(0x80);
    flagged[0x146] = 0x03;
    flagged[0x147] = 0x03;
    flagged[0x148] = 0x01;
    flagged[0x149] = 0x02;
    flagged[0x14D] = 0x5E;
    flagged[0x14F] = char(0xE7);
    writeRom("flagged.gb", flagged);
    EXPECT_EQ(
        CartridgeHeader::detailLinesOf(rom("flagged.gb")),
        QStringList({"Suma de la cabecera: 0x5E, correcta", "Suma global: 0x00E7, correcta",
                     "Tipo de cartucho: MBC1+RAM+BATTERY", QString::fromUtf8("Tamaño de ROM: 64 KiB, de RAM: 8 KiB"),
                     QString::fromUtf8("Game Boy Color: compatible; Super Game Boy: sí")}));

    // An all-zero header sums to 0xE7; one more byte anywhere breaks the global sum only.
    QByteArray zero(32 * 1024, '\0');
    zero[0x14D] = char(0xE7);
    zero[0x14F] = char(0xE7);
    zero[0x3000] = 1;
    writeZip(rom("zero.zip"), {{"zero.gb", zero}});
    const QStringList lines = CartridgeHeader::detailLinesOf(rom("zero.zip"));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "Suma de la cabecera: 0xE7, correcta");
    EXPECT_EQ(lines[1], QString::fromUtf8("Suma global: 0x00E7, errónea (debería ser 0x00E8)"));
    EXPECT_EQ(lines[2], "Tipo de cartucho: ROM ONLY");
    EXPECT_EQ(lines[4], "Game Boy Color: no; Super Game Boy: no");
    // Other members of an archive do not count; a second ROM leaves no header to show.
    writeZip(rom("notes.zip"), {{"leeme.txt", "notes"}, {"zero.gb", zero}, {"zz.txt", "more"}});
    EXPECT_EQ(CartridgeHeader::detailLinesOf(rom("notes.zip")), lines);
    writeZip(rom("two.zip"), {{"a.gb", zero}, {"b.gb", zero}});
    EXPECT_EQ(CartridgeHeader::detailLinesOf(rom("two.zip")), QStringList());
    zero[0x134] = 'T';
    writeRom("title.gb", zero);
    EXPECT_EQ(CartridgeHeader::detailLinesOf(rom("title.gb")).value(0),
              QString::fromUtf8("Suma de la cabecera: 0xE7, errónea (debería ser 0x93)"));

    writeRom("short.gb", QByteArray(0x14F, '\0'));
    EXPECT_EQ(CartridgeHeader::detailLinesOf(rom("short.gb")), QStringList{"Cabecera incompleta"});
    EXPECT_EQ(CartridgeHeader::detailLinesOf(rom("missing.gb")), QStringList());
}

TEST_F(VerifyTest, AnArchiveCheckedBeforeItsDatWasLoadedWaitsForTheNextRun)
{
    // Verified while no DAT knew its CRC, the member was never inflated: a DAT loaded later cannot call it bad.
    const QByteArray game = seededRom(5);
    loadDat({{"Other", seededRom(6)}});
    writeZip(rom("late.zip"), {{"late.gb", game}});
    EXPECT_EQ(verify({"late.zip"}).unknown, 1);

    writeFile("late.dat", datXml("Later", {{"Late (World)", game}}));
    m_dats.add(path("late.dat"), DatCatalog::loadDat(path("late.dat")));
    EXPECT_EQ(check("late.zip").state, DumpState::NotChecked);
    EXPECT_EQ(check("late.zip").mark(), QString());

    const auto again = verify({"late.zip"});
    EXPECT_EQ(again.matches, 1);
    EXPECT_EQ(again.read, 1);
    EXPECT_EQ(check("late.zip").game, "Late (World)");
}

TEST_F(VerifyTest, AnArchiveDeclaringMoreThanAnyRomHoldsIsNotChecked)
{
    const QByteArray game = seededRom(7);
    loadDat({{"Huge", game}});
    writeZip(rom("huge.zip"), {{"huge.gb", game}}, true);
    // The directory (and the local header) claim one byte more than the largest ROM read.
    QByteArray bytes = readFile("roms/huge.zip");
    const quint32 declared = quint32(RomHashing::MaxRomBytes + 1);
    for (const auto &[signature, offset] :
         {std::pair{QByteArray("PK\x03\x04", 4), 22}, {QByteArray("PK\x01\x02", 4), 24}}) {
        const qsizetype at = bytes.indexOf(signature);
        ASSERT_GE(at, 0);
        for (int i = 0; i < 4; ++i)
            bytes[at + offset + i] = char(declared >> (8 * i));
    }
    writeFile("roms/huge.zip", bytes);

    const auto result = verify({"huge.zip"});
    EXPECT_EQ(result.notChecked, 1);
    EXPECT_EQ(result.matches + result.badDumps + result.unknown, 0);
    EXPECT_EQ(check("huge.zip").state, DumpState::NotChecked);
}

TEST_F(VerifyTest, PartialRunsAndDamagedCachesKeepOnlyWhatHolds)
{
    loadDat({{"One", seededRom(1)}, {"Two", seededRom(2)}});
    writeRom("1.gb", seededRom(1));
    writeRom("2.gb", seededRom(2));
    ASSERT_EQ(verify({"1.gb", "2.gb"}).matches, 2);

    // Verifying one file of the folder keeps what the other, still there, got.
    EXPECT_EQ(verify({"1.gb"}).read, 0);
    ASSERT_NE(m_cache.find(rom("2.gb")), nullptr);
    EXPECT_EQ(check("2.gb").state, DumpState::Matches);
    ASSERT_TRUE(m_cache.save());

    // One bit flipped inside a stored SHA-1: the whole cache is ignored and every file is hashed again.
    QByteArray bytes = readFile("Verificacion.cache");
    const QByteArray sha1 = m_cache.find(rom("2.gb"))->hashes.sha1;
    const qsizetype at = bytes.indexOf(sha1);
    ASSERT_GT(at, 0);
    bytes[at + 7] = char(bytes[at + 7] ^ 0x10);
    writeFile("Verificacion.cache", bytes);
    m_cache = HashCache(path("Verificacion.cache"));
    m_cache.load();
    EXPECT_EQ(m_cache.size(), 0);
    const auto result = verify({"1.gb", "2.gb"});
    EXPECT_EQ(result.read, 2);
    EXPECT_EQ(result.matches, 2);
}

TEST(CartridgeHeaderSizes, EveryRomAndRamSizeCodeNamesItsSize)
{
    QByteArray image(CartridgeHeader::Size, '\0');
    const auto textsFor = [&image](quint8 romCode, quint8 ramCode) {
        image[0x148] = char(romCode);
        image[0x149] = char(ramCode);
        const auto header = CartridgeHeader::of(image);
        return header ? std::pair{header->romSizeText(), header->ramSizeText()} : std::pair{QString(), QString()};
    };
    const QStringList roms = {"32 KiB", "64 KiB", "128 KiB", "256 KiB", "512 KiB", "1 MiB", "2 MiB", "4 MiB", "8 MiB"};
    for (int code = 0; code < roms.size(); ++code)
        EXPECT_EQ(textsFor(quint8(code), 0).first, roms[code]) << "ROM code " << code;
    const QList<std::pair<quint8, QString>> odd = {{0x09, "0x09"},     {0x52, "1152 KiB"}, {0x53, "1280 KiB"},
                                                   {0x54, "1536 KiB"}, {0x55, "0x55"},     {0xFF, "0xFF"}};
    for (const auto &[code, text] : odd)
        EXPECT_EQ(textsFor(code, 0).first, text) << "ROM code " << int(code);
    const QStringList rams = {"0 KiB", "2 KiB", "8 KiB", "32 KiB", "128 KiB", "64 KiB", "0x06"};
    for (int code = 0; code < rams.size(); ++code)
        EXPECT_EQ(textsFor(0, quint8(code)).second, rams[code]) << "RAM code " << code;
}

} // namespace
