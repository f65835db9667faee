#include "MainWindowFixture.h"

#include "emulator/EmulatorRuns.h"
#include "platform/MessageBoxSink.h"
#include "saves/ClockFormats.h"
#include "saves/SavedGamesDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

namespace {

class SaveActionsTest : public MainWindowTest
{
protected:
    // The emulator as a stand-in program under the name the kind is known by.
    void useEmulator(const char *name)
    {
        writeFile(name, "#!/bin/sh\n");
        QFile::setPermissions(path(name), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        writeSettings("[Directorios]\r\nZibo=" + path(name).toUtf8() + "\r\nZibod=" + m_base.toUtf8() +
                      "/\r\nSave=" + path("Save").toUtf8() + "\r\n\r\n[OtrasConfig2]\r\nSavedir=1\r\n");
    }
    void launch(const QString &caption)
    {
        clickEntry(caption);
        item("Jugar1")->trigger();
    }
    QStringList copies(const QString &stem) const
    {
        return QDir(path("Copias/" + stem)).entryList(QDir::Files, QDir::Name);
    }
};

TEST_F(SaveActionsTest, EveryGameStartAndEndKeepsNewBytesOnly)
{
    makeFolder("Save");
    writeFile("game.gb", "rom");
    writeFile("Save/game.sav", "level 1");
    useEmulator("zibo");
    start();
    launch("game.gb");
    ASSERT_EQ(m_starter.starts.size(), 1);
    ASSERT_EQ(copies("game").size(), 1);
    EXPECT_EQ(readFile("Copias/game/" + copies("game")[0]), "level 1");

    // The game ends with progress made: the new bytes are kept; the next start finds nothing new.
    writeFile("Save/game.sav", "level 2");
    emit emulatorRuns().ended(path("game.gb"), QDateTime::currentDateTime(), 0);
    EXPECT_EQ(copies("game").size(), 2);
    launch("game.gb");
    EXPECT_EQ(copies("game").size(), 2);
    EXPECT_TRUE(main().session().detailLines().join('\n').contains(QString::fromUtf8("· 2 copias")))
        << qPrintable(main().session().detailLines().join('\n'));
    // An end that this window did not start keeps nothing.
    writeFile("Save/game.sav", "level 3");
    emit emulatorRuns().ended(path("other.gb"), QDateTime::currentDateTime(), 0);
    EXPECT_EQ(copies("game").size(), 2);

    // A copy that cannot be written is said once, and the game starts all the same.
    QFile::remove(path("Copias/game/" + copies("game")[0]));
    QFile::remove(path("Copias/game/" + copies("game")[0]));
    QDir().rmdir(path("Copias/game"));
    writeFile("Copias/game", "in the way");
    launch("game.gb");
    EXPECT_EQ(m_starter.starts.size(), 3);
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_TRUE(
        m_messages.shown[0].startsWith(QString::fromUtf8("No se pudo guardar una copia de la partida de game.gb")));
}

TEST_F(SaveActionsTest, AnotherEmulatorsSaveIsBroughtAlongOnceAskedAndConverted)
{
    makeFolder("Save");
    for (const char *rom : {"clock.gb", "other.gb"})
        writeFile(rom, "rom");
    const QByteArray battery(32 * 1024, 'b');
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    writeFile("Save/clock.srm", battery);
    writeFile("Save/clock.rtc", ClockFormats::toRetroArchClock(3600, now));
    writeFile("Save/other.srm", battery);
    useEmulator("mgba-qt");
    start();
    launch("clock.gb");
    ASSERT_EQ(m_messages.asked.size(), 1);
    EXPECT_TRUE(m_messages.asked[0].contains("mGBA") && m_messages.asked[0].contains("RetroArch"))
        << qPrintable(m_messages.asked[0]);
    const ClockFormats::Split brought = ClockFormats::fromMgba(readFile("Save/clock.sav"));
    EXPECT_EQ(brought.battery, battery);
    ASSERT_TRUE(brought.clockSeconds);
    EXPECT_NEAR(double(*brought.clockSeconds), 3600, 5);
    EXPECT_TRUE(m_messages.shown.isEmpty()) << qPrintable(m_messages.shown.join('\n'));
    EXPECT_EQ(readFile("Save/clock.srm"), battery); // RetroArch's stays
    EXPECT_EQ(copies("clock").size(), 1);           // and the brought save is kept before the game starts

    // Declined, it is not asked again, and nothing is written.
    m_messages.answer = false;
    launch("other.gb");
    launch("other.gb");
    EXPECT_EQ(m_messages.asked.size(), 2);
    EXPECT_FALSE(QFile::exists(path("Save/other.sav")));
    EXPECT_EQ(m_starter.starts.size(), 3);
}

TEST_F(SaveActionsTest, TheSavedGamesWindowListsNewestFirstAndRestoresWithTheCurrentKept)
{
    makeFolder("Save");
    writeFile("game.gb", "rom");
    useEmulator("zibo");
    start();
    QAction *menuItem = item("PartidasGuardadas1");
    ASSERT_NE(menuItem, nullptr);
    EXPECT_EQ(menuItem->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_FALSE(menuItem->isEnabled());
    clickEntry("game.gb");
    EXPECT_TRUE(menuItem->isEnabled());
    EXPECT_TRUE(item("PartidasGuardadas2")->isEnabled());

    const SavePlace place{path("Save/game.sav"), QString(), SavePlace::Clock::None};
    {
        SavedGamesDialog empty(m_base, path("game.gb"), place, "Zibo");
        ASSERT_EQ(empty.list()->topLevelItemCount(), 1);
        EXPECT_EQ(empty.list()->topLevelItem(0)->text(0), "Este juego no tiene todavía partida guardada ni copias.");
        EXPECT_FALSE(empty.findChild<QPushButton *>("RestoreButton")->isEnabled());
        EXPECT_FALSE(empty.findChild<QPushButton *>("ExportButton")->isEnabled());
    }
    SaveCopies kept(m_base, path("game.gb"));
    const QDateTime then = QDateTime::currentDateTime().addDays(-1);
    for (const char *bytes : {"first", "second"}) {
        writeFile("Save/game.sav", bytes);
        ASSERT_EQ(kept.keep(place, then.addSecs(bytes[0] == 'f' ? 0 : 60)), SaveCopies::Outcome::Copied);
    }
    writeFile("Save/game.sav", "broken");
    SavedGamesDialog dialog(m_base, path("game.gb"), place, "Zibo");
    dialog.show();
    QTreeWidget *list = dialog.list();
    for (const char *name : {"RestoreButton", "ExportButton", "OpenFolderButton", "CloseButton"}) {
        const QPushButton *button = dialog.findChild<QPushButton *>(name);
        EXPECT_FALSE(QRect(button->mapTo(&dialog, QPoint()), button->size()).intersects(list->geometry())) << name;
        EXPECT_FALSE(button->accessibleName().isEmpty()) << name;
    }
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_TRUE(list->topLevelItem(0)->text(0).startsWith("Partida actual"));
    EXPECT_EQ(list->topLevelItem(0)->text(2), "Zibo");
    EXPECT_EQ(list->topLevelItem(1)->text(0), QLocale().toString(then.addSecs(60), QLocale::ShortFormat));
    EXPECT_EQ(list->topLevelItem(1)->text(2), "Zibo / mGBA");
    auto *restore = dialog.findChild<QPushButton *>("RestoreButton");
    EXPECT_EQ(list->currentItem(), list->topLevelItem(1)); // the newest copy is chosen
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_FALSE(restore->isEnabled()); // the current save is not put over itself

    // Asked and refused: nothing changes. Agreed: the chosen copy in place, the broken save kept.
    list->setCurrentItem(list->topLevelItem(2));
    m_messages.answer = false;
    restore->click();
    EXPECT_EQ(readFile("Save/game.sav"), "broken");
    m_messages.answer = true;
    restore->click();
    EXPECT_EQ(readFile("Save/game.sav"), "first");
    ASSERT_EQ(list->topLevelItemCount(), 4);
    EXPECT_EQ(readFile(QDir(m_base).relativeFilePath(kept.list().first().save)), "broken");
    EXPECT_EQ(m_messages.asked.size(), 2);
}

// The real question box: the option is a box to tick under the text, unticked at first; "No" takes nothing.
TEST(OptionQuestionTest, TheBoxUnderTheQuestionSaysWhetherItWasTicked)
{
    MessageBoxSink boxes;
    for (const bool tickIt : {false, true}) {
        for (const auto button : {QMessageBox::Yes, QMessageBox::No}) {
            bool uncheckedAtFirst = false;
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                auto *check = box->findChild<QCheckBox *>("OptionBox");
                ASSERT_NE(check, nullptr);
                EXPECT_EQ(check->text(), "also the saves");
                uncheckedAtFirst = !check->isChecked();
                // Under the question, not over it.
                const QWidget *text = box->findChild<QLabel *>("qt_msgbox_label");
                ASSERT_NE(text, nullptr);
                EXPECT_GE(check->mapTo(box, QPoint()).y(), text->mapTo(box, QPoint(0, text->height())).y());
                check->setChecked(tickIt);
                box->button(button)->click();
            });
            bool ticked = !tickIt;
            EXPECT_EQ(boxes.confirmWithOption("Delete?", "also the saves", &ticked), button == QMessageBox::Yes);
            EXPECT_EQ(ticked, tickIt && button == QMessageBox::Yes);
            EXPECT_TRUE(uncheckedAtFirst);
        }
    }
}

} // namespace
