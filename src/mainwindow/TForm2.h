#pragma once

#include "platform/FormWindow.h"

class QFileSystemModel;
class QTreeView;
class RomListModel;

// The ROM folder dialog: a folder tree whose clicks preview a folder in the list; "Aceptar" stores it,
// "Cancelar" (and Escape) puts the stored folder back, the close box keeps the preview.
class TForm2 : public FormWindow
{
    Q_OBJECT
public:
    TForm2(RomListModel &romList, QWidget *parent = nullptr);

    // The folder the tree shows.
    QString treeFolder() const;
    void setTreeFolder(const QString &folder);

    void folderClicked();
    void Button1Click(); // Aceptar
    void Button2Click(); // Cancelar

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    RomListModel &m_romList;
    QFileSystemModel *m_folders;
    QTreeView *m_tree;
};
