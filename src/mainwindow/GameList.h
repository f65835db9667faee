#pragma once

#include "mainwindow/RomListModel.h"
#include "mainwindow/Views.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

class MainMenus;
class QLabel;
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
    // The labels of the main window that the list writes.
    struct Labels
    {
        QLabel *title = nullptr;         // emptied when the view changes
        QLabel *previewLength = nullptr; // status panel 0
        QLabel *count = nullptr;         // status panel 1
    };

    GameList(QWidget *parent, MainMenus &menus, Steps steps);

    // Called once the window's labels exist.
    void setLabels(const Labels &labels) { m_labels = labels; }

    RomListModel &model() { return m_model; }
    RomListView *view() const { return m_view; }
    std::optional<RomListModel::Entry> selectedEntry() const;

    // The command line that a launch of the selected entry would use, and the selected entry's full path as
    // the first line of the packing list; both set by the selection handling.
    const QString &commandLinePreview() const { return m_preview; }
    void setCommandLinePreview(const QString &line) { m_preview = line; }
    const QStringList &packingList() const { return m_packingList; }

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
    void updatePreview();
    void markView(const View &view);

    MainMenus &m_menus;
    Steps m_steps;
    Labels m_labels;
    RomListModel m_model;
    RomListView *m_view = nullptr;
    QString m_preview;
    QStringList m_packingList;
};
