#include "MainWindowFixture.h"

#include "app/CartlingApplication.h"
#include "gamegenie/GameGenieDialog.h"
#include "language/Language.h"
#include "language/LanguageTable.h"
#include "mainwindow/RomFolderDialog.h"
#include "mainwindow/Windows.h"
#include "screenshots/PictureViewer.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QWindow>

namespace {

using WindowQuality = MainWindowTest;

// Every control a user reaches, in every window, with the name a screen reader would announce.
QStringList unnamedControls(const QList<QWidget *> &windows)
{
    QStringList unnamed;
    for (QWidget *window : windows) {
        for (QWidget *control : window->findChildren<QWidget *>()) {
            const bool reachable = (control->focusPolicy() & Qt::TabFocus) || control->inherits("QAbstractButton");
            if (!reachable || !control->isVisibleTo(window))
                continue;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
            if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
                unnamed.append(window->objectName() + '/' + control->objectName() + " (" +
                               control->metaObject()->className() + ')');
        }
    }
    return unnamed;
}

// Broke when the application's display name was set: the window system was given "Cartling 1.7 — Cartling".
TEST_F(WindowQuality, TheWindowSystemGetsTheCaptionsWithNothingAppended)
{
    const QString previous = QCoreApplication::applicationName();
    nameApplication();
    EXPECT_EQ(QCoreApplication::applicationName(), "Cartling");
    // Qt appends the display name to every title only when one was set; an unset one follows the name.
    QCoreApplication::setApplicationName("probe");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "probe");
    QCoreApplication::setApplicationName(previous);

    start();
    ASSERT_NE(main().windowHandle(), nullptr);
    EXPECT_EQ(main().windowHandle()->title(), "Cartling 1.7");
}

// Broke when "ctg.bmp" was looked up with case: a "CTG.BMP" from a Windows installation never showed.
TEST_F(WindowQuality, TheDefaultPicturesAreFoundWhateverTheirCase)
{
    QImage red(4, 3, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(path("CTG.BMP"), "BMP"));
    start();
    ASSERT_FALSE(windows().pictureViewer->image()->pixmap().isNull());
    EXPECT_EQ(windows().pictureViewer->image()->pixmap().size(), QSize(4, 3));

    QImage blue(5, 2, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(path("Ctg.Jpg"), "JPG"));
    item("Actualizar1")->trigger();
    EXPECT_EQ(windows().pictureViewer->image()->pixmap().size(), QSize(5, 2));
}

// Broke when every showing put the tree back at the drive's root instead of the folder it last showed there.
TEST_F(WindowQuality, TheFolderDialogReturnsToTheFolderItLastShowedOnTheDrive)
{
    const QString drive = m_temp.path() + "/drive";
    ASSERT_TRUE(QDir().mkpath(drive + "/juegos/gb"));
    start();
    RomFolderDialog &dialog = *windows().romFolderDialog;
    dialog.show();
    EXPECT_EQ(dialog.treeFolder(), drive);
    dialog.setTreeFolder(drive + "/juegos/gb");
    dialog.close();
    dialog.show();
    EXPECT_EQ(dialog.treeFolder(), drive + "/juegos/gb");
    // A folder off the drive is left on the next showing for the last one on it.
    dialog.setTreeFolder(m_base);
    dialog.close();
    dialog.show();
    EXPECT_EQ(dialog.treeFolder(), drive + "/juegos/gb");
    dialog.close();
}

// Broke when the compress button, the ROM list and the folder tree had no name for screen readers.
TEST_F(WindowQuality, EveryControlHasANameForScreenReadersInEveryLanguage)
{
    // A game with an internal name, so that the codes dialog shows its code rows rather than its hint.
    writeFile("Tetris.gb", "rom");
    writeFile("GGCT.ini", "[Tetris]\r\nTitulo=TETRIS\r\n");
    start();
    clickEntry("Tetris.gb");
    windows().makeAll();
    QList<QWidget *> shown = windows().all();
    for (QWidget *window : shown)
        window->show();
    QWidget *codes = windows().gameGenieDialog.get();
    ASSERT_TRUE(codes->findChild<QWidget *>("GroupBox1")->isVisible());
    EXPECT_EQ(codes->findChild<QWidget *>("Box3")->accessibleName(), "Activar 3");
    EXPECT_EQ(unnamedControls(shown), QStringList());
    EXPECT_EQ(main().findChild<QWidget *>("SpeedButton1")->accessibleName(), "Comprime Juego Seleccionado");
    EXPECT_EQ(main().listView()->accessibleName(), "Todas las Roms");
    item("Ga1")->trigger();
    EXPECT_EQ(main().listView()->accessibleName(), "Gameboy Roms");

    // The names follow the language texts, as captions do.
    QFile::copy(QStringLiteral(CARTLING_SOURCE_DIR "/data/english.cti"), path("english.cti"));
    ASSERT_TRUE(main().language().loadLanguageFile(path("english.cti"), "english.cti"));
    EXPECT_EQ(unnamedControls(shown), QStringList());
    EXPECT_NE(main().listView()->accessibleName(), "Gameboy Roms");
    EXPECT_EQ(main().listView()->accessibleName(), item("Ga1")->text().remove('&'));
    EXPECT_EQ(codes->findChild<QWidget *>("Box3")->accessibleName(), "Active 3");
    EXPECT_EQ(codes->findChild<QWidget *>("C10")->accessibleName(), "Code 10");
    EXPECT_EQ(codes->findChild<QWidget *>("D1")->accessibleName(), "Description 1");
    for (QWidget *window : shown)
        window->hide();
}

// "Partidas guardadas…" stayed Spanish under an English file: an item a feature adds needs its place in the
// language table's targets, as every item of the menus has.
TEST_F(WindowQuality, EveryMenuItemTakesItsTextFromALanguageFile)
{
    start();
    QSet<QString> targeted;
    for (const LanguageTable::Target &target : LanguageTable::targets())
        targeted.insert(QString::fromLatin1(target.component));
    QStringList missing;
    for (const QAction *action : main().findChildren<QAction *>()) {
        if (!action->isSeparator() && !action->objectName().isEmpty() && !action->text().isEmpty() &&
            !targeted.contains(action->objectName()))
            missing.append(action->objectName());
    }
    EXPECT_EQ(missing, QStringList());
}

// A language file is plain text: an entry that looks like markup (bold, a link) shows as it stands wherever it
// lands, the status bar's game count included.
TEST_F(WindowQuality, LanguageEntriesThatLookLikeMarkupShowAsLiteralText)
{
    writeFile("Tetris.gb", "rom");
    start();
    QStringList lines;
    for (int i = 0; i < 190; ++i)
        lines.append(i % 2 ? QStringLiteral("<b>x</b>") : QStringLiteral("<a href=\"http://example.com\">x</a>"));
    writeFile("marcas.cti", lines.join("\r\n").toUtf8() + "\r\n");
    ASSERT_TRUE(main().language().loadLanguageFile(path("marcas.cti"), "marcas.cti"));
    windows().makeAll(); // windows made after the file take its texts too
    item("Ga1")->trigger(); // re-reads the list, so the game count is shown with the new text

    QStringList rich;
    int marked = 0;
    for (QWidget *window : windows().all()) {
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (!label->text().contains(QStringLiteral("<b>x</b>")) &&
                !label->text().contains(QStringLiteral("example.com")))
                continue;
            ++marked;
            if (label->textFormat() != Qt::PlainText)
                rich.append(window->objectName() + '/' + label->objectName() + ": " + label->text());
        }
    }
    EXPECT_GT(marked, 1);
    EXPECT_EQ(rich, QStringList());
}

} // namespace
