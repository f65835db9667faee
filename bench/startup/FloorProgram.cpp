// The floor for Cartling's start-up: a bare Qt list window that lists the same folder into a list view with
// uniform item sizes and says in its status bar how many entries it holds, as any list window does; so it
// sets up its font before it maps, on an empty folder too. Usage: bench_startup_floor <folder>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QStatusBar>
#include <QStringListModel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QStringListModel model(QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
    QMainWindow window;
    auto *view = new QListView;
    view->setUniformItemSizes(true);
    view->setModel(&model);
    window.setCentralWidget(view);
    window.statusBar()->addWidget(new QLabel(QStringLiteral("%1 files").arg(model.rowCount())));
    window.resize(225, 402);
    window.show();
    return app.exec();
}
