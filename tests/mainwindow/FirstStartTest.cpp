#include "MainWindowFixture.h"

#include "language/Language.h"
#include "language/LanguageTable.h"
#include "language/MessageTable.h"
#include "mainwindow/DropActions.h"
#include "mainwindow/FirstGameGuide.h"
#include "mainwindow/FirstStartText.h"
#include "mainwindow/RomDrop.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

namespace {

QString text(int index)
{
    return messageTable().text(index);
}

// ---- The guide to the first game ----

class FirstStart : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // The installed emulators are looked for on the path and in the home folder: both empty here.
        makeFolder("home");
        m_home.emplace("HOME", QFile::encodeName(path("home")));
        m_path.emplace("PATH", QFile::encodeName(path("home")));
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        messageTable().loadMessages(LanguageTable::builtin());
    }

    FirstGameGuide &guide() const { return main().guide(); }
    bool guideShown() const { return guide().line() && guide().line()->isVisible(); }
    QPushButton *startButton() const { return main().findChild<QPushButton *>("Button1"); }
    int rowsShown() const { return main().listView()->model()->rowCount(); }

    // Runs `action`, which should open a modal window, and closes that window; its name, or nothing.
    static QString modalOpenedBy(const std::function<void()> &action)
    {
        QString opened;
        QTimer::singleShot(0, [&opened] {
            if (QWidget *window = QApplication::activeModalWidget()) {
                opened = window->objectName();
                window->close();
            }
        });
        action();
        QCoreApplication::processEvents(); // a timer left when nothing opened
        return opened;
    }

    std::optional<ScopedEnvironment> m_home, m_path;
};

