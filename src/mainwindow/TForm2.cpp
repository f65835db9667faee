#include "mainwindow/TForm2.h"

#include "mainwindow/RomListModel.h"
#include "platform/ErrorHandler.h"
#include "platform/Places.h"
#include "settings/BaseFolder.h"
#include "settings/SettingsFile.h"

#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeView>

TForm2::TForm2(RomListModel &romList, QWidget *parent)
    : FormWindow("TForm2", QStringLiteral("Buscar Roms"), parent), m_romList(romList)
{
    setFixedSize(360, 238);
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives | QDir::Hidden);
    m_folders->setRootPath(QString());
    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("ShellTreeView1"));
    m_tree->setModel(m_folders);
    m_tree->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->setGeometry(8, 8, 344, 186);

    auto *accept = new QPushButton(QStringLiteral("Aceptar"), this);
    accept->setObjectName(QStringLiteral("Button1"));
    accept->setGeometry(176, 202, 84, 28);
    accept->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setGeometry(268, 202, 84, 28);

    connect(m_tree, &QTreeView::clicked, this, guarded([this] { folderClicked(); }));
    connect(m_tree, &QTreeView::doubleClicked, this, guarded([this] { folderClicked(); }));
    connect(accept, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(cancel, &QPushButton::clicked, this, guarded([this] { Button2Click(); }));
}

QString TForm2::treeFolder() const
{
    return m_folders->filePath(m_tree->currentIndex());
}

void TForm2::setTreeFolder(const QString &folder)
{
    const QModelIndex index = m_folders->index(folder);
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
}

void TForm2::showEvent(QShowEvent *event)
{
    // The tree goes back to the drive's root unless it already shows a folder there.
    const QString root = Places::driveRoot();
    const QString current = treeFolder();
    if (current.isEmpty() || !(current + u'/').startsWith(root))
        setTreeFolder(root.size() > 1 && root.endsWith(u'/') ? root.chopped(1) : root);
    FormWindow::showEvent(event);
}

void TForm2::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        guarded([this] { Button2Click(); })();
        return;
    }
    FormWindow::keyPressEvent(event);
}

void TForm2::folderClicked()
{
    m_romList.setFolder(treeFolder());
}

void TForm2::Button1Click()
{
    const QString folder = treeFolder();
    SettingsFile().write(Keys::Roms, folder);
    m_romList.setFolder(folder);
    accept();
}

void TForm2::Button2Click()
{
    m_romList.setFolder(SettingsFile().read(Keys::Roms, BaseFolder::path()));
    reject();
}
