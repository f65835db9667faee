#pragma once

#include "mainwindow/Views.h"

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

// The main window's menu bar and the ROM list's pop-up menu: every item with its component name, caption,
// shortcut and start state, the marker of the chosen view, and the items that follow the selection.
// The window connects the items to what they do.
class MainMenus : public QObject
{
    Q_OBJECT
public:
    explicit MainMenus(QMainWindow &window);

    // The item of the menu bar or the pop-up menu with this component name, or nullptr.
    QAction *item(const char *name) const;
    QMenu *popup() const { return m_popup; }
    // A drop-down menu of the menu bar by its component name: "AHMMenuItem1" (Archivo), "AHMMenuItem3" (Ver),
    // "AHMMenuItem4" (Configuración), "AHMMenuItem6" (Ayuda); nullptr for any other.
    QMenu *menu(const char *name) const;

    // ---- Items that features add ----
    // A new item named `name`, captioned with the language table's entry `textIndex` (which a language file
    // replaces through the table's targets), put before `before` or at the end of the menu.
    QAction *addFeatureItem(QMenu *menu, const char *name, int textIndex, const QKeySequence &shortcut = {},
                            QAction *before = nullptr);
    // An item enabled only while `rule` holds for the selected entry's full path (no path: nothing selected),
    // switched at the moments the design's items are.
    using SelectionRule = std::function<bool(const std::optional<QString> &selectedPath)>;
    void followSelection(QAction *item, SelectionRule rule);

    // Gives the view's item the marker picture and takes it from the other five.
    void markView(const View &view);
    const View *markedView() const { return m_markedView; }
    // The "Screen Shoots" switch: checked and marked, or neither.
    void setScreenshotSwitch(bool on);

    // Enables the items that follow the selection for the selected entry's full path; all off without one.
    void updateForSelection(const std::optional<QString> &selectedPath);

private:
    void createMenuBar();
    void createPopup();
    QAction *addItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut);
    QAction *addItem(QMenu *menu, const char *name, const QString &caption);

    struct FollowingItem
    {
        QAction *item;
        SelectionRule rule;
    };

    QMainWindow &m_window;
    QMenu *m_popup = nullptr;
    const View *m_markedView = nullptr;
    std::vector<FollowingItem> m_following;
};
