#include "CollectionTestSupport.h"

#include "collection/CollectionVerifier.h"
#include "collection/DatRenamer.h"
#include "collection/DumpCheck.h"

#include <QDir>

namespace {

class RomNameTest : public CollectionTest
{
protected:
    QStringList files() const { return QDir(path("roms")).entryList(QDir::Files, QDir::Name); }
    DatRenamer::Plan plan(const QList<DatRom> &roms)
    {
        writeFile("gb.dat", datClrMame("GB", roms));
        m_dats.add(path("gb.dat"), DatCatalog::loadDat(path("gb.dat")));
        QStringList paths;
        for (const QString &name : files())
            paths.append(rom(name));
        CollectionVerifier(m_dats, m_cache).verify(paths);
        return DatRenamer::plan(paths, m_dats, m_cache);
    }

    DatCatalog m_dats;
    HashCache m_cache{QString()};
};

// No-Intro names many ROM entries with more than their game; ROM managers name the file after the entry.
TEST_F(RomNameTest, APlainRomTakesItsRomEntrysNameWithItsOwnExtensionAndUndoPutsItBack)
{
    m_cache = HashCache(path("Verificacion.cache"));
    const struct
    {
        const char *file;
        const char *game;
        const char *romName;
        const char *renamed; // the file's name after the run
    } cases[] = {
        {"juillet.gb", "14 Juillet (World) (Fr)", "14 Juillet (World) (Fr) (Aftermarket) (Unl).gb",
         "14 Juillet (World) (Fr) (Aftermarket) (Unl).gb"},
        // The extension is the file's: the views and the emulator go by it.
        {"colour.gbc", "Colour (World)", "Colour (World) (Rev 1).gb", "Colour (World) (Rev 1).gbc"},
        // An entry named as no ROM, or with a name Cartling does not give a file: the game's name.
        {"manual.gb", "Manual (World)", "Manual (World).txt", "Manual (World).gb"},
        {"colon.gb", "Colon (World)", "Colon: The Game.gb", "Colon (World).gb"},
        // An archive takes the game's name.
        {"zipped.zip", "Zipped (World)", "Zipped (World) (Unl).gb", "Zipped (World).zip"},
    };
    QList<DatRom> roms;
    int seed = 1;
    for (const auto &c : cases) {
        const QByteArray bytes = seededRom(seed++);
        roms.append({c.game, bytes, {}, -1, c.romName});
        if (QString(c.file).endsWith(".zip"))
            writeZip(rom(c.file), {{"inside.gb", bytes}});
        else
            writeRom(c.file, bytes);
    }
    writeRom("juillet.sav", "battery");
    const QStringList before = files();

    const DatRenamer::Outcome outcome = DatRenamer::apply(plan(roms), {}, path("log.json"));
    EXPECT_EQ(outcome.renamed, int(std::size(cases)));
    // The save goes along with the new stem.
    QStringList expected{"14 Juillet (World) (Fr) (Aftermarket) (Unl).sav"};
    for (const auto &c : cases)
        expected.append(c.renamed);
    expected.sort();
    EXPECT_EQ(files(), expected);

    ASSERT_TRUE(DatRenamer::undo({}, path("log.json")).has_value());
    EXPECT_EQ(files(), before);
}

} // namespace
