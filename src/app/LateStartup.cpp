#include "app/LateStartup.h"

#include "language/Language.h"
#include "language/LanguageChoice.h"
#include "mainwindow/GameList.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/ScreenshotActions.h"
#include "mainwindow/Windows.h"
#include "platform/AccessibleNames.h"
#include "platform/ErrorHandler.h"
#include "platform/FileLookup.h"
#include "screenshots/PictureViewer.h"
#include "settings/BaseFolder.h"

#include <QLocale>

LateStartup::LateStartup(Windows &windows)
{
    setObjectName(QStringLiteral("TForm20"));
    MainWindow &main = *windows.mainWindow;
    // 1. The screenshot switch and its viewer.
    main.screenshots().restoreSwitch();
    // 2. The default picture, found as a Windows installation would name it ("CTG.BMP" too).
    const QString picture = FileLookup::find(BaseFolder::path(), QStringLiteral("ctg.bmp"));
    if (!picture.isEmpty())
        windows.pictureViewer->loadPicture(picture);
    // 3. The stored language file, when it is still there; at a first start, the desktop's language.
    try {
        LanguageChoice::chooseForDesktop([] { return QLocale::system().uiLanguages(); });
    } catch (const CartlingError &) {
        // A settings file that refuses the write keeps the built-in texts, as before any choice: a start that
        // was not asked to choose says nothing about it.
    }
    main.language().loadStoredLanguage();
    // 4.
    main.gameList().showCount();
    // Every control now has its caption; those without one take a name for screen readers.
    for (QWidget *window : windows.all())
        AccessibleNames::update(window);
}
