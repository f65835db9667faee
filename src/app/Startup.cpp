#include "app/Startup.h"

#include "app/LateStartup.h"
#include "app/Session.h"
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
#include "mainwindow/ScreenshotActions.h"
#include "platform/ErrorHandler.h"
#include "screenshots/PictureViewer.h"

std::unique_ptr<Windows> createWindows()
{
    auto windows = std::make_unique<Windows>();
    Windows &w = *windows;
    w.mainWindow = std::make_unique<MainWindow>(w);
    if (!w.mainWindow->started())
        return windows;
    Session &session = w.mainWindow->session();
    ConfigTemplate &configTemplate = session.configTemplate();
    w.romFolderDialog = std::make_unique<RomFolderDialog>(session.romList());
    w.audioVideoDialog = std::make_unique<AudioVideoDialog>(configTemplate, session.storedPalette());
    w.keyboardDialog = std::make_unique<KeyboardDialog>(configTemplate);
    w.otherOptionsDialog = std::make_unique<OtherOptionsDialog>(configTemplate);
    w.joystickTypeDialog = std::make_unique<JoystickTypeDialog>(configTemplate);
    w.controlsDialog = std::make_unique<ControlsDialog>(configTemplate);
    w.gameGenieDialog = std::make_unique<GameGenieDialog>(session);
    w.archiveNameDialog = std::make_unique<ArchiveNameDialog>();
    w.titleDialog = std::make_unique<TitleDialog>();
    w.homePageDialog = std::make_unique<HomePageDialog>();
    w.directoriesDialog = std::make_unique<DirectoriesDialog>(configTemplate);
    // Filing a screenshot reads the dialog's live options.
    ScreenshotActions &screenshots = w.mainWindow->screenshots();
    screenshots.setOptionsSource([&w] {
        return w.directoriesDialog ? w.directoriesDialog->options().screenshotOptions()
                                   : ScreenshotOptions::fromSettings(SettingsFile());
    });
    w.languageDialog = std::make_unique<LanguageDialog>(w.mainWindow->language());
    w.pictureViewer = std::make_unique<PictureViewer>();
    QObject::connect(w.pictureViewer.get(), &PictureViewer::shown, &screenshots,
                     guarded([&screenshots] { screenshots.loadSelectedPicture(); }));
    w.lateStartup = std::make_unique<LateStartup>(w);
    return windows;
}