TEST_F(FirstStart, TheEmptyListShowsWhatToDoAsALabelAndAButtonNotAsARow)
{
    const struct
    {
        const char *situation;
        QByteArray settings;
        QStringList files;
        int line; // 0: no guide
    } cases[] = {
        {"no ROM folder chosen", "", {"notes.txt"}, FirstStartText::GuideNoFolder},
        {"an empty ROM folder", "[Directorios]\r\nRoms=roms\r\n", {}, FirstStartText::GuideNoGames},
        {"a ROM folder holding other files",
         "[Directorios]\r\nRoms=roms\r\n",
         {"roms/a.txt"},
         FirstStartText::GuideNoGames},
        {"a ROM folder with a game", "[Directorios]\r\nRoms=roms\r\n", {"roms/Tetris.gb"}, 0},
        {"games in the base folder, none chosen", "", {"Tetris.gb"}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.situation);
        QDir::setCurrent(path(".")); // the list made its folder the current one, which is the base folder at a start
        QDir(path("roms")).removeRecursively();
        QFile::remove(path("Tetris.gb"));
        makeFolder("roms");
        QByteArray settings = c.settings;
        settings.replace("Roms=roms", "Roms=" + path("roms").toUtf8());
        writeSettings(settings);
        for (const QString &file : c.files)
            writeFile(file, "x");
        start();
        EXPECT_EQ(guideShown(), c.line != 0);
        if (c.line == 0)
            EXPECT_EQ(guide().line(), nullptr); // made only when needed
        if (c.line != 0) {
            EXPECT_EQ(guide().line()->text(), text(c.line));
            EXPECT_EQ(guide().button()->text(), text(FirstStartText::GuideButton));
            EXPECT_EQ(rowsShown(), 0);
            EXPECT_EQ(main().statusPanel(1), text(Msg::GameCount) + "0");
            // The count takes the rest of the status bar.
            for (QLabel *panel : main().statusBar()->findChildren<QLabel *>()) {
                if (panel->text() == text(Msg::GameCount) + "0")
                    EXPECT_GT(panel->geometry().right(), main().statusBar()->width() / 2);
            }
            EXPECT_TRUE(main().listArea()->rect().contains(guide().line()->parentWidget()->geometry()));
        }
        stop();
    }
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(FirstStart, TheGuideGoesWhenGamesComeBackWhenTheyGoAndKeepsToTheListsMiddle)
{
    start();
    writeFile("Tetris.gb", "x");
    item("Actualizar1")->trigger();
    EXPECT_FALSE(guideShown());
    QFile::remove(path("Tetris.gb"));
    item("Actualizar1")->trigger();
    EXPECT_TRUE(guideShown());
    main().resize(main().width() + 200, main().height() + 300);
    QCoreApplication::processEvents();
    const QRect area = main().listArea()->rect(), shown = guide().line()->parentWidget()->geometry();
    EXPECT_EQ(shown.width(), area.width() - 16);
    EXPECT_NEAR(shown.center().y(), area.center().y(), 1);
    // The line as wide as the guide, which is as tall as the line and the button under it; and only one guide.
    EXPECT_EQ(guide().line()->width(), shown.width());
    EXPECT_EQ(guide().button()->geometry().bottom() + 1, shown.height());
    EXPECT_EQ(main().listArea()->findChildren<QLabel *>("GuideLine").size(), 1);
    EXPECT_EQ(modalOpenedBy([this] { QTest::mouseClick(guide().button(), Qt::LeftButton); }), "TForm2");
}

TEST_F(FirstStart, WithGamesButNoEmulatorTheStartButtonOffersTheInstalledEmulatorsInsteadOfAnError)
{
    makeFolder("roms");
    writeSettings("[Directorios]\r\nRoms=" + path("roms").toUtf8() + "\r\n");
    start();
    // Without games there is nothing to start and nothing to offer.
    EXPECT_TRUE(startButton()->text().isEmpty());
    EXPECT_EQ(modalOpenedBy([this] { startButton()->click(); }), "");

    writeFile("roms/Tetris.gb", "x");
    item("Actualizar1")->trigger();
    const QString offer = item("EmuladoresInstalados1")->text().remove(u'&');
    EXPECT_EQ(startButton()->text(), offer);
    EXPECT_EQ(startButton()->toolTip(), offer);
    EXPECT_EQ(modalOpenedBy([this] { startButton()->click(); }), "InstalledEmulatorsDialog");
    // Enter on a game gave "No se encuentra Zibo.exe..." with no emulator ever chosen.
    clickEntry("Tetris.gb");
    EXPECT_EQ(modalOpenedBy([this] { QTest::keyClick(main().listView(), Qt::Key_Return); }),
              "InstalledEmulatorsDialog");
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_TRUE(m_starter.starts.isEmpty());

    // The default program in the ROM folder is an emulator set: the button starts the game again.
    writeFile("roms/zibo", "#!/bin/sh\n");
    QFile::setPermissions(path("roms/zibo"), QFile::permissions(path("roms/zibo")) | QFileDevice::ExeOwner);
    emit main().launches().emulatorChosen();
    EXPECT_TRUE(startButton()->text().isEmpty());
    EXPECT_EQ(startButton()->toolTip(), "Jugar");
    EXPECT_EQ(modalOpenedBy([this] { startButton()->click(); }), "");
    EXPECT_EQ(m_starter.starts.size(), 1);
}

TEST_F(FirstStart, TextsSetByTheFeaturesFollowTheLanguageLoadedAtTheEndOfTheStart)
{
    QFile::copy(QStringLiteral(CARTLING_SOURCE_DIR "/data/english.cti"), path("english.cti"));
    makeFolder("roms");
    writeFile("roms/Tetris.gb", "x");
    writeSettings("[Directorios]\r\nRoms=" + path("roms").toUtf8() +
                  "\r\n[OtrasConfig2]\r\nArchId=" + path("english.cti").toUtf8() + "\r\n");
    start();
    EXPECT_EQ(main().menus().menu("AHMMenuItem1")->title(), "File");
    EXPECT_EQ(startButton()->text(), "Installed emulators\u2026");
    EXPECT_EQ(main().findChild<QLineEdit *>("FilterField")->placeholderText(), "Find a game (Ctrl+F)");
    QFile::remove(path("roms/Tetris.gb"));
    item("Actualizar1")->trigger();
    EXPECT_EQ(guide().button()->text(), QString::fromUtf8("Choose the games folder\u2026"));
}

// ---- Files dropped onto the window ----

class DroppedFiles : public FirstStart
{
protected:
    void SetUp() override
    {
        FirstStart::SetUp();
        makeFolder("drop");
        for (const char *name : {"drop/Zelda.gb", "drop/Pack.ZIP", "drop/Tetris.gb", "drop/notes.txt"})
            writeFile(name, QByteArray(name) + " bytes");
        makeFolder("drop/more");
    }
    QUrl url(const QString &name) const { return QUrl::fromLocalFile(path(name)); }
    QString selected() const
    {
        const auto entry = main().session().selectedEntry();
        return entry ? entry->fullPath : QString();
    }
};

TEST(RomDropSorting, GamesAFolderAloneAndEverythingElseRefused)
{
    QTemporaryDir temp;
    const QString dir = QFileInfo(temp.path()).canonicalFilePath();
    QDir(dir).mkdir("f");
    QDir(dir).mkdir("g");
    const auto local = [&](const char *name) { return QUrl::fromLocalFile(dir + u'/' + QLatin1String(name)); };
    const auto shown = [&](const char *name) { return QDir::toNativeSeparators(dir + u'/' + QLatin1String(name)); };
    const QUrl remote("https://example.com/Game.gb");
    const struct
    {
        QList<QUrl> urls;
        QStringList games;
        QString folder;
        QStringList refused;
    } cases[] = {
        {{local("a.gb"), local("B.GBC"), local("c.Zip")}, {dir + "/a.gb", dir + "/B.GBC", dir + "/c.Zip"}, {}, {}},
        {{local("notes.txt"), remote, local("x.gb")}, {dir + "/x.gb"}, {}, {shown("notes.txt"), remote.toString()}},
        {{local("f")}, {}, dir + "/f", {}},
        {{local("f"), local("x.gb")}, {dir + "/x.gb"}, {}, {shown("f")}},
        {{local("f"), local("g")}, {}, {}, {shown("f"), shown("g")}},
        {{local("f"), remote}, {}, {}, {remote.toString(), shown("f")}},
    };
    for (const auto &c : cases) {
        const RomDrop::Sorted sorted = RomDrop::sort(c.urls);
        EXPECT_EQ(sorted.games, c.games);
        EXPECT_EQ(sorted.folder, c.folder);
        EXPECT_EQ(sorted.refused, c.refused);
    }
}

TEST_F(DroppedFiles, CopiesNeverReplaceANameTakenInAnyCaseAndKeepTheBytesAndTime)
{
    makeFolder("roms");
    writeFile("roms/TETRIS.GB", "mine");
    makeFolder("other");
    writeFile("other/zelda.GB", "another zelda");
    makeFolder("other/Mario.gb"); // cannot be read as a file
    const QDateTime made = QFileInfo(path("drop/Zelda.gb")).lastModified().addSecs(-3600);
    {
        QFile zelda(path("drop/Zelda.gb"));
        zelda.open(QIODevice::ReadWrite);
        zelda.setFileTime(made, QFileDevice::FileModificationTime);
    }
    const RomDrop::Copied copied =
        RomDrop::copyInto({path("drop/Zelda.gb"), path("drop/Tetris.gb"), path("other/zelda.GB"),
                           path("other/Mario.gb"), path("drop/Pack.ZIP"), path("drop/gone.gb")},
                          path("roms"));
    EXPECT_EQ(copied.copied, QStringList({"Zelda.gb", "Pack.ZIP"}));
    EXPECT_EQ(copied.taken, QStringList({"Tetris.gb", "zelda.GB"}));
    EXPECT_EQ(copied.failed, QStringList({QDir::toNativeSeparators(path("other/Mario.gb")),
                                          QDir::toNativeSeparators(path("drop/gone.gb"))}));
    EXPECT_FALSE(copied.cancelled);
    EXPECT_EQ(readFile("roms/TETRIS.GB"), "mine");
    EXPECT_EQ(readFile("roms/Zelda.gb"), "drop/Zelda.gb bytes");
    EXPECT_EQ(readFile("roms/Pack.ZIP"), "drop/Pack.ZIP bytes");
    EXPECT_EQ(QFileInfo(path("roms/Zelda.gb")).lastModified(), made);
    // No half-made copy is left behind, hidden or not.
    EXPECT_EQ(QDir(path("roms")).entryList(QDir::Files | QDir::Hidden),
              QStringList({"Pack.ZIP", "TETRIS.GB", "Zelda.gb"}));
}

TEST_F(DroppedFiles, CancellingStopsBeforeTheNextGameAndTheClosingMessageSaysWhatHappened)
{
    makeFolder("roms");
    QList<std::pair<int, int>> reports;
    const RomDrop::Copied copied = RomDrop::copyInto(
        {path("drop/Zelda.gb"), path("drop/Tetris.gb"), path("drop/Pack.ZIP")}, path("roms"), [&](int done, int total) {
            reports.append({done, total});
            return done < 2;
        });
    EXPECT_EQ(copied.copied, QStringList({"Zelda.gb", "Tetris.gb"}));
    EXPECT_TRUE(copied.cancelled);
    EXPECT_EQ(reports, (QList<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}}));
    EXPECT_FALSE(QFile::exists(path("roms/Pack.ZIP")));
    EXPECT_EQ(RomDrop::closingMessage(copied, {}), text(FirstStartText::CopyCancelled).arg(2).arg(3));

    // A whole copy reports its end too; nothing to say then.
    reports.clear();
    const RomDrop::Copied all = RomDrop::copyInto({path("drop/Pack.ZIP")}, path("roms"), [&](int done, int total) {
        reports.append({done, total});
        return true;
    });
    EXPECT_EQ(reports, (QList<std::pair<int, int>>{{0, 1}, {1, 1}}));
    EXPECT_EQ(RomDrop::closingMessage(all, {}), "");

    // Every kind of trouble in one message, a long list cut to what fits on a screen.
    RomDrop::Copied troubles;
    for (int i = 0; i < 12; ++i)
        troubles.taken.append(QStringLiteral("g%1.gb").arg(i));
    troubles.failed = {"/a/b.gb"};
    const QString message = RomDrop::closingMessage(troubles, {"notes.txt"});
    EXPECT_EQ(message, text(FirstStartText::NamesTaken) +
                           "\ng0.gb\ng1.gb\ng2.gb\ng3.gb\ng4.gb\ng5.gb\ng6.gb\ng7.gb\ng8.gb\n"
                           "g9.gb\n\u2026 (+2)\n\n" +
                           text(FirstStartText::CopyFailed) + "\n/a/b.gb\n\n" + text(FirstStartText::NotGames) +
                           "\nnotes.txt");
}

