#pragma once

#include "mainwindow/GameFilterModel.h"
#include "mainwindow/RomListModel.h"
#include "mainwindow/Views.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

class MainMenus;
class QLabel;
class Session;
class RomListView;
class QWidget;

// The ROM list and everything that follows its selection: the list widget and its entries, the views, the
// refresh, the game count, and the selection handling that reloads the selected game's picture, menu states
// and details and fills the command-line preview.
class GameList : public QObject
{
    Q_OBJECT
public:
    // What the rest of the main window does for the list, at the moments the list decides.
    struct Steps
    {
        std::function<void()> loadPicture;        // the selected game's picture
        std::function<void()> loadDetails;        // the title label and the Game Genie codes
        std::function<void()> launchSelected;     // Enter and double click
        std::function<void()> showDefaultPicture; // after a refresh
    };
    // The status panels of the main window that the list writes.
    struct Labels
    {
        QLabel *previewLength = nullptr; // status panel 0
        QLabel *count = nullptr;         // status panel 1
    };

    // The list shows the session's ROM list and is the session's source of the selected entry.
    GameList(QWidget *parent, Session &session, MainMenus &menus, Steps steps);

    // Called once the window's labels exist.
    void setLabels(const Labels &labels) { m_labels = labels; }

    RomListModel &model() { return m_model; }
    // The rows as shown: the model's entries narrowed by the filter, titles, favourites and recent plays.
    GameFilterModel &shown() { return *m_shown; }
    RomListView *view() const { return m_view; }
    // The view that shows the rows now: the list, or another view of them in its place (a grid of pictures).
    RomListView *shownView() const { return m_shownView; }
    void setShownView(RomListView *view) { m_shownView = view ? view : m_view; }
    // Another view of the same rows and selection (a grid of pictures): its clicks, keys, Enter, double clicks
    // and pop-up menu act as the list's own.
    void takeInputFrom(RomListView *view);
    std::optional<RomListModel::Entry> selectedEntry() const;

    // The filter field's text, or titles switched on or off: the rows shown change, and a selected row that
    // is still shown stays selected; the menus and the count follow.
    void setFilterText(const QString &typed);
    void setShowTitles(bool on);
    // The title list or the play records changed on disk: the rows shown follow, as above.
    void titlesChanged();
    void recordsChanged();
    // Selects a shown row as a click would (the selection handling runs); nothing for a row not shown.
    void selectRow(int row);
    // Selects the entry of that file name as a click would; false when the rows shown do not hold it.
    bool selectFile(const QString &fileName);
    // Launches the selected row, or the first row shown when none is selected; nothing without rows.
    void launchSelectedOrFirst();

    // A click or a key release in the list: picture, menu states, details, then the preview.
    void selectionHandling();
    // The pop-up menu opening: menu states, details, picture, then the preview (the caller shows the menu).
    void popupOpening();
    // Switches the items that follow the selection.
    void updateMenusForSelection();

    // Loads the stored ROM folder into the list again; a missing folder keeps the current one, re-read.
    void loadRomFolder();
    // "Actualizar": the stored folder again, the count and the default picture.
    void refresh();
    // A view chosen in the "Ver" menu: stored, marked, applied; the title label emptied.
    void chooseView(const View &view);
    // The stored view at start-up: marked and applied, nothing written.
    void restoreView();
    // "Nº de Juegos = " and the number of entries, in status panel 1.
    void showCount();

private:
    // The command-line preview and the packing list of the selected entry, in the session.
    void updatePreview();
    void markView(const View &view);

    Session &m_session;
    MainMenus &m_menus;
    Steps m_steps;
    Labels m_labels;
    // Runs a change of the rows shown, keeping the selected row selected when it stays.
    template <typename F> void keepingSelection(F change);

    RomListModel &m_model;
    GameFilterModel *m_shown = nullptr;
    RomListView *m_view = nullptr;
    RomListView *m_shownView = nullptr;
};
