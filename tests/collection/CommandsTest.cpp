#include "CollectionTestSupport.h"

#include "collection/CollectionCommands.h"
#include "collection/RenamePreviewDialog.h"
#include "platform/ErrorHandler.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace {

class CommandsTest : public CollectionTest
{
protected:
    void SetUp() override
    {
        CollectionTest::SetUp();
        writeFile("gb.dat", datXml("GB", {{"Tetris (World)", seededRom(1)}}));
        writeFile("bad.dat", "<html/>");
        writeRom("tetris.gb", seededRom(1));
        writeRom("other.gb", seededRom(2));
    }

    std::unique_ptr<CollectionCommands> commands()
    {
        auto made = std::make_unique<CollectionCommands>(
            &m_window,
            [this] {
                QStringList paths;
                for (const QString &name : QDir(path("roms")).entryList(QDir::Files, QDir::Name))
                    paths.append(rom(name));
                return paths;
            },
            [this] { ++m_rereads; });
        made->finishLoading();
        return made;
    }

    QWidget m_window;
    int m_rereads = 0;
};

TEST_F(CommandsTest, LoadVerifyRenameAndUndoAsTheMenuItemsRunThem)
{
    auto collection = commands();
    EXPECT_FALSE(collection->hasDats());
    collection->verify();
    EXPECT_EQ(m_messages.shown.takeLast(), QString::fromUtf8("No hay ningún DAT cargado; cárguelo con «Cargar DAT…»"));

    collection->addDats({path("gb.dat"), path("bad.dat")});
    EXPECT_EQ(m_messages.shown.takeLast(), "No se puede leer el DAT " + path("bad.dat") +
                                               QString::fromUtf8(":1: no es XML de Logiqx o está dañado"));
    EXPECT_EQ(DatCatalog::storedList(), QStringList{path("gb.dat")});

    collection->verify();
    EXPECT_EQ(m_messages.shown.takeLast(),
              QString::fromUtf8("Verificados 2 archivos: 1 correctos, 0 erróneos, 1 desconocidos"));
    EXPECT_EQ(collection->checkOf(rom("tetris.gb")).state, DumpState::Matches);
    EXPECT_EQ(collection->detailLines(rom("tetris.gb")).value(0), "Volcado correcto: Tetris (World) (GB)");

    // The details of a file that changed since they were shown are read again.
    const QStringList before = collection->detailLines(rom("other.gb"));
    QByteArray changed = seededRom(2, 64 * 1024);
    changed[0x147] = 0x03;
    writeRom("other.gb", changed);
    EXPECT_NE(collection->detailLines(rom("other.gb")), before);
    // Nor do they stay with a file that has gone.
    QFile::remove(rom("other.gb"));
    EXPECT_EQ(collection->detailLines(rom("other.gb")).size(), 1);

    // A new start reads the stored DAT and the stored results.
    EXPECT_EQ(commands()->checkOf(rom("tetris.gb")).state, DumpState::Matches);

    QTimer::singleShot(0, &m_window, [this] {
        auto *preview = m_window.findChild<RenamePreviewDialog *>();
        ASSERT_NE(preview, nullptr);
        preview->findChild<QPushButton *>("Button1")->click();
    });
    collection->renameToDat();
    EXPECT_EQ(m_messages.shown.takeLast(),
              QString::fromUtf8("Nombres cambiados: 1. Sin cambiar (nombre ocupado o no válido): 0"));
    EXPECT_EQ(m_rereads, 1);
    // The results follow the file to its new name.
    EXPECT_EQ(collection->checkOf(rom("Tetris (World).gb")).state, DumpState::Matches);
    EXPECT_TRUE(collection->canUndo());

    collection->undoLastRename();
    EXPECT_TRUE(QFileInfo::exists(rom("tetris.gb")));
    EXPECT_EQ(collection->checkOf(rom("tetris.gb")).state, DumpState::Matches);
    EXPECT_FALSE(collection->canUndo());

    collection->forgetDats();
    EXPECT_EQ(collection->checkOf(rom("tetris.gb")).state, DumpState::NotChecked);
    EXPECT_TRUE(DatCatalog::storedList().isEmpty());
}

// Broke when the titles list could not be written: the renamed file lost its check until it was hashed again.
TEST_F(CommandsTest, ARunThatFailsAfterRenamingKeepsTheChecksOfWhatItRenamed)
{
    writeFile("Titulos.ini", "[tetris]\r\nTitulo=TETRIS\r\n\r\n");
    QFile::setPermissions(path("Titulos.ini"), QFileDevice::ReadOwner);
    auto collection = commands();
    collection->undoLastRename();
    EXPECT_EQ(m_messages.shown.takeLast(), QString::fromUtf8("No hay ningún cambio de nombres que deshacer"));
    QTimer::singleShot(0, &m_window, [this] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(path("gb.dat"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    collection->loadDat();
    EXPECT_TRUE(collection->hasDats());
    collection->verify();
    m_messages.shown.clear();
    // Cancelled at the preview: nothing happens.
    QTimer::singleShot(0, &m_window, [this] {
        m_window.findChild<RenamePreviewDialog *>()->findChild<QPushButton *>("Button2")->click();
    });
    collection->renameToDat();
    EXPECT_TRUE(QFileInfo::exists(rom("tetris.gb")));
    EXPECT_FALSE(collection->canUndo());
    QTimer::singleShot(0, &m_window, [this] {
        m_window.findChild<RenamePreviewDialog *>()->findChild<QPushButton *>("Button1")->click();
    });
    EXPECT_THROW(collection->renameToDat(), CartlingError);
    EXPECT_EQ(m_messages.shown,
              QStringList{QString::fromUtf8("Nombres cambiados: 1. Sin cambiar (nombre ocupado o no válido): 0")});
    EXPECT_EQ(m_rereads, 1);
    EXPECT_EQ(collection->checkOf(rom("Tetris (World).gb")).state, DumpState::Matches);
    EXPECT_TRUE(collection->canUndo());

    // A new start reads the DATs and the checks on its own, and tells when they are in.
    bool loaded = false;
    CollectionCommands late(&m_window, [this] { return QStringList{rom("Tetris (World).gb")}; }, {});
    QObject::connect(&late, &CollectionCommands::checksChanged, [&loaded] { loaded = true; });
    EXPECT_TRUE(QTest::qWaitFor([&loaded] { return loaded; }, 5000));
    EXPECT_EQ(late.checkOf(rom("Tetris (World).gb")).state, DumpState::Matches);
    m_messages.shown.clear();
    late.renameToDat();
    EXPECT_EQ(m_messages.shown,
              QStringList{QString::fromUtf8("Ningún archivo verificado necesita un nombre nuevo según los DAT")});
    CollectionCommands none(&m_window, [] { return QStringList(); }, {});
    none.verify();
    EXPECT_EQ(m_messages.shown.takeLast(), QString::fromUtf8("No se encuentran Juegos"));
    { // closed while it still reads
        CollectionCommands closed(&m_window, [] { return QStringList(); }, {});
    }
    // Forgetting the DATs while they are read at start-up: they do not come back when the reading ends.
    CollectionCommands forgetting(&m_window, [] { return QStringList(); }, {});
    forgetting.forgetDats();
    forgetting.finishLoading();
    EXPECT_EQ(forgetting.checkOf(rom("Tetris (World).gb")).state, DumpState::NotChecked);
}

} // namespace