TEST_F(DroppedFiles, WithNoRomFolderChosenGamesGoIntoTheBaseFoldersRomsWhichBecomesIt)
{
    start();
    QDir(path("Roms")).removeRecursively(); // made at the start, gone since
    main().drops().dropped({url("drop/Zelda.gb"), url("drop/notes.txt"), url("drop/Pack.ZIP")});
    EXPECT_EQ(SettingsFile().read(Keys::Roms), path("Roms"));
    EXPECT_EQ(readFile("Roms/Zelda.gb"), "drop/Zelda.gb bytes");
    EXPECT_EQ(captions(), QStringList({"Pack.ZIP", "Zelda.gb"}));
    // The first one copied, not the first row.
    EXPECT_EQ(selected(), path("Roms/Zelda.gb"));
    EXPECT_FALSE(guideShown());
    EXPECT_EQ(m_messages.shown,
              QStringList{text(FirstStartText::NotGames) + u'\n' + QDir::toNativeSeparators(path("drop/notes.txt"))});

    // A drop that copies nothing chooses no folder. (A folder holds the name here, so the list stays empty.)
    for (const QString &copy : {"Roms/Zelda.gb", "Roms/Pack.ZIP"})
        QFile::remove(path(copy));
    makeFolder("Roms/zelda.GB");
    QFile::remove(path("Cartling.ini"));
    item("Actualizar1")->trigger();
    ASSERT_TRUE(guideShown());
    m_messages.shown.clear();
    main().drops().dropped({url("drop/Zelda.gb")});
    EXPECT_EQ(SettingsFile().read(Keys::Roms), "");
    EXPECT_EQ(m_messages.shown, QStringList{text(FirstStartText::NamesTaken) + "\nZelda.gb"});
}

