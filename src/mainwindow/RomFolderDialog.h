#pragma once

#include "platform/FormWindow.h"

class QFileSystemModel;
class QTreeView;
class RomListModel;

// The ROM folder dialog: a folder tree whose clicks preview a folder in the list; "Aceptar" stores it,
// "Cancelar" (and Escape) puts the stored folder back, the close box keeps the preview.
class RomFolderDialog : public FormWindow
{
    Q_OBJECT
public:
    RomFolderDialog(RomListModel &romList, QWidget *parent = nullptr);

    // The folder the tree shows.
    QString treeFolder() const;
    void setTreeFolder(const QString &folder);

    void folderClicked();
    // "Aceptar": stores the tree's folder, shows it in the list and closes.
    void acceptFolder();
    // "Cancelar": shows the stored ROM folder again and closes.
    void restoreStoredFolder();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A folder on the drive the tree returns to (the drive root's own folder tree).
    static bool onDrive(const QString &folder);
    void showPendingFolder();

    RomListModel &m_romList;
    QString m_lastOnDrive;
    QString m_pendingFolder; // set from code, kept in view until the user picks one
    QFileSystemModel *m_folders;
    QTreeView *m_tree;
};
