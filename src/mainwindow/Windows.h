#pragma once

#include <QList>
#include <functional>
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
class AudioVideoOptions;
class KeyboardOptions;
class OtherOptions;
class JoystickTypeOptions;
class ControlsOptions;
class DirectoriesOptions;

// A window made the first time something asks for it, by the maker that start-up gave it; until then only
// its rules exist. It tests true as soon as it can be made.
template <typename T> class LazyWindow
{
public:
    void setMaker(std::function<std::unique_ptr<T>()> make) { m_make = std::move(make); }
    LazyWindow &operator=(std::unique_ptr<T> window)
    {
        m_window = std::move(window);
        return *this;
    }

    T *get() const
    {
        if (!m_window && m_make)
            m_window = m_make();
        return m_window.get();
    }
    T *operator->() const { return get(); }
    T &operator*() const { return *get(); }
    explicit operator bool() const { return m_window || m_make; }
    // The window if it has been made, without making it.
    T *ifMade() const { return m_window.get(); }
    void reset()
    {
        m_window.reset();
        m_make = nullptr;
    }

private:
    std::function<std::unique_ptr<T>()> m_make;
    mutable std::unique_ptr<T> m_window;
};

// The program's fifteen windows in the order of their creation steps. The steps that have effects (settings
// read, configuration lines written, the screenshot switch) run at start-up in that order through the
// options' rules; the dialogs' widgets are made when they are first shown.
struct Windows
{
    Windows();
    ~Windows(); // destroys them in the reverse order
    Windows(const Windows &) = delete;
    Windows &operator=(const Windows &) = delete;

    // The windows made so far.
    QList<QWidget *> all() const;
    // Makes every window not made yet, in order (tests, and whatever must reach them all).
    void makeAll();

    std::unique_ptr<MainWindow> mainWindow;
    LazyWindow<RomFolderDialog> romFolderDialog;
    std::unique_ptr<AudioVideoOptions> audioVideoOptions;
    LazyWindow<AudioVideoDialog> audioVideoDialog;
    std::unique_ptr<KeyboardOptions> keyboardOptions;
    LazyWindow<KeyboardDialog> keyboardDialog;
    std::unique_ptr<OtherOptions> otherOptions;
    LazyWindow<OtherOptionsDialog> otherOptionsDialog;
    std::unique_ptr<JoystickTypeOptions> joystickTypeOptions;
    LazyWindow<JoystickTypeDialog> joystickTypeDialog;
    std::unique_ptr<ControlsOptions> controlsOptions;
    LazyWindow<ControlsDialog> controlsDialog;
    LazyWindow<GameGenieDialog> gameGenieDialog;
    LazyWindow<ArchiveNameDialog> archiveNameDialog;
    LazyWindow<TitleDialog> titleDialog;
    LazyWindow<HomePageDialog> homePageDialog;
    std::unique_ptr<DirectoriesOptions> directoriesOptions;
    LazyWindow<DirectoriesDialog> directoriesDialog;
    LazyWindow<LanguageDialog> languageDialog;
    std::unique_ptr<PictureViewer> pictureViewer;
    std::unique_ptr<LateStartup> lateStartup;
};
