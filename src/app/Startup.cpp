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
#include "language/Language.h"
#include "language/LanguageDialog.h"
#include "library/TitleDialog.h"
#include "mainwindow/HomePageDialog.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/RomFolderDialog.h"
#include "mainwindow/ScreenshotActions.h"
#include "platform/AccessibleNames.h"
#include "platform/ErrorHandler.h"
#include "screenshots/PictureViewer.h"
#include "settings/SettingsFile.h"

namespace {

// A window made after start-up takes the language the others show and names for screen readers, as the
// late start-up step gives the windows made before it.
template <typename T> std::function<std::unique_ptr<T>()> maker(Windows &w, std::function<std::unique_ptr<T>()> make)
{
    return [&w, make = std::move(make)] {
        std::unique_ptr<T> window = make();
        w.mainWindow->language().applyTo(window.get());
        AccessibleNames::update(window.get());
        return window;
    };
}

} // namespace

std::unique_ptr<Windows> createWindows()
{
    const SettingsFile::ReadBatch settingsReads;
    auto windows = std::make_unique<Windows>();
    Windows &w = *windows;
    w.mainWindow = std::make_unique<MainWindow>(w);
    if (!w.mainWindow->started())
        return windows;
    Session &session = w.mainWindow->session();
    ConfigTemplate &configTemplate = session.configTemplate();
    // In the order of the design's windows: the options run their creation steps (settings read,
    // configuration lines written) now; each dialog is made when it is first shown.
    w.romFolderDialog.setMaker(
        maker<RomFolderDialog>(w, [&session] { return std::make_unique<RomFolderDialog>(session.romList()); }));
    w.audioVideoOptions = std::make_unique<AudioVideoOptions>(configTemplate, session.storedPalette());
    w.audioVideoOptions->load();
    w.audioVideoDialog.setMaker(
        maker<AudioVideoDialog>(w, [&w] { return std::make_unique<AudioVideoDialog>(*w.audioVideoOptions); }));
    w.keyboardOptions = std::make_unique<KeyboardOptions>(configTemplate);
    w.keyboardOptions->load();
    w.keyboardDialog.setMaker(
        maker<KeyboardDialog>(w, [&w] { return std::make_unique<KeyboardDialog>(*w.keyboardOptions); }));
    w.otherOptions = std::make_unique<OtherOptions>(configTemplate);
    w.otherOptionsDialog.setMaker(
        maker<OtherOptionsDialog>(w, [&w] { return std::make_unique<OtherOptionsDialog>(*w.otherOptions); }));
    w.joystickTypeOptions = std::make_unique<JoystickTypeOptions>(configTemplate);
    w.joystickTypeDialog.setMaker(
        maker<JoystickTypeDialog>(w, [&w] { return std::make_unique<JoystickTypeDialog>(*w.joystickTypeOptions); }));
    w.controlsOptions = std::make_unique<ControlsOptions>(configTemplate);
    w.controlsDialog.setMaker(
        maker<ControlsDialog>(w, [&w] { return std::make_unique<ControlsDialog>(*w.controlsOptions); }));
    w.gameGenieDialog.setMaker(
        maker<GameGenieDialog>(w, [&session] { return std::make_unique<GameGenieDialog>(session); }));
    w.archiveNameDialog.setMaker(maker<ArchiveNameDialog>(w, [] { return std::make_unique<ArchiveNameDialog>(); }));
    w.titleDialog.setMaker(maker<TitleDialog>(w, [] { return std::make_unique<TitleDialog>(); }));
    w.homePageDialog.setMaker(maker<HomePageDialog>(w, [] { return std::make_unique<HomePageDialog>(); }));
    w.directoriesOptions = std::make_unique<DirectoriesOptions>(configTemplate);
    w.directoriesDialog.setMaker(
        maker<DirectoriesDialog>(w, [&w] { return std::make_unique<DirectoriesDialog>(*w.directoriesOptions); }));
    // Filing a screenshot reads the live options.
    ScreenshotActions &screenshots = w.mainWindow->screenshots();
    screenshots.setOptionsSource([&w] { return w.directoriesOptions->screenshotOptions(); });
    w.languageDialog.setMaker(
        maker<LanguageDialog>(w, [&w] { return std::make_unique<LanguageDialog>(w.mainWindow->language()); }));
    w.pictureViewer = std::make_unique<PictureViewer>();
    QObject::connect(w.pictureViewer.get(), &PictureViewer::shown, &screenshots,
                     guarded([&screenshots] { screenshots.loadSelectedPicture(); }));
    w.lateStartup = std::make_unique<LateStartup>(w);
    return windows;
}
