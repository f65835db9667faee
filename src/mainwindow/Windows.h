#pragma once

#include <QList>
#include <memory>

class QWidget;
class MainWindow;
class RomFolderDialog;
class AudioVideoDialog;
class KeyboardDialog;
class OtherOptionsDialog;
class JoystickTypeDialog;
class ControlsDialog;
class GameGenieDialog;
class ArchiveNameDialog;
class TitleDialog;
class HomePageDialog;
class DirectoriesDialog;
class LanguageDialog;
class PictureViewer;
class LateStartup;

// The program's fifteen windows, created once at start-up in this order and kept until the end.
struct Windows
{
    Windows();
    ~Windows(); // destroys them in the reverse order
    Windows(const Windows &) = delete;
    Windows &operator=(const Windows &) = delete;

    QList<QWidget *> all() const;

    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<RomFolderDialog> romFolderDialog;
    std::unique_ptr<AudioVideoDialog> audioVideoDialog;
    std::unique_ptr<KeyboardDialog> keyboardDialog;
    std::unique_ptr<OtherOptionsDialog> otherOptionsDialog;
    std::unique_ptr<JoystickTypeDialog> joystickTypeDialog;
    std::unique_ptr<ControlsDialog> controlsDialog;
    std::unique_ptr<GameGenieDialog> gameGenieDialog;
    std::unique_ptr<ArchiveNameDialog> archiveNameDialog;
    std::unique_ptr<TitleDialog> titleDialog;
    std::unique_ptr<HomePageDialog> homePageDialog;
    std::unique_ptr<DirectoriesDialog> directoriesDialog;
    std::unique_ptr<LanguageDialog> languageDialog;
    std::unique_ptr<PictureViewer> pictureViewer;
    std::unique_ptr<LateStartup> lateStartup;
};
