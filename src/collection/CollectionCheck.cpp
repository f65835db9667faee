#include "collection/CollectionCheck.h"

#include "app/Session.h"
#include "collection/CollectionCommands.h"
#include "collection/CollectionText.h"
#include "mainwindow/MainMenus.h"
#include "platform/ErrorHandler.h"

#include <QAction>
#include <QMenu>

CollectionCheck::CollectionCheck(Session &session, MainMenus &menus) : QObject(&session), m_session(session)
{
    const auto listedFiles = [&session] {
        const RomListModel &rows = session.romList();
        QStringList files;
        files.reserve(rows.count());
        for (int row = 0; row < rows.count(); ++row)
            files.append(rows.entry(row).fullPath);
        return files;
    };
    m_commands = new CollectionCommands(session.window(), listedFiles, [&session] { session.romList().reread(); });

    QMenu *file = menus.menu("AHMMenuItem1");
    QAction *quit = menus.item("Salir1");
    const auto add = [&](const char *name, int text, const QKeySequence &shortcut, auto run) {
        QAction *item = menus.addFeatureItem(file, name, text, shortcut, quit);
        connect(item, &QAction::triggered, this, guarded(run));
        return item;
    };
    // After the divider that ends the per-game items, with one of their own before "Salir".
    add("CargarDAT1", CollectionText::LoadDat, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D),
        [this] { m_commands->loadDat(); });
    m_forget = add("QuitarDAT1", CollectionText::ForgetDats, {}, [this] { m_commands->forgetDats(); });
    add("VerificarColeccion1", CollectionText::VerifyCollection, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V),
        [this] { m_commands->verify(); });
    add("InformeColeccion1", CollectionText::ReportMenu, {}, [this] { m_commands->showCollectionReport(); });
    add("RenombrarSegunDAT1", CollectionText::RenameToDat, {}, [this] { m_commands->renameToDat(); });
    m_undo = add("DeshacerRenombrar1", CollectionText::UndoRename, {}, [this] { m_commands->undoLastRename(); });
    file->insertSeparator(quit);
    updateItems();
    connect(m_commands, &CollectionCommands::availabilityChanged, this, [this] { updateItems(); });

    // Rows say nothing until a DAT is loaded, so a collection that is never checked looks as it always did.
    session.romList().addRowNotes([this](const RomListModel::Entry &entry) -> RomListModel::RowNote {
        if (!m_commands->hasDats())
            return {};
        const DumpCheck check = m_commands->checkOf(entry.fullPath);
        return {check.mark(), check.tooltip()};
    });
    session.addDetailLines(
        [this](const RomListModel::Entry &entry) { return m_commands->detailLines(entry.fullPath); });
    connect(m_commands, &CollectionCommands::checksChanged, this, [this] {
        m_session.romList().notesChanged();
        m_session.detailsUpdated();
    });
}

void CollectionCheck::updateItems()
{
    m_forget->setEnabled(m_commands->hasDats());
    m_undo->setEnabled(m_commands->canUndo());
}