TEST_F(DroppedFiles, GamesGoIntoTheStoredRomFolderOrTheListedOneAndAGoneFolderTakesNothing)
{
    writeFile("Mario.gb", "listed in the base folder");
    start();
    // No folder chosen, but the list shows games: that is where they live.
    main().drops().dropped({url("drop/Tetris.gb")});
    EXPECT_EQ(readFile("Tetris.gb"), "drop/Tetris.gb bytes");
    EXPECT_FALSE(QFile::exists(path("Roms/Tetris.gb")));
    EXPECT_EQ(SettingsFile().read(Keys::Roms), "");
    EXPECT_EQ(selected(), path("Tetris.gb"));

    makeFolder("roms");
    writeSettings("[Directorios]\r\nRoms=" + path("roms").toUtf8() + "\r\n");
    main().drops().dropped({url("drop/Zelda.gb")});
    EXPECT_EQ(readFile("roms/Zelda.gb"), "drop/Zelda.gb bytes");
    EXPECT_EQ(selected(), path("roms/Zelda.gb"));
    EXPECT_TRUE(m_messages.shown.isEmpty());

    writeSettings("[Directorios]\r\nRoms=" + path("gone").toUtf8() + "\r\n");
    main().drops().dropped({url("drop/Pack.ZIP")});
    EXPECT_EQ(m_messages.shown, QStringList{text(Msg::FolderMissingStart) + QDir::toNativeSeparators(path("gone")) +
                                            text(Msg::FolderMissingEnd)});
    EXPECT_FALSE(QFile::exists(path("gone")));
    EXPECT_FALSE(QFile::exists(path("Roms/Pack.ZIP")));
}

