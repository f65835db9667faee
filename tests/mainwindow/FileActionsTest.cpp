#include "MainWindowFixture.h"

#include "gamegenie/GameGenieDialog.h"
#include "language/LanguageApplier.h"
#include "language/MessageTable.h"
#include "library/RenameText.h"
#include "library/TitleDialog.h"
#include "mainwindow/FileActions.h"
#include "mainwindow/Windows.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

class FileActions : public MainWindowTest
{
protected:
    // The editor open on a list entry; a closed one is hidden until it goes.
    QLineEdit *nameEditor() const
    {
        for (QLineEdit *editor : main().listView()->viewport()->findChildren<QLineEdit *>()) {
            if (editor->isVisible())
                return editor;
        }
        return nullptr;
    }
    QString titleLabel() const { return main().findChild<QLabel *>("AHMLabel1")->text(); }
    QString internalNameLabel() const { return windows().gameGenieDialog->findChild<QLabel *>("a5")->text(); }

    // Types a name into the open editor and ends the editing with Enter.
    void typeName(const QString &name) const
    {
        QLineEdit *editor = nameEditor();
        ASSERT_NE(editor, nullptr);
        editor->setText(name);
        // Broke when the collection check's marks arrived while the name was typed: the name went back.
        main().session().romList().notesChanged();
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate hands the name to the list through a queued call, after which the editor closes.
        EXPECT_TRUE(QTest::qWaitFor([this] { return nameEditor() == nullptr; }, 5000));
    }

    // Answers the change-title dialog once it is up: notes what it shows, types a title, then presses a button
    // (or Escape).
    void answerTitleDialog(const QString &typed, const char *button)
    {
        QTimer::singleShot(0, [=, this] {
            TitleDialog *dialog = windows().titleDialog.get();
            ASSERT_TRUE(dialog->isVisible());
            const QLabel *stem = dialog->findChild<QLabel *>("Label1");
            shownStem = stem->text();
            stemStands = stem->font().bold() && stem->alignment() == Qt::AlignCenter;
            shownCaption = dialog->windowTitle();
            const QWidget *edit = dialog->findChild<QLineEdit *>("Edit1");
            const QWidget *change = dialog->findChild<QPushButton *>("Button1");
            const QWidget *cancel = dialog->findChild<QPushButton *>("Button2");
            // Side by side at the right below the field, in the dialog's order.
            buttonsInRow = change->geometry().right() < cancel->geometry().left() &&
                           change->geometry().top() > edit->geometry().bottom() &&
                           cancel->geometry().right() > dialog->width() - 30;
            auto *field = dialog->findChild<QLineEdit *>("Edit1");
            shownTitle = field->text();
            field->setText(typed);
            if (button)
                QTest::mouseClick(dialog->findChild<QPushButton *>(button), Qt::LeftButton);
            else
                QTest::keyClick(field, Qt::Key_Escape);
        });
    }

    QString shownStem, shownTitle, shownCaption;
    bool stemStands = false; // shown bold and centred above the field
    bool buttonsInRow = false;
};

