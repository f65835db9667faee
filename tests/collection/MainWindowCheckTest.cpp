#include "CollectionTestSupport.h"
#include "MainWindowFixture.h"

#include "collection/CollectionCommands.h"
#include "collection/CollectionVerifier.h"
#include "collection/DatCatalog.h"

#include <QLabel>
#include <QMenu>

namespace {

class MainWindowCheck : public MainWindowTest
{
};

TEST_F(MainWindowCheck, TheArchivoMenuRowsAndDetailsShowTheCheck)
{
    writeFile("tetris.gb", seededRom(1));
    writeFile("other.gb", seededRom(2));
    writeFile("gb.dat", datXml("GB", {{"Tetris (World)", seededRom(1)}}));
    DatCatalog::storeList({path("gb.dat")});
    DatCatalog dats;
    dats.add(path("gb.dat"), DatCatalog::loadDat(path("gb.dat")));
    HashCache cache;
    CollectionVerifier(dats, cache).verify({path("tetris.gb"), path("other.gb")});
    ASSERT_TRUE(cache.save());

    start();
    main().findChild<CollectionCommands *>()->finishLoading();

    const QList<QAction *> file = main().menus().menu("AHMMenuItem1")->actions();
    const qsizetype load = file.indexOf(item("CargarDAT1"));
    ASSERT_GE(load, 0);
    EXPECT_EQ(file.mid(load, 6), QList<QAction *>({item("CargarDAT1"), item("QuitarDAT1"), item("VerificarColeccion1"),
                                                   item("InformeColeccion1"), item("RenombrarSegunDAT1"),
                                                   item("DeshacerRenombrar1")}));
    EXPECT_LT(load, file.indexOf(item("Salir1")));
    EXPECT_FALSE(item("DeshacerRenombrar1")->isEnabled());
    // The DATs read at start-up come in late: Quitar follows them.
    EXPECT_TRUE(item("QuitarDAT1")->isEnabled());

    const RomListModel &rows = main().session().romList();
    ASSERT_EQ(rows.count(), 2);
    const QModelIndex tetris = rows.index(1);
    EXPECT_EQ(rows.data(tetris, RomListModel::MarksRole).toString(), QString::fromUtf8("\u2714"));
    EXPECT_EQ(rows.data(tetris, Qt::ToolTipRole).toString(),
              path("tetris.gb") + "\nVolcado correcto: Tetris (World) (GB)");

    clickEntry("tetris.gb");
    const QString details = main().findChild<QLabel *>("GameDetails")->text();
    // The state, then the header (the label cuts what does not fit its width).
    const QStringList lines = details.split(u'\n');
    ASSERT_GE(lines.size(), 3) << qPrintable(details);
    EXPECT_EQ(lines[0], "Volcado correcto: Tetris (World) (GB)");
    EXPECT_EQ(lines[1], "Suma de la cabecera: 0x7C, correcta");
    EXPECT_TRUE(lines[2].startsWith("Suma global: 0x05FE")) << qPrintable(lines[2]);

    // Verifying from the menu goes over every file of the list.
    m_messages.shown.clear();
    item("VerificarColeccion1")->trigger();
    EXPECT_EQ(m_messages.shown,
              QStringList{QString::fromUtf8("Verificados 2 archivos: 1 correctos, 0 erróneos, 1 desconocidos")});

    item("QuitarDAT1")->trigger();
    EXPECT_FALSE(item("QuitarDAT1")->isEnabled());
    EXPECT_EQ(rows.data(tetris, RomListModel::MarksRole).toString(), "");
}

// "Quitar los DAT cargados" follows the DATs loaded, whichever way they come and go.
TEST_F(MainWindowCheck, ForgettingDatsIsOfferedWhileDatsAreLoaded)
{
    start();
    auto *commands = main().findChild<CollectionCommands *>();
    commands->finishLoading();
    EXPECT_FALSE(item("QuitarDAT1")->isEnabled());
    writeFile("gb.dat", datXml("GB", {{"Tetris (World)", seededRom(1)}}));
    commands->addDats({path("gb.dat")});
    EXPECT_TRUE(item("QuitarDAT1")->isEnabled());
    commands->forgetDats();
    EXPECT_FALSE(item("QuitarDAT1")->isEnabled());
}

} // namespace