TEST_F(DroppedFiles, AFolderAloneIsOfferedAsTheRomFolderAndAnythingElseIsRefusedWithOneMessage)
{
    start();
    m_messages.answer = false;
    main().drops().dropped({url("drop")});
    EXPECT_EQ(m_messages.asked,
              QStringList{text(FirstStartText::UseFolder).arg(QDir::toNativeSeparators(path("drop")))});
    EXPECT_EQ(SettingsFile().read(Keys::Roms), "");

    m_messages.answer = true;
    main().drops().dropped({url("drop")});
    EXPECT_EQ(SettingsFile().read(Keys::Roms), path("drop"));
    EXPECT_EQ(captions(), QStringList({"Pack.ZIP", "Tetris.gb", "Zelda.gb"}));
    EXPECT_TRUE(m_messages.shown.isEmpty());

    for (const QList<QUrl> &urls : {QList<QUrl>{url("drop/notes.txt")}, QList<QUrl>{QUrl("https://example.com/a.gb")},
                                    QList<QUrl>{url("drop"), url("drop/more")}}) {
        m_messages.shown.clear();
        main().drops().dropped(urls);
        EXPECT_EQ(m_messages.shown, QStringList{text(FirstStartText::DropRefused)});
    }
    EXPECT_EQ(m_messages.asked.size(), 2);
    EXPECT_EQ(SettingsFile().read(Keys::Roms), path("drop"));
}

TEST_F(DroppedFiles, TheWindowTakesAListOfFilesAsACopyAndHandlesItAfterTheDrop)
{
    start();
    QMimeData files;
    files.setUrls({url("drop/Zelda.gb")});
    QMimeData plainText;
    plainText.setText("Zelda.gb");
    const QPoint at = main().listView()->geometry().center();
    for (QMimeData *data : {&plainText, &files}) {
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&main(), &enter);
        EXPECT_EQ(enter.isAccepted(), data == &files);
        if (data == &files)
            EXPECT_EQ(enter.dropAction(), Qt::CopyAction); // the file manager keeps its file
    }

    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&main(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    // While it is handled, another drop is not taken.
    QDragEnterEvent second(at, Qt::CopyAction, &files, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&main(), &second);
    EXPECT_FALSE(second.isAccepted());
    EXPECT_FALSE(QFile::exists(path("Roms/Zelda.gb"))); // not inside the drop itself
    QCoreApplication::processEvents();
    EXPECT_EQ(readFile("Roms/Zelda.gb"), "drop/Zelda.gb bytes");
    QDragEnterEvent third(at, Qt::CopyAction, &files, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&main(), &third);
    EXPECT_TRUE(third.isAccepted());
}

TEST_F(DroppedFiles, FilesDroppedOnTheSearchFieldAreCopiedNotTypedIntoIt)
{
    // Dropped on the field, a file list became its path as search words and the list showed nothing.
    start();
    auto *field = main().findChild<QLineEdit *>("FilterField");
    QMimeData files; // as a file manager offers it: the list, and the paths as text
    files.setUrls({url("drop/Tetris.gb")});
    files.setText(path("drop/Tetris.gb"));
    QMimeData plainText;
    plainText.setText("Tetris");
    const QPoint at = field->rect().center();
    for (QMimeData *data : {&files, &plainText}) {
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(field, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(field, &drop);
        QCoreApplication::processEvents();
        EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    }
    EXPECT_EQ(readFile("Roms/Tetris.gb"), "drop/Tetris.gb bytes");
    EXPECT_EQ(field->text(), "Tetris"); // text is still the field's
    EXPECT_EQ(selected(), path("Roms/Tetris.gb"));
    // A file list dragged over the field is no text to place: the field's cursor stays.
    field->setCursorPosition(6);
    QDragEnterEvent over(QPoint(1, at.y()), Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, {});
    QCoreApplication::sendEvent(field, &over);
    EXPECT_TRUE(over.isAccepted());
    EXPECT_EQ(field->cursorPosition(), 6);
}

} // namespace
