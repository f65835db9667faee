#include "MainWindowFixture.h"

#include "archive/ArchiveNameDialog.h"
#include "emulator/OtherOptionsDialog.h"
#include "gamegenie/GameGenieDialog.h"
#include "mainwindow/Windows.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QString archived = QStringLiteral("La Rom ha sido Comprimida Exitosamente");

// The ROM folder is the base folder; unpacked ROMs go to its parent, the test's own temporary folder.
class CollectionActions : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeFile("Juego.gb", romImage("JUEGO"));
    }

    // Answers the archive name prompt once it is up: types the name and presses a button (or Escape).
    void answerNamePrompt(const QString &typed, const char *button, QString *shownName = nullptr)
    {
        QTimer::singleShot(0, [=, this] {
            ArchiveNameDialog *dialog = windows().archiveNameDialog.get();
            ASSERT_TRUE(dialog->isVisible());
            auto *field = dialog->findChild<QLineEdit *>("ofe1");
            if (shownName)
                *shownName = field->text();
            field->setText(typed);
            if (button)
                QTest::mouseClick(dialog->findChild<QPushButton *>(button), Qt::LeftButton);
            else
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
    }
};

TEST_F(CollectionActions, TheCompressButtonPacksTheSelectedRomAndTheListShowsTheArchive)
{
    start();
    clickEntry("Juego.gb");
    QTest::mouseClick(main().findChild<QToolButton *>("SpeedButton1"), Qt::LeftButton);

    EXPECT_EQ(m_messages.shown, QStringList{archived});
    EXPECT_EQ(captions(), QStringList({"Juego.gb", "Juego.zip"}));
    EXPECT_FALSE(main().session().selectedEntry());

    // Without a selection the button does nothing.
    QFile::remove(path("Juego.zip"));
    main().session().romList().reread();
    QTest::mouseClick(main().findChild<QToolButton *>("SpeedButton1"), Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(path("Juego.zip")));
}

TEST_F(CollectionActions, ThePromptOffersTheStemAndItsAnswerNamesTheArchive)
{
    writeSettings("[ZipOptions]\r\n?=1\r\nDelRom=1\r\n");
    start();
    clickEntry("Juego.gb");
    answerNamePrompt("kept", nullptr);
    item("Comprimir2")->trigger();
    EXPECT_EQ(captions(), QStringList{"Juego.gb"});

    QString offered;
    clickEntry("Juego.gb");
    answerNamePrompt("Mi juego", "Button1", &offered);
    item("Comprimir1")->trigger();
    EXPECT_EQ(offered, "Juego");
    // The ROM was deleted once the archive held it.
    EXPECT_EQ(captions(), QStringList{"Mi juego.zip"});
    EXPECT_EQ(m_messages.shown, QStringList{archived});
}

TEST_F(CollectionActions, UnpackingPutsTheRomsIntoTheParentFolderAndRereadsTheList)
{
    writeFile("Otro.gbc", romImage("OTRO"));
    ASSERT_EQ(QProcess::execute("zip", {"-j", "-q", path("Par.zip"), path("Juego.gb"), path("Otro.gbc")}), 0);
    QFile::remove(path("Otro.gbc"));
    start();
    clickEntry("Par.zip");
    item("Descomprimir1")->trigger();

    EXPECT_EQ(m_messages.shown, QStringList{"El archivo Par.zip contiene 2 Roms"});
    EXPECT_EQ(readFile("../Juego.gb"), romImage("JUEGO"));
    EXPECT_EQ(readFile("../Otro.gbc"), romImage("OTRO"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(main().session().selectedEntry());
}

TEST_F(CollectionActions, ExtractingATitleShowsItAboveTheListAndInTheCodesDialog)
{
    writeFile("Vacio.gb", romImage(QByteArray("\xFF\x01", 2)));
    start();
    clickEntry("Juego.gb");
    item("ExtraerTtulo1")->trigger();
    EXPECT_EQ(main().findChild<QLabel *>("AHMLabel1")->text(), "JUEGO");
    EXPECT_EQ(windows().gameGenieDialog->findChild<QLabel *>("a5")->text(), "Juego");
    EXPECT_EQ(windows().gameGenieDialog->findChild<QLineEdit *>("Edit1")->text(), "JUEGO");
    EXPECT_EQ(readFile("Titulos.ini"), "[Juego]\r\nTitulo=JUEGO\r\n\r\n");

    clickEntry("Vacio.gb");
    item("ExtraetTtuloajueoseleccionado1")->trigger();
    EXPECT_EQ(main().findChild<QLabel *>("AHMLabel1")->text(), QString::fromUtf8("Título no encontrado"));
    EXPECT_EQ(windows().gameGenieDialog->findChild<QLineEdit *>("Edit1")->text(), "Vacio");

    item("AHMMenuItem17")->trigger();
    EXPECT_EQ(readFile("GGCT.ini"), "[Vacio]\r\nTitulo=\r\n\r\n");
}

TEST_F(CollectionActions, TheListGenerationsFillTheirListsFromEveryListedFile)
{
    writeFile("Otro.gbc", romImage("OTRO"));
    writeFile("Titulos.ini", "[Juego]\r\nTitulo=Mi juego\r\n\r\n");
    start();
    item("GenerarlistadeTitulos1")->trigger();
    EXPECT_EQ(readFile("Titulos.ini"), "[Juego]\r\nTitulo=Mi juego\r\n\r\n[Otro]\r\nTitulo=OTRO\r\n\r\n");

    // The option is read live from the other-options dialog.
    windows().otherOptionsDialog->findChild<QCheckBox *>("CheckBox8")->click();
    item("GenerarlistadeTitulos1")->trigger();
    item("ImportarnombredejuegoaGGcodesini1")->trigger();
    EXPECT_EQ(readFile("Titulos.ini"), "[Juego]\r\nTitulo=JUEGO\r\n\r\n[Otro]\r\nTitulo=OTRO\r\n\r\n");
    EXPECT_EQ(readFile("GGCT.ini"), "[Juego]\r\nTitulo=JUEGO\r\n\r\n[Otro]\r\nTitulo=OTRO\r\n\r\n");
    EXPECT_EQ(m_messages.shown, QStringList(3, "Lista Generada Exitosamente"));
}

} // namespace
