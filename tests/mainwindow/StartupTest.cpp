#include "MainWindowFixture.h"

#include "app/ZipLibraryCheck.h"
#include "archive/Libzip.h"
#include "archive/ZipLibrary.h"
#include "gamegenie/GameGenieDialog.h"
#include "mainwindow/Windows.h"
#include "platform/ErrorHandler.h"
#include "screenshots/PictureViewer.h"

#include "settings/BaseFolder.h"
#include <QTimer>

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

namespace {

using Startup = MainWindowTest;

TEST_F(Startup, AnEmptyBaseFolderGetsItsFoldersAndNoSettingsFile)
{
    start();
    for (const char *folder : {"Roms", "Rts", "Save", "Zibo", "Shoots"})
        EXPECT_TRUE(QFileInfo(path(folder)).isDir()) << folder;
    EXPECT_FALSE(QFile::exists(path("Cartling.ini")));
    EXPECT_EQ(main().windowTitle(), "Cartling 1.7");
    EXPECT_EQ(main().statusPanel(1), QString::fromUtf8("Nº de Juegos = 0"));
    EXPECT_EQ(main().session().romList().folder(), m_base + '/');
    EXPECT_EQ(main().markedView()->troms, 3);
    EXPECT_EQ(main().pos(), QPoint(281, 115));
    EXPECT_EQ(main().session().storedPalette(), ";xxxxx");
    EXPECT_FALSE(main().screenshots().timer()->isActive());
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_TRUE(m_messages.errors.isEmpty());
}

TEST_F(Startup, TheFifteenWindowsExistInOrderWithTheirCaptions)
{
    start();
    // Only the main window and the viewer are made at start-up; the dialogs when first shown.
    EXPECT_EQ(windows().all().size(), 2);
    windows().makeAll();
    const QList<QWidget *> all = windows().all();
    const QStringList expected{"TForm1", "TForm2", "TForm3",  "TForm4",  "TForm5",  "TForm6",  "TForm7",
                               "TForm8", "TForm9", "TForm10", "TForm11", "TForm12", "TForm13", "TForm14"};
    QStringList names;
    for (QWidget *w : all)
        names.append(w->objectName());
    EXPECT_EQ(names, expected);
    const QStringList captions{QString::fromUtf8("Cartling 1.7"),
                               QString::fromUtf8("Buscar Roms"),
                               QString::fromUtf8("Configuracion     Audio / Video"),
                               QString::fromUtf8("Configuración de Teclado"),
                               QString::fromUtf8("Otras configuraciones"),
                               QString::fromUtf8("Configurar Joystick"),
                               QString::fromUtf8("Configuración de Controles"),
                               QString::fromUtf8("Códigos Game Genie"),
                               QString::fromUtf8("Escriba nombre del archivo a comprimir"),
                               QString::fromUtf8("Cambiar Título"),
                               QString::fromUtf8("Cartling Home Page"),
                               QString::fromUtf8("Otras Configuraciones 2"),
                               QString::fromUtf8("Configuración del Idioma"),
                               QString::fromUtf8("Zibo Shoots")};
    for (int i = 0; i < all.size(); ++i)
        EXPECT_EQ(all[i]->windowTitle(), captions[i]) << qPrintable(names[i]);
    // Only the main window is visible; the last window is never shown.
    for (int i = 1; i < all.size(); ++i)
        EXPECT_FALSE(all[i]->isVisible()) << qPrintable(names[i]);
    ASSERT_NE(windows().lateStartup, nullptr);
}

TEST_F(Startup, TheMenuTreeHasItsCaptionsDividersShortcutsAndStates)
{
    start();
    // Captions, with "-" for a divider; "!" marks an item that is off at start.
    const auto describe = [](QMenu *menu) {
        QStringList items;
        for (QAction *a : menu->actions()) {
            if (a->isSeparator()) {
                items.append("-");
                continue;
            }
            QString text = a->text();
            if (!a->shortcut().isEmpty())
                text += " [" + a->shortcut().toString() + "]";
            items.append((a->isEnabled() ? "" : "!") + text);
        }
        return items;
    };
    QStringList menus;
    for (QAction *top : main().menuBar()->actions())
        menus.append(top->text());
    EXPECT_EQ(menus, QStringList({"Archivo", "Ver", QString::fromUtf8("Configuración"), ".Ayuda"}));

    const QList<QAction *> tops = main().menuBar()->actions();
    EXPECT_EQ(describe(tops[0]->menu()),
              QStringList({"!Jugar [Ctrl+P]",
                           "-",
                           "Buscar Roms [Ctrl+R]",
                           "Buscar Zibo [Ctrl+D]",
                           QString::fromUtf8("Emuladores instalados…"),
                           "-",
                           QString::fromUtf8("Generar lista de Títulos para Códigos Game Genie [Ctrl+I]"),
                           QString::fromUtf8("Generar lista de Títulos (A Todo) [Ctrl+G]"),
                           QString::fromUtf8("Renombrar archivos a títulos (A todo)"),
                           QString::fromUtf8("!Extraer Título a juego seleccionado"),
                           QString::fromUtf8("!Exportar Nombre a Lista de Códigos"),
                           "-",
                           "!Comprimir",
                           "!Descomprimir",
                           "-",
                           QString::fromUtf8("!Partidas guardadas… [Ctrl+Shift+S]"),
                           "!Favorito [Ctrl+B]",
                           "!Eliminar",
                           "!Cambiar Nombre",
                           QString::fromUtf8("!Cambiar Título"),
                           QString::fromUtf8("!Renombrar Archivo a Título"),
                           "-",
                           QString::fromUtf8("Cargar DAT… [Ctrl+Shift+D]"),
                           "!Quitar los DAT cargados",
                           QString::fromUtf8("Verificar colección [Ctrl+Shift+V]"),
                           QString::fromUtf8("Informe de la colección…"),
                           QString::fromUtf8("Renombrar según DAT"),
                           QString::fromUtf8("!Deshacer último cambio de nombres"),
                           "-",
                           "Salir [Ctrl+S]"}));
    EXPECT_EQ(
        describe(tops[1]->menu()),
        QStringList({"Gameboy Roms", "Gameboy Color Roms", "Super Gameboy Roms", "Roms Formato GBZ", "Roms formato ZIP",
                     "Todas las Roms", "Favoritos", "Jugados recientemente", "-", QString::fromUtf8("Mostrar títulos"),
                     QString::fromUtf8("Vista con imágenes [Ctrl+M]"), "Screen Shoots", "-", "Actualizar"}));
    EXPECT_EQ(describe(tops[2]->menu()), QStringList({"Audio / Video [Ctrl+A]", "Teclado [Ctrl+T]", "Joystick [Ctrl+J]",
                                                      "Controles [Ctrl+C]", "Otras Configuraciones 1  [Ctrl+O]",
                                                      "Otras Configuraciones 2  [Ctrl+V]", "-", "Idioma [Ctrl+I]"}));
    EXPECT_EQ(describe(tops[3]->menu()), QStringList({QString::fromUtf8("Léeme"), "Acerca de..", "Home Page"}));
    EXPECT_EQ(describe(main().popupMenu()),
              QStringList({"Jugar", "-", "Comprimir", "Descomprimir", "-",
                           QString::fromUtf8("Exportar nombre a Lista de Códigos"), QString::fromUtf8("Extraer Título"),
                           "-", QString::fromUtf8("!Partidas guardadas…"), "!Favorito", "!Eliminar", "!Cambiar nombre",
                           QString::fromUtf8("!Cambiar Título"), QString::fromUtf8("!Renombrar Archivo a Título"),
                           "!Reparar nombre", "-", "Actualizar", "-", "Salir"}));
    // The marker stands in front of "Todas las Roms" only; "Screen Shoots" is off.
    for (const char *view : {"Ga1", "Ga2", "sgb", "gbz", "ZipRoms1"})
        EXPECT_TRUE(item(view)->icon().isNull()) << view;
    EXPECT_FALSE(item("Tr")->icon().isNull());
    EXPECT_FALSE(item("ss")->isChecked());
}

TEST_F(Startup, AMissingRomFolderIsNamedAndTheBaseFolderListed)
{
    writeSettings("[Directorios]\r\nRoms=/no/such/folder\r\n");
    writeFile("juego.gb", "x");
    start();
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_EQ(m_messages.shown[0], QString::fromUtf8("El directorio \"/no/such/folder\" no Existe"));
    EXPECT_EQ(main().session().romList().folder(), m_base + '/');
    EXPECT_EQ(captions(), QStringList{"juego.gb"});
    EXPECT_EQ(readFile("Cartling.ini"), "[Directorios]\r\nRoms=/no/such/folder\r\n");
}

TEST_F(Startup, TheStoredRomFolderIsListedAndBecomesTheCurrentFolder)
{
    makeFolder("juegos");
    writeFile("juegos/uno.gb", "x");
    writeSettings(QByteArray("[directorios]\r\nroms=") + path("juegos").toUtf8() + "\r\n");
    start();
    EXPECT_EQ(captions(), QStringList{"uno.gb"});
    EXPECT_EQ(QDir::currentPath(), path("juegos"));
    EXPECT_EQ(BaseFolder::path(), m_base);
}

TEST_F(Startup, ClosingStoresBothPositionsAndTheWindowReopensThere)
{
    start();
    const QSize designed = main().size();
    main().move(300, 200);
    windows().gameGenieDialog->move(410, 120);
    stop();
    EXPECT_EQ(readFile("Cartling.ini"), "[Posicion]\r\ntop=200\r\nleft=300\r\ntop2=120\r\nleft2=410\r\nwidth=" +
                                            QByteArray::number(designed.width()) +
                                            "\r\nheight=" + QByteArray::number(designed.height()) + "\r\n");
    start();
    EXPECT_EQ(main().pos(), QPoint(300, 200));
    EXPECT_EQ(windows().gameGenieDialog->pos(), QPoint(410, 120));
    EXPECT_EQ(main().size(), designed);
    // A larger window, and its list, come back as large; a stored size below the least is not taken.
    const int listHeight = main().listView()->height();
    main().resize(designed + QSize(200, 300));
    stop();
    start();
    EXPECT_EQ(main().size(), designed + QSize(200, 300));
    EXPECT_EQ(main().listView()->height(), listHeight + 300);
    stop();
    writeSettings("[Posicion]\r\nwidth=20\r\nheight=20\r\n");
    start();
    EXPECT_EQ(main().size(), designed);
    // A size with no width is no size at all: its height is not taken either.
    stop();
    writeSettings("[Posicion]\r\nwidth=0\r\nheight=900\r\n");
    start();
    EXPECT_EQ(main().size(), designed);
}

TEST_F(Startup, AReadOnlySettingsFileStillLetsTheProgramClose)
{
    writeSettings("[Posicion]\r\ntop=10\r\nleft=10\r\n");
    QFile::setPermissions(path("Cartling.ini"), QFileDevice::ReadOwner);
    start();
    bool closed = false;
    QObject::connect(&main(), &MainWindow::closed, [&] { closed = true; });
    main().close();
    EXPECT_TRUE(closed);
    ASSERT_EQ(m_messages.errors.size(), 1);
    EXPECT_EQ(m_messages.errors[0], "Unable to write to " + path("Cartling.ini"));
}

// ---- Help ----

class ReadmeChoice : public MainWindowTest
{
protected:
    QString shownReadme()
    {
        main().help().showReadme();
        QDialog *viewer = main().readmeViewer();
        if (!viewer || !viewer->isVisible())
            return {};
        return viewer->findChild<QPlainTextEdit *>("AHMTextFileView1")->toPlainText();
    }
};

TEST_F(ReadmeChoice, SpanishOrNoLanguageShowsLeemeOtherwiseReadme)
{
    writeFile("leeme.txt", "Hola\r\n");
    writeFile(QString::fromUtf8("léeme.txt"), "Acentos\r\n");
    writeFile("readme.txt", "Hello\r\n");
    start();
    EXPECT_EQ(shownReadme(), "Hola\n");
    writeSettings("[OtrasConfig2]\r\nArchName=espa\xf1ol.cti\r\n");
    EXPECT_EQ(shownReadme(), "Hola\n");
    writeSettings("[OtrasConfig2]\r\nArchName=english.cti\r\n");
    EXPECT_EQ(shownReadme(), "Hello\n");
    EXPECT_EQ(main().readmeViewer()->size(), QSize(550, 400));
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(ReadmeChoice, TheAccentedNameIsTheSecondChoiceAndNamesMatchWithoutCase)
{
    writeFile(QString::fromUtf8("léeme.txt"), "Acentos");
    start();
    EXPECT_EQ(shownReadme(), "Acentos");
    QFile::remove(path(QString::fromUtf8("léeme.txt")));
    writeFile("LEEME.TXT", "Mayusculas");
    EXPECT_EQ(shownReadme(), "Mayusculas");
}

TEST_F(ReadmeChoice, AMissingReadmeGivesTheMessage)
{
    writeFile("leeme.txt", "solo en espanol");
    writeSettings("[OtrasConfig2]\r\nArchName=english.cti\r\n");
    start();
    main().help().showReadme();
    EXPECT_EQ(m_messages.shown,
              QStringList{QString::fromUtf8(
                  "No se encuentra el archivo Léeme.txt..debe colocarlo en el directorio del Cartling")});
}

TEST_F(Startup, TheScreenshotSwitchComesBackWithItsViewer)
{
    writeSettings("[Configuracion]\r\nshoots=1\r\n");
    start();
    EXPECT_TRUE(item("ss")->isChecked());
    EXPECT_FALSE(item("ss")->icon().isNull());
    EXPECT_TRUE(windows().pictureViewer->isVisible());
}

TEST_F(Startup, TheExtractionFolderIsMadeAndTheExtractionListPointsAtIt)
{
    start();
    EXPECT_TRUE(QFileInfo(main().session().extractionListFolder()).isDir());
    EXPECT_TRUE(main().session().extractionListFolder().startsWith(m_temp.path()));
}

TEST_F(Startup, TheAboutBoxNamesTheVersion)
{
    start();
    item("Acercade1")->trigger();
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_TRUE(m_messages.shown[0].contains("CARTLING  V1.7"));
}

// The design's places: the tool row on top (the compress button on the left, the codes group on the right), the
// title at 50, the list under what features add above it, the start button at 337 with 5 below it.
TEST_F(Startup, TheControlsStandInTheDesignsPlaces)
{
    start();
    QWidget *client = main().centralWidget();
    const int width = client->width();
    const auto place = [client](const char *name) {
        const QWidget *widget = client->findChild<QWidget *>(name);
        return QRect(widget->mapTo(client, QPoint(0, 0)), widget->size());
    };
    EXPECT_EQ(client->height(), 383);
    EXPECT_EQ(place("GroupBox1"), QRect(width - 4 - 148, 0, 148, 41));
    EXPECT_EQ(place("SpeedButton1"), QRect(14, 41 - 37, 36, 37));
    EXPECT_EQ(place("AHMFormDivider1"), QRect(0, 42, width, 4));
    EXPECT_EQ(place("AHMLabel1"), QRect(4, 50, width - 10, 17));
    const QRect list = place("ListArea");
    EXPECT_EQ(list.left(), 8);
    EXPECT_EQ(list.width(), width - 16);
    EXPECT_GT(list.top(), 50 + 17);
    EXPECT_EQ(place("Button1"), QRect(14, list.bottom() + 1 + 6, width - 24, 41));
    EXPECT_EQ(place("Button1").bottom() + 1, 383 - 5);
    for (const char *button : {"SpeedButton1", "Button1"})
        EXPECT_FALSE(client->findChild<QAbstractButton *>(button)->icon().isNull()) << button;
}

// Once the window has painted, the ZIP library must be usable, or the run ends with its message and status 1.
TEST_F(Startup, TheZipLibraryCheckEndsOnlyARunWithoutTheLibrary)
{
    const std::shared_ptr<void> giveBack(nullptr, [](void *) { simulateMissingLibzip(std::nullopt); });
    for (const bool missing : {false, true}) {
        simulateMissingLibzip(missing ? std::optional<QString>("gone") : std::nullopt);
        struct Counted : QWidget
        {
            int paints = 0;
            void paintEvent(QPaintEvent *) override { ++paints; }
        } window;
        window.show();
        new ZipLibraryCheck(window); // right after show, as the program makes it
        const QDeadlineTimer deadline(missing ? 5000 : 300);
        while (m_runEnds.isEmpty() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_EQ(m_runEnds, missing ? QList<int>{1} : QList<int>()) << missing;
        EXPECT_EQ(m_messages.errors, missing ? QStringList{*checkZipLibrary()} : QStringList()) << missing;
        EXPECT_GT(window.paints, 0) << missing; // the check waits for the window's paint, never takes it away
    }

    // A failed background load that reports while the check's message is up adds no second one.
    struct Reentering : RecordingMessages
    {
        void error(const QString &text) override
        {
            RecordingMessages::error(text);
            endRun("again");
        }
    } reentering;
    setMessageSink(&reentering);
    endRun("first");
    EXPECT_EQ(reentering.errors, QStringList{"first"});
    EXPECT_EQ(m_runEnds, QList<int>({1, 1}));
}

} // namespace
