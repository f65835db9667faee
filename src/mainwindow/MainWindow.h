#pragma once

#include "emulator/ConfigTemplate.h"
#include "mainwindow/GameList.h"
#include "screenshots/ScreenshotHarvest.h"
#include "screenshots/ScreenshotOptions.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

class CollectionActions;
class FileActions;
class HelpItems;
class Language;
class MainMenus;
class QAction;
class QCheckBox;
class QDialog;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QTimer;
struct Windows;

// The main window: the ROM list, the menus, the start button and the Game Genie switch, and the holders that
// the other windows share (configuration template, language table, command-line preview, stem, ...). It
// wires the menus, the list and the help items together.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(Windows &windows);
    ~MainWindow() override;

    // False when the ZIP library check failed at creation; the program then ends.
    bool started() const { return m_started; }

    // ---- Shared state ----
    ConfigTemplate &configTemplate() { return m_template; }
    Language &language() { return *m_language; }
    GameList &gameList() { return *m_gameList; }
    MainMenus &menus() { return *m_menus; }
    RomListModel &romList() { return m_gameList->model(); }
    QListView *listView() const;
    std::optional<RomListModel::Entry> selectedEntry() const { return m_gameList->selectedEntry(); }
    const QString &commandLinePreview() const { return m_gameList->commandLinePreview(); }
    const QString &storedPalette() const { return m_storedPalette; }
    const QString &selectedStem() const { return m_selectedStem; }
    // Renaming every file to its title moves the current stem along the files.
    void setSelectedStem(const QString &stem) { m_selectedStem = stem; }
    // First line: full path of the selected entry, as packing takes it.
    const QStringList &packingList() const { return m_gameList->packingList(); }
    const QString &extractionListFolder() const { return m_extractionListFolder; }
    QString statusPanel(int panel) const;
    QCheckBox *gameGenieSwitch() const { return m_gameGenieSwitch; }
    QTimer *screenshotTimer() const { return m_screenshotTimer; }
    QAction *action(const char *name) const;
    QMenu *popupMenu() const;
    const View *markedView() const;
    QDialog *readmeViewer() const;

    // ---- Routines ----
    // Starts the emulator on the ROM (checks, Zibo.cfg, the command line); the preview keeps the line started.
    void launch(const QString &rom);
    // Launches the selected entry; nothing at all without a selection.
    void launchSelected();
    // The selected game's stem, title label and Game Genie codes, read afresh from the data files; then the
    // cheat lines applied or removed as the switch says. Without a selection nothing changes.
    void loadSelectedGameDetails();
    // A title in the title label.
    void showTitle(const QString &title);
    // The selected game's picture in the viewer: its shot, else "ctg.jpg"; with none the viewer keeps its own.
    void loadSelectedPicture();
    // One tick of the screenshot timer: the emulator's shot filed under the selected game.
    void collectScreenshot();
    // "Screen Shoots" clicked (the check mark already turned): a leftover shot discarded, the switch stored,
    // the viewer shown or hidden.
    void screenshotSwitchClicked();
    // Where the screenshot options come from; the settings file until the directories dialog supplies them.
    void setScreenshotOptionsSource(std::function<ScreenshotOptions()> source);
    // "Usar" or "No Usar" of the codes dialog, as the Game Genie switch says.
    void applyGameGenieSwitch();
    // The switch clicked: the cheat lines applied or removed, then Zibo.cfg written.
    void gameGenieSwitchToggled();
    // "Buscar Zibo": a file dialog, then the chosen program stored.
    void locateEmulator();
    // Stores the emulator's path and its folder; an empty path (a cancelled dialog) stores nothing.
    void storeEmulatorPath(const QString &file);
    void chooseRomFolder();
    void showReadme();
    // The late start-up step's first part: the screenshot switch from the settings.
    void restoreScreenshotSwitch();
    // "ctg.jpg" of the base folder in the viewer, when there is one.
    void showDefaultPicture();

signals:
    // The main window closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createControls();
    void connectMenus();
    void placeControls();
    void placeFromSettings();

    Windows &m_windows;
    bool m_started = false;
    ConfigTemplate m_template;
    std::unique_ptr<Language> m_language;
    MainMenus *m_menus = nullptr;
    GameList *m_gameList = nullptr;
    HelpItems *m_help = nullptr;
    CollectionActions *m_collection = nullptr;
    FileActions *m_files = nullptr;
    QString m_storedPalette = QStringLiteral(";xxx");
    QString m_selectedStem;
    QString m_extractionListFolder;

    QLabel *m_title = nullptr; // the selected game's title
    QCheckBox *m_gameGenieSwitch = nullptr;
    QPushButton *m_startButton = nullptr;
    QLabel *m_panel0 = nullptr;
    QLabel *m_panel1 = nullptr;
    QTimer *m_screenshotTimer = nullptr;
    ScreenshotHarvest m_screenshotHarvest;
    std::function<ScreenshotOptions()> m_screenshotOptions;
    bool m_placedOnShow = false;
};
