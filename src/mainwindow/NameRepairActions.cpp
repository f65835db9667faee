#include "mainwindow/NameRepairActions.h"

#include "app/Session.h"
#include "language/MessageTable.h"
#include "language/SafetyTexts.h"
#include "mainwindow/GameList.h"
#include "mainwindow/MainMenus.h"
#include "platform/ErrorHandler.h"
#include "platform/Messages.h"
#include "platform/NameEncoding.h"

#include <QAction>
#include <QMenu>

NameRepairActions::NameRepairActions(Session &session, GameList &list, MainMenus &menus)
    : QObject(&menus), m_session(session), m_list(list)
{
    QMenu *popup = menus.popup();
    // After the file operations, before the divider that follows them.
    const QList<QAction *> items = popup->actions();
    const qsizetype after = items.indexOf(menus.item("rat2"));
    QAction *before = after >= 0 && after + 1 < items.size() ? items[after + 1] : nullptr;
    QAction *repair = menus.addFeatureItem(popup, "Repararnombre1", SafetyText::RepairName, {}, before);
    menus.followSelection(
        repair, [](const std::optional<QString> &path) { return path && NameEncoding::isUndecodable(*path); });
    connect(repair, &QAction::triggered, this, guarded([this] { repairSelected(); }));
}

void NameRepairActions::repairSelected()
{
    const auto entry = m_session.selectedEntry();
    if (!entry || entry->rawName.isEmpty())
        return;
    RomListModel &list = m_session.romList();
    if (!NameEncoding::repair(list.folder(), entry->rawName)) {
        showMessage(messageTable().text(SafetyText::RepairFailed).arg(NameEncoding::windowsReading(entry->rawName)));
    }
    list.reread();
    m_list.updateMenusForSelection();
}
