#pragma once

#include <QMainWindow>
#include <QStringList>
#include <memory>
#include <optional>

class CollectionActions;
class CollectionCheck;
class DropActions;
class FileActions;
class FirstGameGuide;
class GameFinder;
class GameList;
class HelpItems;
class Language;
class LaunchActions;
class MainMenus;
class PictureViewActions;
class NameRepairActions;
class QAction;
class QCheckBox;
class QDialog;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTimer;
class QVBoxLayout;
class ScreenshotActions;
class Session;
struct View;
struct Windows;

// The main window: the ROM list, the menus, the start button, the Game Genie switch and the status bar. It
// owns the session (the state every window shares) and builds and wires the classes that do the work: the
// menus, the list, and one action class per concern. A new feature adds a class of its own beside these.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(Windows &windows);
    ~MainWindow() override;

    // False when the ZIP library check failed at creation; the program then ends.
    bool started() const { return m_started; }

    // ---- What the window is built of ----
    Session &session() const { return *m_session; }
    Language &language() const { return *m_language; }
    MainMenus &menus() const { return *m_menus; }
    GameList &gameList() const { return *m_gameList; }
    HelpItems &help() const { return *m_help; }
    LaunchActions &launches() const { return *m_launches; }
    ScreenshotActions &screenshots() const { return *m_screenshots; }
    GameFinder &finder() const { return *m_finder; }
    PictureViewActions &pictures() const { return *m_pictures; }
    FirstGameGuide &guide() const { return *m_guide; }
    DropActions &drops() const { return *m_drops; }

    QListView *listView() const;
    QCheckBox *gameGenieSwitch() const { return m_gameGenieSwitch; }
    QAction *action(const char *name) const;
    QMenu *popupMenu() const;
    const View *markedView() const;
    QDialog *readmeViewer() const;
    QString statusPanel(int panel) const;

    // The switch clicked: the cheat lines applied or removed, then Zibo.cfg written.
    void gameGenieSwitchToggled();

    // ---- Room for features ----
    // A widget between the selected game's details and the list (a filter field, a tool row).
    void addAboveList(QWidget *widget);
    // The list's place: the ROM list is its first page; another way of showing the same list is a page of
    // its own, and the feature that adds it switches between them.
    QStackedWidget *listArea() const { return m_listArea; }

signals:
    // The main window closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls();
    void connectMenus();
    void layOut(QWidget *compress, QWidget *codesGroup, QWidget *divider);
    void placeControls();
    // The details that features give for the selected game, under its title.
    void showDetails();
    void fitDetails();
    void placeFromSettings();

    Windows &m_windows;
    bool m_started = false;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<Language> m_language;
    MainMenus *m_menus = nullptr;
    GameList *m_gameList = nullptr;
    HelpItems *m_help = nullptr;
    CollectionActions *m_collection = nullptr;
    CollectionCheck *m_collectionCheck = nullptr;
    FileActions *m_files = nullptr;
    LaunchActions *m_launches = nullptr;
    ScreenshotActions *m_screenshots = nullptr;
    GameFinder *m_finder = nullptr;
    PictureViewActions *m_pictures = nullptr;
    NameRepairActions *m_nameRepair = nullptr;
    FirstGameGuide *m_guide = nullptr;
    DropActions *m_drops = nullptr;

    QLabel *m_title = nullptr; // the selected game's title
    QLabel *m_details = nullptr;
    QStringList m_detailLines;
    int m_designHeight = 0;
    QStackedWidget *m_listArea = nullptr;
    QVBoxLayout *m_aboveList = nullptr;
    QCheckBox *m_gameGenieSwitch = nullptr;
    QPushButton *m_startButton = nullptr;
    QLabel *m_panel0 = nullptr;
    QLabel *m_panel1 = nullptr;
    bool m_placedOnShow = false;
};
