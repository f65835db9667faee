#include "MainWindowFixture.h"

#include <QAction>
#include <QListView>
#include <QTest>

void MainWindowTest::TearDown()
{
    m_windows.reset();
    BaseFolderTest::TearDown();
}

void MainWindowTest::start()
{
    m_windows = createWindows();
    ASSERT_TRUE(m_windows->mainWindow->started());
    m_windows->mainWindow->show();
    QCoreApplication::processEvents();
}

void MainWindowTest::stop()
{
    m_windows->mainWindow->close();
    m_windows.reset();
}

QAction *MainWindowTest::item(const char *name) const
{
    QAction *action = main().action(name);
    EXPECT_NE(action, nullptr) << name;
    return action;
}

QStringList MainWindowTest::captions() const
{
    QStringList list;
    for (int row = 0; row < main().session().romList().count(); ++row)
        list.append(main().session().romList().entry(row).caption);
    return list;
}

void MainWindowTest::clickEntry(const QString &caption) const
{
    QListView *view = main().listView();
    main().session().romList().count(); // a re-read that is due first
    const QAbstractItemModel *rows = view->model();
    for (int row = 0; row < rows->rowCount(); ++row) {
        const QModelIndex index = rows->index(row, 0);
        if (index.data(RomListModel::FullPathRole).toString().endsWith(u'/' + caption)) {
            view->scrollTo(index);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
            return;
        }
    }
    ADD_FAILURE() << "no entry " << qPrintable(caption);
}

void MainWindowTest::clickEmptySpace() const
{
    QListView *view = main().listView();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(5, view->viewport()->height() - 3));
}
