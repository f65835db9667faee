#include "app/TForm20.h"

#include "language/Language.h"
#include "mainwindow/TForm1.h"
#include "mainwindow/Windows.h"
#include "screenshots/TForm14.h"
#include "settings/BaseFolder.h"

#include <QFileInfo>

TForm20::TForm20(Windows &windows)
{
    setObjectName(QStringLiteral("TForm20"));
    TForm1 &main = *windows.form1;
    // 1. The screenshot switch and its viewer.
    main.restoreScreenshotSwitch();
    // 2. The default picture.
    const QString picture = BaseFolder::file(QStringLiteral("ctg.bmp"));
    if (QFileInfo::exists(picture))
        windows.form14->loadPicture(picture);
    // 3. The stored language file, when it is still there.
    main.language().loadStoredLanguage();
    // 4.
    main.showCount();
}
