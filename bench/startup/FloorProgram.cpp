// The floor for Cartling's start-up: a bare Qt program that lists the same folder into a list view with
// uniform item sizes and shows it. Usage: bench_startup_floor <folder>
#include <QApplication>
#include <QDir>
#include <QListView>
#include <QStringListModel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QStringListModel model(QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&model);
    view.resize(225, 402);
    view.show();
    return app.exec();
}
