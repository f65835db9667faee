#include "app/Startup.h"

#include "app/LateStartup.h"
#include "archive/ArchiveNameDialog.h"
#include "emulator/AudioVideoDialog.h"
#include "emulator/ControlsDialog.h"
#include "emulator/DirectoriesDialog.h"
#include "emulator/JoystickTypeDialog.h"
#include "emulator/KeyboardDialog.h"
#include "emulator/OtherOptionsDialog.h"
#include "gamegenie/GameGenieDialog.h"
#include "language/LanguageDialog.h"
#include "library/TitleDialog.h"
#include "mainwindow/HomePageDialog.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/RomFolderDialog.h"
#include "platform/ErrorHandler.h"
#include "screenshots/PictureViewer.h"

std::unique_ptr<Windows> createWindows()
{
    auto windows = std::make_unique<Windows>();
    Windows &w = *windows;
    w.mainWindow = std::make_unique<MainWindow>(w);
    if (!w.mainWindow->started())
        return windows;
    w.romFolderDialog = std::make_unique<RomFolderDialog>(w.mainWindow->romList());
    w.audioVideoDialog =
        std::make_unique<AudioVideoDialog>(w.mainWindow->configTemplate(), w.mainWindow->storedPalette());
    w.keyboardDialog = std::make_unique<KeyboardDialog>(w.mainWindow->configTemplate());
    w.otherOptionsDialog = std::make_unique<OtherOptionsDialog>(w.mainWindow->configTemplate());
    w.joystickTypeDialog = std::make_unique<JoystickTypeDialog>(w.mainWindow->configTemplate());
    w.controlsDialog = std::make_unique<ControlsDialog>(w.mainWindow->configTemplate());
    w.gameGenieDialog = std::make_unique<GameGenieDialog>(*w.mainWindow);
    w.archiveNameDialog = std::make_unique<ArchiveNameDialog>();
    w.titleDialog = std::make_unique<TitleDialog>();
    w.homePageDialog = std::make_unique<HomePageDialog>();
    w.directoriesDialog = std::make_unique<DirectoriesDialog>(w.mainWindow->configTemplate());
    // Filing a screenshot reads the dialog's live options.
    w.mainWindow->setScreenshotOptionsSource([&w] {
        return w.directoriesDialog ? w.directoriesDialog->options().screenshotOptions()
                                   : ScreenshotOptions::fromSettings(SettingsFile());
    });
    w.languageDialog = std::make_unique<LanguageDialog>(w.mainWindow->language());
    w.pictureViewer = std::make_unique<PictureViewer>();
    QObject::connect(w.pictureViewer.get(), &PictureViewer::shown, w.mainWindow.get(),
                     guarded([main = w.mainWindow.get()] { main->loadSelectedPicture(); }));
    w.lateStartup = std::make_unique<LateStartup>(w);
    return windows;
}