// A Latin-1 name copied from Windows could not be opened, launched or renamed from the list.
TEST_F(FileActions, RepairNameGivesANameThatIsNotTextItsWindowsReading)
{
    writeFile("Tetris.gb", "x");
    const QString latin1 = writeRawNamed(m_base, "Pok\xe9mon.gb", "rom");
    start();
    QAction *repair = item("Repararnombre1");
    ASSERT_NE(repair, nullptr);
    clickEntry("Tetris.gb");
    EXPECT_FALSE(repair->isEnabled());
    clickEntry(latin1);
    ASSERT_TRUE(repair->isEnabled());
    repair->trigger();
    EXPECT_EQ(readFile(QString::fromUtf8("Pokémon.gb")), "rom");
    EXPECT_EQ(captions(), QStringList({QString::fromUtf8("Pokémon.gb"), "Tetris.gb"}));
    EXPECT_FALSE(repair->isEnabled());
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(FileActions, DeletingAsksThenSendsTheFileToTheTrashAndRereadsTheList)
{
    writeFile("Juego.gb", "juego");
    writeFile("Otro.gb", "otro");
    start();

    clickEntry("Juego.gb");
    m_messages.answer = false;
    item("Eliminar2")->trigger();
    EXPECT_TRUE(m_trash.moved.isEmpty());

    clickEntry("Juego.gb");
    m_messages.answer = true;
    item("Eliminar")->trigger();
    EXPECT_EQ(m_messages.asked, QStringList(2, ::FileActions::deleteQuestion("Juego.gb")));
    EXPECT_EQ(m_trash.moved, QStringList{path("Juego.gb")});
    EXPECT_EQ(captions(), QStringList{"Otro.gb"});
    // The re-read left nothing selected, and the menus follow.
    EXPECT_FALSE(main().session().selectedEntry());
    EXPECT_FALSE(item("Eliminar2")->isEnabled());

    // A trash that refuses the file says so.
    m_trash.works = false;
    clickEntry("Otro.gb");
    item("Eliminar")->trigger();
    EXPECT_EQ(m_messages.shown, QStringList{::FileActions::deleteFailure("Otro.gb")});
}

// A game deleted took nothing else, and there was no way to send its saves along: now the question offers it,
// unticked, for the saves of that game alone.
TEST_F(FileActions, AGamesSavesGoToTheTrashWithItOnlyWhenTicked)
{
    for (const char *name :
         {"Juego.gb", "Juego.sav", "Otro.gb", "Otro.sav", "Otro.ss1", "Otro.cheats", "Par.gb", "Par.gbc", "Par.sav"})
        writeFile(name, "x");
    start();
    const auto option = [](int files) {
        return QString::fromUtf8("Enviar también a la papelera sus partidas guardadas (%1 archivos)").arg(files);
    };
    clickEntry("Juego.gb");
    m_messages.answer = false;
    m_messages.tick = true; // a "no" takes nothing, ticked or not
    item("Eliminar")->trigger();
    EXPECT_TRUE(m_trash.moved.isEmpty());
    EXPECT_EQ(m_messages.asked, QStringList{::FileActions::deleteQuestion("Juego.gb") + '\n' + option(1)});

    m_messages.answer = true;
    m_messages.tick = false;
    clickEntry("Juego.gb");
    item("Eliminar")->trigger();
    EXPECT_EQ(m_trash.moved, QStringList{path("Juego.gb")});

    m_trash.moved.clear();
    m_messages.tick = true;
    m_trash.refused = QStringList{path("Otro.ss1")}; // said, and the others go all the same
    clickEntry("Otro.gb");
    item("Eliminar")->trigger();
    QStringList moved = m_trash.moved;
    std::sort(moved.begin(), moved.end());
    EXPECT_EQ(moved, (QStringList{path("Otro.gb"), path("Otro.sav")}));
    EXPECT_EQ(m_messages.shown, QStringList{::FileActions::deleteFailure("Otro.ss1")});
    EXPECT_EQ(m_trash.moved.value(0), path("Otro.gb")); // the game first
    EXPECT_EQ(m_messages.asked.last(), ::FileActions::deleteQuestion("Otro.gb") + '\n' + option(2));

    // Saves shared with another game file of the stem are not offered.
    m_messages.asked.clear();
    clickEntry("Par.gb");
    item("Eliminar")->trigger();
    EXPECT_EQ(m_messages.asked, QStringList{::FileActions::deleteQuestion("Par.gb")});
    EXPECT_TRUE(QFile::exists(path("Par.sav")));
}

TEST_F(FileActions, ANameEditedInTheListRenamesTheFileUnlessTakenOrUnchanged)
{
    writeFile("Juego.gb", "juego");
    writeFile("Otro.gb", "otro");
    start();

    clickEntry("Juego.gb");
    item("Rename2")->trigger();
    ASSERT_NE(nameEditor(), nullptr);
    EXPECT_EQ(nameEditor()->text(), "Juego.gb");
    typeName("Nuevo juego.gb");
    EXPECT_EQ(captions(), QStringList({"Nuevo juego.gb", "Otro.gb"}));
    EXPECT_EQ(readFile("Nuevo juego.gb"), "juego");
    EXPECT_FALSE(main().session().selectedEntry());
    // Broke when the Enter that ended the editing went on to the list: it launched the game.
    EXPECT_TRUE(m_starter.starts.isEmpty());
    EXPECT_TRUE(m_messages.shown.isEmpty());

    // F2 edits too; a name another file holds in any case, or the old one in another case, renames nothing.
    for (const QString name : {"nuevo JUEGO.gb", "OTRO.GB", "../Otro.gb"}) {
        clickEntry("Otro.gb");
        QTest::keyClick(main().listView(), Qt::Key_F2);
        typeName(name);
        EXPECT_EQ(captions(), QStringList({"Nuevo juego.gb", "Otro.gb"})) << qPrintable(name);
    }
    EXPECT_EQ(readFile("Otro.gb"), "otro");

    // Without a selection F2 opens nothing; a read-only file is refused.
    clickEmptySpace();
    QTest::keyClick(main().listView(), Qt::Key_F2);
    EXPECT_EQ(nameEditor(), nullptr);
    EXPECT_TRUE(m_messages.shown.isEmpty());
    QFile::setPermissions(path("Otro.gb"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    clickEntry("Otro.gb");
    item("Rename")->trigger();
    EXPECT_EQ(m_messages.shown, QStringList{"It's ReadOnly"});
    EXPECT_EQ(nameEditor(), nullptr);
}

// Broke when a game renamed by hand left its save, state, cheats, shot and records under the old name.
TEST_F(FileActions, ANameEditedInTheListTakesTheGamesFilesAndRecordsAlong)
{
    writeFile("Juego.gb", "juego");
    writeFile("Juego.sav", "save");
    writeFile("Juego.ss1", "state");
    writeFile("Nuevo.ss1", "someone else's");
    makeFolder("Shoots");
    writeFile("Shoots/juego.jpg", "shot");
    makeFolder("Trucos");
    writeFile("Trucos/Juego.cheats", "cheats");
    writeFile("Partidas.ini", "[Juego]\r\nFavorito=1\r\n\r\n");
    writeFile("Titulos.ini", "[Juego]\r\nTitulo=Mi juego\r\n\r\n");
    writeFile("Otro.gb", "otro");
    writeFile("Otro.gbc", "otro color");
    writeFile("Otro.sav", "otro save");
    start();

    clickEntry("Juego.gb");
    item("Rename2")->trigger();
    typeName("Nuevo.gb");

    EXPECT_EQ(captions(), QStringList({"Nuevo.gb", "Otro.gb", "Otro.gbc"}));
    EXPECT_EQ(readFile("Nuevo.sav"), "save");
    EXPECT_EQ(readFile("Shoots/Nuevo.jpg"), "shot");
    EXPECT_EQ(readFile("Trucos/Nuevo.cheats"), "cheats");
    EXPECT_EQ(readFile("Partidas.ini"), "[Nuevo]\r\nFavorito=1\r\n\r\n");
    EXPECT_EQ(readFile("Titulos.ini"), "[Juego]\r\nTitulo=Mi juego\r\n\r\n");
    // A name taken keeps that file where it is, and says so.
    EXPECT_EQ(readFile("Juego.ss1"), "state");
    EXPECT_EQ(readFile("Nuevo.ss1"), "someone else's");
    EXPECT_EQ(m_messages.shown,
              QStringList{messageTable().text(RenameText::CompanionStays).arg(path("Juego.ss1"), "Nuevo.ss1")});

    // Otro.gbc keeps the stem, and with it the save.
    clickEntry("Otro.gb");
    item("Rename2")->trigger();
    typeName("Otra.gb");
    EXPECT_EQ(captions(), QStringList({"Nuevo.gb", "Otra.gb", "Otro.gbc"}));
    EXPECT_EQ(readFile("Otro.sav"), "otro save");
    // A name without a stem gives the saves none: they stay.
    clickEntry("Nuevo.gb");
    item("Rename2")->trigger();
    typeName("Nuevo");
    EXPECT_EQ(readFile("Nuevo.sav"), "save");
}

TEST_F(FileActions, RenamingToTitlesShowsWhatWasExtractedAndLoadsTheFolderAgain)
{
    writeFile("a.gb", romImage("TETRIS"));
    writeFile("b.gb", romImage("ZELDA"));
    writeFile("c.gb", romImage("TETRIS"));
    start();
    clickEntry("b.gb");
    item("rat2")->trigger();
    EXPECT_EQ(titleLabel(), "ZELDA");
    EXPECT_EQ(internalNameLabel(), "b");
    EXPECT_EQ(captions(), QStringList({"a.gb", "c.gb", "ZELDA.gb"}));
    EXPECT_EQ(main().session().selectedStem(), "b");

    // Every file: the current stem and the codes dialog's internal name are left at the last one.
    item("rat")->trigger();
    EXPECT_EQ(captions(), QStringList({"c.gb", "TETRIS.gb", "ZELDA.gb"}));
    EXPECT_EQ(m_messages.shown, QStringList{"Los nombres fueron cambiados"});
    EXPECT_EQ(main().session().selectedStem(), "ZELDA");
    EXPECT_EQ(internalNameLabel(), "ZELDA");
    EXPECT_EQ(titleLabel(), "ZELDA");
    EXPECT_FALSE(main().session().selectedEntry());

    // A view that shows nothing.
    m_messages.shown.clear();
    item("sgb")->trigger();
    item("rat")->trigger();
    EXPECT_EQ(m_messages.shown, QStringList{"No se encuentran Juegos"});
}

TEST_F(FileActions, TheTitleDialogShowsTheStemAndStoresWhatIsTyped)
{
    writeFile("Juego.gb", "x");
    start();
    EXPECT_TRUE(unreachedTargets({windows().titleDialog.get()}).isEmpty());
    clickEntry("Juego.gb");

    answerTitleDialog("Mi juego", "Button1");
    item("cambiartitulo2")->trigger();
    EXPECT_EQ(shownStem, "Juego");
    EXPECT_TRUE(stemStands);
    EXPECT_EQ(shownCaption, QString::fromUtf8("Cambiar Título"));
    EXPECT_TRUE(buttonsInRow);
    EXPECT_EQ(shownTitle, "Juego");
    EXPECT_EQ(readFile("Titulos.ini"), "[Juego]\r\nTitulo=Mi juego\r\n\r\n");
    EXPECT_EQ(titleLabel(), "Mi juego");
    EXPECT_EQ(windows().gameGenieDialog->findChild<QLineEdit *>("Edit1")->text(), "Mi juego");

    for (const char *button : {"Button2", static_cast<const char *>(nullptr)}) {
        answerTitleDialog("Otro", button);
        item("Cambiartitulo")->trigger();
        EXPECT_EQ(shownTitle, "Mi juego");
        EXPECT_EQ(titleLabel(), "Mi juego");
    }
    EXPECT_EQ(readFile("Titulos.ini"), "[Juego]\r\nTitulo=Mi juego\r\n\r\n");

    // A title longer than a line of the list holds is cut; an empty one is stored empty and the stem shown.
    answerTitleDialog(QString(249, u'x'), "Button1");
    item("cambiartitulo2")->trigger();
    EXPECT_EQ(readFile("Titulos.ini"), "[Juego]\r\nTitulo=" + QByteArray(248, 'x') + "\r\n\r\n");
    answerTitleDialog("", "Button1");
    item("cambiartitulo2")->trigger();
    EXPECT_EQ(readFile("Titulos.ini"), "[Juego]\r\nTitulo=\r\n\r\n");
    EXPECT_EQ(titleLabel(), "Juego");
}

} // namespace
