#include "mainwindow/Windows.h"

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
#include "screenshots/PictureViewer.h"

Windows::Windows() = default;

Windows::~Windows()
{
    // The reverse order of creation: the main window, which the others refer to, goes last; each dialog
    // before the options it shows.
    lateStartup.reset();
    pictureViewer.reset();
    languageDialog.reset();
    directoriesDialog.reset();
    directoriesOptions.reset();
    homePageDialog.reset();
    titleDialog.reset();
    archiveNameDialog.reset();
    gameGenieDialog.reset();
    controlsDialog.reset();
    controlsOptions.reset();
    joystickTypeDialog.reset();
    joystickTypeOptions.reset();
    otherOptionsDialog.reset();
    otherOptions.reset();
    keyboardDialog.reset();
    keyboardOptions.reset();
    audioVideoDialog.reset();
    audioVideoOptions.reset();
    romFolderDialog.reset();
    mainWindow.reset();
}

QList<QWidget *> Windows::all() const
{
    QList<QWidget *> windows;
    for (QWidget *w : std::initializer_list<QWidget *>{
             mainWindow.get(), romFolderDialog.ifMade(), audioVideoDialog.ifMade(), keyboardDialog.ifMade(),
             otherOptionsDialog.ifMade(), joystickTypeDialog.ifMade(), controlsDialog.ifMade(),
             gameGenieDialog.ifMade(), archiveNameDialog.ifMade(), titleDialog.ifMade(), homePageDialog.ifMade(),
             directoriesDialog.ifMade(), languageDialog.ifMade(), pictureViewer.get()}) {
        if (w)
            windows.append(w);
    }
    return windows;
}

void Windows::makeAll()
{
    romFolderDialog.get();
    audioVideoDialog.get();
    keyboardDialog.get();
    otherOptionsDialog.get();
    joystickTypeDialog.get();
    controlsDialog.get();
    gameGenieDialog.get();
    archiveNameDialog.get();
    titleDialog.get();
    homePageDialog.get();
    directoriesDialog.get();
    languageDialog.get();
}
