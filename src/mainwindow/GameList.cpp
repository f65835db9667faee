#include "mainwindow/GameList.h"

#include "app/Session.h"
#include "emulator/Launcher.h"
#include "language/MessageTable.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/RomListView.h"
#include "platform/AccessibleNames.h"
#include "platform/ErrorHandler.h"
#include "platform/FormWindow.h"
#include "settings/BaseFolder.h"
#include "settings/SettingsFile.h"

#include <QLabel>
#include <QMenu>

GameList::GameList(QWidget *parent, Session &session, MainMenus &menus, Steps steps)
    : QObject(parent), m_session(session), m_menus(menus), m_steps(std::move(steps)), m_model(session.romList())
{
    m_session.setSelectionSource([this] { return selectedEntry(); });
    m_shown = new GameFilterModel(m_model, this);
    m_view = named(new RomListView(parent), "Filelistbox1");
    m_view->setModel(m_shown);
    m_shownView = m_view;
    if (const View *view = m_menus.markedView())
        markView(*view);

    takeInputFrom(m_view);
    connect(m_shown, &QAbstractItemModel::modelReset, this, [this] {
        // After a re-read the first entry has the focus mark and nothing is selected.
        if (m_shown->rowCount() > 0)
            m_view->selectionModel()->setCurrentIndex(m_shown->index(0), QItemSelectionModel::NoUpdate);
        showCount();
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { showCount(); });
}

void GameList::takeInputFrom(RomListView *view)
{
    connect(view, &RomListView::clickedAnywhere, this, guarded([this] { selectionHandling(); }));
    connect(view, &RomListView::keyReleased, this, guarded([this] { selectionHandling(); }));
    connect(view, &RomListView::enterPressed, this, guarded([this] {
                if (!selectedEntry())
                    return;
                m_steps.loadPicture();
                m_steps.launchSelected();
            }));
    connect(view, &RomListView::doubleClickedAnywhere, this, guarded([this] { m_steps.launchSelected(); }));
    connect(view, &RomListView::popupRequested, this, guarded([this](QPoint pos) {
                popupOpening();
                m_menus.popup()->popup(pos);
            }));
}

std::optional<RomListModel::Entry> GameList::selectedEntry() const
{
    // A re-read that is due comes first: it leaves nothing selected, and an index taken before it would name
    // whatever entry now stands in that row.
    m_model.count();
    const QModelIndexList selected = m_view->selectionModel()->selectedIndexes();
    if (selected.isEmpty() || selected.first().row() >= m_shown->rowCount())
        return std::nullopt;
    return m_shown->entry(selected.first().row());
}

template <typename F> void GameList::keepingSelection(F change)
{
    m_model.count();
    const QModelIndexList selected = m_view->selectionModel()->selectedIndexes();
    const int selectedSource = selected.isEmpty() ? -1 : m_shown->sourceRow(selected.first().row());
    change();
    if (const int row = selectedSource < 0 ? -1 : m_shown->rowOf(selectedSource); row >= 0) {
        m_view->selectionModel()->setCurrentIndex(m_shown->index(row), QItemSelectionModel::ClearAndSelect);
        m_view->scrollTo(m_shown->index(row));
    } else if (selectedSource >= 0) {
        // The selected game is no longer shown: the menus follow, as for a list left without a selection.
        updateMenusForSelection();
    }
    showCount();
}

void GameList::setFilterText(const QString &typed)
{
    keepingSelection([&] { m_shown->setFilterText(typed); });
}

void GameList::setShowTitles(bool on)
{
    keepingSelection([&] { m_shown->setShowTitles(on); });
}

void GameList::titlesChanged()
{
    keepingSelection([&] { m_shown->titlesChanged(); });
}

void GameList::recordsChanged()
{
    keepingSelection([&] { m_shown->recordsChanged(); });
}

void GameList::selectRow(int row)
{
    if (row < 0 || row >= m_shown->rowCount())
        return;
    m_view->selectionModel()->setCurrentIndex(m_shown->index(row), QItemSelectionModel::ClearAndSelect);
    m_view->scrollTo(m_shown->index(row));
    selectionHandling();
}

bool GameList::selectFile(const QString &fileName)
{
    const qsizetype source = m_model.captions().indexOf(fileName);
    const int row = source < 0 ? -1 : m_shown->rowOf(int(source));
    if (row < 0)
        return false;
    selectRow(row);
    return true;
}

void GameList::launchSelectedOrFirst()
{
    if (!selectedEntry())
        selectRow(0);
    if (!selectedEntry())
        return;
    m_steps.loadPicture();
    m_steps.launchSelected();
}

void GameList::selectionHandling()
{
    m_steps.loadPicture();
    updateMenusForSelection();
    m_steps.loadDetails();
    updatePreview();
}

void GameList::popupOpening()
{
    updateMenusForSelection();
    m_steps.loadDetails();
    m_steps.loadPicture();
    updatePreview();
}

void GameList::updateMenusForSelection()
{
    std::optional<QString> path;
    if (const auto entry = selectedEntry())
        path = entry->fullPath;
    m_menus.updateForSelection(path);
}

void GameList::updatePreview()
{
    const auto entry = selectedEntry();
    if (!entry)
        return;
    const QString preview = Launcher::commandLine(SettingsFile().read(Keys::Zibo), entry->fullPath);
    m_session.setCommandLinePreview(preview);
    if (m_labels.previewLength)
        m_labels.previewLength->setText(QString::number(preview.size()));
    m_session.setPackingList({entry->fullPath});
}

void GameList::loadRomFolder()
{
    // A missing folder keeps the list's current folder, which is read again all the same.
    if (!m_model.setFolder(SettingsFile().read(Keys::Roms, BaseFolder::path())))
        m_model.reread();
}

void GameList::refresh()
{
    loadRomFolder();
    showCount();
    m_steps.showDefaultPicture();
}

void GameList::chooseView(const View &view)
{
    SettingsFile().write(Keys::Troms, view.troms);
    markView(view);
    m_model.setMask(QString::fromLatin1(view.mask));
    m_shown->setRows(view.rows);
    m_session.showTitle(QString());
    showCount();
}

void GameList::restoreView()
{
    if (const View *view = viewForTroms(SettingsFile().read(Keys::Troms))) {
        markView(*view);
        m_model.setMask(QString::fromLatin1(view->mask));
        m_shown->setRows(view->rows);
    }
}

void GameList::markView(const View &view)
{
    m_menus.markView(view);
    // A screen reader announces the list by the view it shows.
    AccessibleNames::nameAfter(m_view, m_menus.item(view.action));
}

void GameList::showCount()
{
    if (m_labels.count) {
        m_model.count(); // a re-read that is due first
        m_labels.count->setText(messageTable().text(Msg::GameCount) + QString::number(m_shown->rowCount()));
    }
}
