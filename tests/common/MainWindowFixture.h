#pragma once

#include "TestSupport.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "mainwindow/GameList.h"
#include "mainwindow/HelpItems.h"
#include "mainwindow/LaunchActions.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/ScreenshotActions.h"

#include <QListView>

#include <memory>

class QAction;

// Starts Cartling's windows in the test's base folder, the way the program does, with messages recorded.
class MainWindowTest : public BaseFolderTest
{
protected:
    void TearDown() override;

    // Creates the fifteen windows and shows the main window.
    void start();
    // Closes the main window (storing its position) and destroys every window.
    void stop();

    MainWindow &main() const { return *m_windows->mainWindow; }
    Windows &windows() const { return *m_windows; }
    QAction *item(const char *name) const;
    QStringList captions() const;
    void writeSettings(const QByteArray &ini) const { writeFile("Cartling.ini", ini); }

    // Clicks the list entry with this caption, or empty space below the entries.
    void clickEntry(const QString &caption) const;
    void clickEmptySpace() const;

    std::unique_ptr<Windows> m_windows;
};
