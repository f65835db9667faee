#pragma once

#include "mainwindow/Views.h"

#include <QObject>
#include <QString>
#include <optional>

class QAction;
class QKeySequence;
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

    QMainWindow &m_window;
    QMenu *m_popup = nullptr;
    const View *m_markedView = nullptr;
};
