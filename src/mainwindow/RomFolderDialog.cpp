#include "mainwindow/RomFolderDialog.h"

#include "mainwindow/RomListModel.h"
#include "platform/AccessibleNames.h"
#include "platform/ErrorHandler.h"
#include "platform/Places.h"
#include "settings/BaseFolder.h"
#include "settings/SettingsFile.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeView>

RomFolderDialog::RomFolderDialog(RomListModel &romList, QWidget *parent)
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
    AccessibleNames::nameAfter(m_tree, this);

    auto *accept = new QPushButton(QStringLiteral("Aceptar"), this);
    accept->setObjectName(QStringLiteral("Button1"));
    accept->setGeometry(176, 202, 84, 28);
    accept->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setGeometry(268, 202, 84, 28);

    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (const QString folder = treeFolder(); onDrive(folder))
            m_lastOnDrive = folder;
    });
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, [this] { showPendingFolder(); });
    connect(m_folders, &QFileSystemModel::layoutChanged, this, [this] { showPendingFolder(); });
    // A folder the user picks replaces any folder still being brought into view.
    connect(m_tree, &QTreeView::pressed, this, [this] { m_pendingFolder.clear(); });
    m_tree->installEventFilter(this);
    connect(m_tree, &QTreeView::clicked, this, guarded([this] { folderClicked(); }));
    connect(m_tree, &QTreeView::doubleClicked, this, guarded([this] { folderClicked(); }));
    connect(accept, &QPushButton::clicked, this, guarded([this] { acceptFolder(); }));
    connect(cancel, &QPushButton::clicked, this, guarded([this] { restoreStoredFolder(); }));
}

QString RomFolderDialog::treeFolder() const
{
    return m_pendingFolder.isEmpty() ? m_folders->filePath(m_tree->currentIndex()) : m_pendingFolder;
}

void RomFolderDialog::setTreeFolder(const QString &folder)
{
    // The folder model reads folders in the background and sorts their entries later, which leaves a current
    // index set before on the wrong row; the folder is set again each time a folder is read or sorted.
    m_pendingFolder = folder;
    showPendingFolder();
}

void RomFolderDialog::showPendingFolder()
{
    if (m_pendingFolder.isEmpty())
        return;
    const QModelIndex index = m_folders->index(m_pendingFolder);
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
}

void RomFolderDialog::showEvent(QShowEvent *event)
{
    // The tree goes back to the drive: to the folder it last showed there, or to its root, unless it already
    // shows a folder on the drive.
    if (!onDrive(treeFolder())) {
        const QString root = Places::driveRoot();
        const bool lastStillThere = !m_lastOnDrive.isEmpty() && QFileInfo(m_lastOnDrive).isDir();
        setTreeFolder(lastStillThere ? m_lastOnDrive : root.size() > 1 && root.endsWith(u'/') ? root.chopped(1) : root);
    }
    FormWindow::showEvent(event);
}

bool RomFolderDialog::onDrive(const QString &folder)
{
    return !folder.isEmpty() && (folder + u'/').startsWith(Places::driveRoot());
}

bool RomFolderDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress)
        m_pendingFolder.clear();
    return FormWindow::eventFilter(watched, event);
}

void RomFolderDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        guarded([this] { restoreStoredFolder(); })();
        return;
    }
    FormWindow::keyPressEvent(event);
}

void RomFolderDialog::folderClicked()
{
    m_romList.setFolder(treeFolder());
}

void RomFolderDialog::acceptFolder()
{
    const QString folder = treeFolder();
    SettingsFile().write(Keys::Roms, folder);
    m_romList.setFolder(folder);
    accept();
}

void RomFolderDialog::restoreStoredFolder()
{
    m_romList.setFolder(SettingsFile().read(Keys::Roms, BaseFolder::path()));
    reject();
}
