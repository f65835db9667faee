#include "mainwindow/DropActions.h"

#include "app/Session.h"
#include "language/MessageTable.h"
#include "mainwindow/FirstStartText.h"
#include "mainwindow/GameList.h"
#include "mainwindow/RomDrop.h"
#include "platform/ErrorHandler.h"
#include "platform/Messages.h"
#include "platform/ProgressWindow.h"
#include "settings/BaseFolder.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

DropActions::DropActions(QWidget &window, Session &session, GameList &list)
    : QObject(&window), m_window(window), m_session(session), m_list(list)
{
    // The list and most controls take no drops, so what is dropped on them reaches the window. A text field
    // takes drops itself and would take a file list as the files' paths; file lists dropped on it are the window's.
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (control->acceptDrops())
            control->installEventFilter(this);
    }
}

bool DropActions::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (!drag->mimeData()->hasUrls())
            break; // text for a text field
        // Every list of files is taken, so that what cannot be used is refused with a message, not a cursor.
        if (m_busy) {
            drag->ignore();
        } else {
            drag->setDropAction(Qt::CopyAction); // the file manager must keep its files
            drag->accept();
        }
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (!drop->mimeData()->hasUrls())
            break;
        if (m_busy) {
            drop->ignore();
        } else {
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            // The file manager waits for the drop to end; questions and copies come after it.
            m_busy = true;
            QTimer::singleShot(0, this, guarded([this, urls = drop->mimeData()->urls()] { dropped(urls); }));
        }
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void DropActions::dropped(const QList<QUrl> &urls)
{
    struct Done
    {
        bool &busy;
        ~Done() { busy = false; }
    } done{m_busy};
    m_busy = true;
    const RomDrop::Sorted sorted = RomDrop::sort(urls);
    if (!sorted.games.isEmpty())
        copyGames(sorted);
    else if (!sorted.folder.isEmpty())
        offerFolder(sorted.folder);
    else
        showMessage(messageTable().text(FirstStartText::DropRefused));
}

void DropActions::offerFolder(const QString &folder)
{
    if (!messages().confirm(messageTable().text(FirstStartText::UseFolder).arg(QDir::toNativeSeparators(folder))))
        return;
    SettingsFile().write(Keys::Roms, folder);
    m_list.refresh();
}

void DropActions::copyGames(const RomDrop::Sorted &sorted)
{
    // The stored ROM folder; without one, the folder the list shows when it shows games, else the base folder's
    // own "Roms", which then becomes the ROM folder.
    QString folder = SettingsFile().read(Keys::Roms);
    bool store = false;
    if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        showMessage(
            messageTable().text(Msg::FolderMissingStart, QDir::toNativeSeparators(folder), Msg::FolderMissingEnd));
        return;
    }
    if (folder.isEmpty() && m_session.romList().count() > 0) {
        folder = m_session.romList().folder();
    } else if (folder.isEmpty()) {
        folder = BaseFolder::file(QStringLiteral("Roms"));
        QDir().mkpath(folder);
        store = true;
    }
    RomDrop::Copied copied;
    {
        ProgressWindow progress(m_session.window(), messageTable().text(FirstStartText::CopyingCaption));
        copied = RomDrop::copyInto(sorted.games, folder, progress.progress());
    }
    if (store && !copied.copied.isEmpty())
        SettingsFile().write(Keys::Roms, folder);
    m_list.loadRomFolder();
    if (!copied.copied.isEmpty())
        m_list.selectFile(copied.copied.constFirst());
    if (const QString message = RomDrop::closingMessage(copied, sorted.refused); !message.isEmpty())
        showMessage(message);
}
