#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

class GameList;
class Session;
class QWidget;
namespace RomDrop {
struct Sorted;
}

// Files dropped onto the main window or its list from a file manager: the games are copied into the ROM folder,
// never over a file it holds, and the first one copied is selected; a folder dropped alone may become the ROM
// folder; anything else is refused with one message.
class DropActions : public QObject
{
    Q_OBJECT
public:
    // Makes the window take drops of file lists.
    DropActions(QWidget &window, Session &session, GameList &list);

    // What a drop of these URLs does, once the drop itself has ended.
    void dropped(const QList<QUrl> &urls);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void copyGames(const RomDrop::Sorted &sorted);
    void offerFolder(const QString &folder);

    QWidget &m_window;
    Session &m_session;
    GameList &m_list;
    bool m_busy = false; // a drop's questions or copies are under way
};
