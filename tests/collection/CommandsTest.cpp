#include "CollectionTestSupport.h"

#include "archive/Libzip.h"
#include "archive/ZipLibrary.h"
#include "collection/BackgroundRun.h"
#include "collection/CollectionCommands.h"
#include "collection/RenamePreviewDialog.h"
#include "platform/ErrorHandler.h"
#include "platform/WorkerFailure.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QThread>
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

    std::unique_ptr<CollectionCommands> commands(bool wait = true)
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
        if (wait)
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
    // The saved results too, and nothing stays under the old name to be taken for another file's.
    const auto saved = [] {
        HashCache cache;
        cache.load();
        return cache;
    };
    EXPECT_NE(saved().find(rom("Tetris (World).gb")), nullptr);
    EXPECT_EQ(saved().find(rom("tetris.gb")), nullptr);

    collection->undoLastRename();
    EXPECT_TRUE(QFileInfo::exists(rom("tetris.gb")));
    EXPECT_EQ(collection->checkOf(rom("tetris.gb")).state, DumpState::Matches);
    EXPECT_NE(saved().find(rom("tetris.gb")), nullptr);
    EXPECT_EQ(saved().find(rom("Tetris (World).gb")), nullptr);
    EXPECT_FALSE(collection->canUndo());

    collection->forgetDats();
    EXPECT_EQ(collection->checkOf(rom("tetris.gb")).state, DumpState::NotChecked);
    EXPECT_TRUE(DatCatalog::storedList().isEmpty());
}

// A zipped DAT in the list with the ZIP library missing ended the program with "terminate called" (status 134):
// the error of the start-up reading escaped its thread.
TEST_F(CommandsTest, AFailedStartUpReadingEndsTheRunWithTheLibrarysMessageAndSavesNothing)
{
    writeZip(path("gb.zip"), {{"gb.dat", datXml("GB", {{"Tetris (World)", seededRom(1)}})}});
    DatCatalog::storeList({path("gb.zip")});
    const QByteArray settings = readFile("Cartling.ini");
    const std::shared_ptr<void> giveBack(nullptr, [](void *) { simulateMissingLibzip(std::nullopt); });
    simulateMissingLibzip("libzip.so.4: cannot open shared object file");
    const QString message = checkZipLibrary().value_or(QString());
    ASSERT_TRUE(message.endsWith("The loader said: libzip.so.4: cannot open shared object file"));

    // The reading's end arrives as an event, or a command waits for it first.
    const std::function<void(CollectionCommands &)> meetings[] = {
        [](CollectionCommands &) {},
        [](CollectionCommands &collection) { guarded([&collection] { collection.verify(); })(); },
    };
    for (const auto &meet : meetings) {
        m_messages = {};
        m_runEnds.clear();
        auto collection = commands(false);
        const QDeadlineTimer deadline(10000);
        meet(*collection);
        while (m_runEnds.isEmpty() && !deadline.hasExpired()) {
            QCoreApplication::processEvents();
            QThread::msleep(5);
        }
        EXPECT_EQ(m_runEnds, QList<int>{1});
        EXPECT_EQ(m_messages.errors, QStringList{message});
        EXPECT_TRUE(m_messages.shown.isEmpty()) << qPrintable(m_messages.shown.join('\n'));
        EXPECT_EQ(collection->checkOf(rom("tetris.gb")).state, DumpState::NotChecked);
        EXPECT_EQ(readFile("Cartling.ini"), settings);
        EXPECT_FALSE(QFile::exists(path("Verificacion.cache")));
    }
}

TEST_F(CommandsTest, ADatListedAlreadyIsNotReadAgain)
{
    DatCatalog::storeList({path("away.dat")}); // a drive away for a while
    auto collection = commands();
    ASSERT_EQ(m_messages.shown.size(), 1);
    collection->addDats({path("away.dat")});
    EXPECT_EQ(m_messages.shown.size(), 1);
    EXPECT_EQ(DatCatalog::storedList(), QStringList{path("away.dat")});
}

TEST_F(CommandsTest, BackgroundWorkGoesToItsEndUnlessCancelarIsPressed)
{
    int steps = 0;
    EXPECT_TRUE(runInBackground(&m_window, "x", [&steps](const Progress &progress) {
        for (; steps < 20 && progress(steps, 20); ++steps)
            QThread::msleep(10);
    }));
    EXPECT_EQ(steps, 20);

    // The progress window comes after half a second; its button stops the work.
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, &m_window, [this] {
        if (auto *dialog = m_window.findChild<QProgressDialog *>(); dialog && dialog->isVisible())
            dialog->findChild<QPushButton *>()->click();
    });
    clicker.start(20);
    bool stopped = false;
    EXPECT_FALSE(runInBackground(&m_window, "x", [&stopped](const Progress &progress) {
        const QDeadlineTimer limit(3000);
        while (progress(1, 2) && !limit.hasExpired())
            QThread::msleep(10);
        stopped = !limit.hasExpired();
    }));
    EXPECT_TRUE(stopped);
}

// An error raised on a worker thread left the thread and ended the program on the spot.
TEST_F(CommandsTest, AnErrorOfBackgroundWorkIsRaisedAgainOnTheWindowsThread)
{
    const struct
    {
        std::function<void()> raise;
        QString text;
        bool fatal;
    } cases[] = {
        {[] { throw CartlingError("Unable to write to x"); }, "Unable to write to x", false},
        {[] { throw FatalError("Cannot find libzip.so.4."); }, "Cannot find libzip.so.4.", true},
        {[] { throw std::runtime_error("out of room"); }, "out of room", false},
        {[] { throw 7; }, "An unknown error stopped work in the background.", false},
    };
    for (const auto &c : cases) {
        try {
            runInBackground(&m_window, "x", [&c](const Progress &) { c.raise(); });
            ADD_FAILURE() << qPrintable(c.text);
        } catch (const CartlingError &error) {
            EXPECT_EQ(error.text(), c.text);
            EXPECT_EQ(dynamic_cast<const FatalError *>(&error) != nullptr, c.fatal) << qPrintable(c.text);
        }
        // Work whose failure leaves nothing to go on with ends the run whatever it raised.
        WorkerFailure failure;
        failure.run(c.raise);
        EXPECT_TRUE(failure.failed());
        try {
            failure.raiseFatal();
            ADD_FAILURE() << qPrintable(c.text);
        } catch (const FatalError &error) {
            EXPECT_EQ(error.text(), c.text);
        }
    }
    WorkerFailure none;
    none.run([] {});
    EXPECT_FALSE(none.failed());
    EXPECT_NO_THROW(none.raiseFatal());
    EXPECT_TRUE(runInBackground(&m_window, "x", [](const Progress &) {}));
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
