#pragma once

#include "library/PlayRecords.h"

#include <QDateTime>
#include <QMultiHash>
#include <QObject>

// The language entries of finding a game.
namespace FinderText {
enum : int
{
    FilterPlaceholder = 240,
    FilterName = 241,
    ShowTitles = 242,
    Favourites = 243,
    RecentlyPlayed = 244,
    Favourite = 245,
    LastPlayed = 246, // + date and time + " (" + launches + Times + ")"
    TimePlayed = 247, // + duration
    Times = 248,
};
} // namespace FinderText

class FilterField;
class GameList;
class MainMenus;
class QAction;
class Session;

// Finding a game in a large collection: the filter field above the list, the games' titles in place of
// their file names, favourites, the recently played games, and what the selected game's details say of its
// plays. The play records are kept at every launch and at every end of the emulator.
class GameFinder : public QObject
{
    Q_OBJECT
public:
    // Plays are recorded as the emulators started by the launches start and end.
    GameFinder(Session &session, GameList &list, MainMenus &menus);

    // The field, for the main window to place above the list.
    FilterField *field() const { return m_field; }
    PlayRecords &records() { return m_records; }

    // Ctrl+F: the field takes the focus with its text selected.
    void focusField();
    // "Mostrar títulos" switched; stored, and the rows show it at once.
    void setShowTitles(bool on);
    // The selected game made a favourite, or no longer one.
    void toggleFavourite();

    // An emulator started on the ROM, and one ended: its time counts as played.
    void emulatorStarted(const QString &rom, const QDateTime &at);
    void emulatorEnded(const QString &rom, const QDateTime &at);

private:
    void createItems();
    void recordsChanged();
    QStringList detailLines(const QString &rom) const;

    Session &m_session;
    GameList &m_list;
    MainMenus &m_menus;
    PlayRecords m_records;
    FilterField *m_field = nullptr;
    QAction *m_showTitles = nullptr;
    QAction *m_favourite = nullptr;
    QAction *m_favouritePopup = nullptr;
    // When each emulator still running started, by the ROM it runs.
    QMultiHash<QString, QDateTime> m_running;
};
