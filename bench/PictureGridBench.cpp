// The picture view over generated games with a shot each (JPEG files of 160 x 144), in a temporary folder
// with its own thumbnail cache. Three figures, targets in brackets:
//   first screen: switching from the list to the grid for the first time (the grid is made then, as the
//     main window makes it) until every tile on screen shows its picture, with the thumbnails on disk,
//     10,000 games [at most 100 ms];
//   scrolling: the grid moved from top to bottom in steps of a wheel notch, each step painted at once; the
//     longest time the window's thread spends on one step, 10,000 games, thumbnails on disk and not
//     [no step over 50 ms];
//   memory: peak memory of a process showing the list, scrolled from top to bottom, against one showing the
//     grid, scrolled from top to bottom with a stop every few screens until the tiles there are shown,
//     100,000 games [at most 64 MiB more].
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise. Usage: bench_picturegrid [rounds]
#include "PeakMemory.h"
#include "mainwindow/RomListModel.h"
#include "mainwindow/RomListView.h"
#include "screenshots/JpegCodec.h"
#include "screenshots/PictureGrid.h"
#include "screenshots/TileLoader.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr QSize kWindow(820, 620);

// A Game Boy screen in four shades, shifted per variant so neighbouring tiles differ.
QByteArray shotVariant(int variant)
{
    static const QRgb shades[] = {qRgb(224, 248, 208), qRgb(136, 192, 112), qRgb(52, 104, 86), qRgb(8, 24, 32)};
    QImage picture(160, 144, QImage::Format_RGB888);
    for (int y = 0; y < 144; ++y) {
        for (int x = 0; x < 160; ++x)
            picture.setPixel(x, y, shades[((x + variant * 7) / 8 + (y + variant * 3) / 8 + variant) % 4]);
    }
    return JpegCodec::encode(picture, 75);
}

// "Roms" with one empty file per game and "Shoots" with its shot, under `base`.
void makeGames(const QString &base, int games)
{
    QDir(base).mkpath(QStringLiteral("Roms"));
    QDir(base).mkpath(QStringLiteral("Shoots"));
    std::vector<QByteArray> shots;
    for (int v = 0; v < 32; ++v)
        shots.push_back(shotVariant(v));
    for (int i = 0; i < games; ++i) {
        const QString stem = QStringLiteral("Juego %1").arg(i, 6, 10, QLatin1Char('0'));
        QFile rom(base + QStringLiteral("/Roms/") + stem + QStringLiteral(".gb"));
        rom.open(QIODevice::WriteOnly);
        QFile shot(base + QStringLiteral("/Shoots/") + stem + QStringLiteral(".jpg"));
        shot.open(QIODevice::WriteOnly);
        shot.write(shots[size_t(i) % shots.size()]);
    }
}

void waitUntil(const std::function<bool()> &done)
{
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
}

// The list and the grid over one model and one selection, as the main window shows them.
struct Views
{
    explicit Views(const QString &base) : base(base)
    {
        model.setFolder(base + QStringLiteral("/Roms"));
        model.count();
        list = new RomListView;
        list->setModel(&model);
        stack.addWidget(list);
        stack.resize(kWindow);
        stack.show();
        QCoreApplication::processEvents();
    }

    // The grid in the list's place, made the first time as the main window makes it.
    void showGrid()
    {
        if (!grid) {
            grid = new PictureGrid(&model, list->selectionModel(), base);
            stack.addWidget(grid);
        }
        stack.setCurrentWidget(grid);
    }

    // Every tile on screen shows what it will show.
    bool screenKnown() const
    {
        const QRect shown = grid->viewport()->rect();
        const QModelIndex top = grid->indexAt(QPoint(1, 1));
        for (int row = top.isValid() ? top.row() : 0; row < model.count(); ++row) {
            const QModelIndex index = model.index(row);
            const QRect rect = grid->visualRect(index);
            if (rect.top() > shown.bottom())
                break;
            if (rect.intersects(shown) && !grid->tiles().tile(model.entry(row).fullPath).known)
                return false;
        }
        return true;
    }

    QString base;
    RomListModel model;
    QStackedWidget stack;
    RomListView *list;
    PictureGrid *grid = nullptr;
};

double milliseconds(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// The step times of one run from top to bottom.
std::vector<double> scrollThrough(QAbstractItemView *view)
{
    QScrollBar *bar = view->verticalScrollBar();
    const int step = 3 * bar->singleStep(); // one wheel notch
    std::vector<double> frames;
    bar->setValue(0);
    QCoreApplication::processEvents();
    for (int value = 0; value <= bar->maximum(); value += step) {
        QElapsedTimer clock;
        clock.start();
        bar->setValue(value);
        view->viewport()->repaint();
        QCoreApplication::processEvents();
        frames.push_back(milliseconds(clock));
    }
    return frames;
}

void printFrames(const char *label, std::vector<double> frames)
{
    std::sort(frames.begin(), frames.end());
    std::printf("  %-34s %6zu steps, median %5.2f ms, 99th %5.2f ms, longest %6.2f ms\n", label, frames.size(),
                frames[frames.size() / 2], frames[frames.size() * 99 / 100], frames.back());
}

// One side of the memory figure, in a process of its own: prints the peak memory in KiB.
int memoryRun(const QString &base, bool grid)
{
    Views views(base);
    if (grid)
        views.showGrid();
    QAbstractItemView *view = grid ? static_cast<QAbstractItemView *>(views.grid) : views.list;
    QCoreApplication::processEvents();
    QScrollBar *bar = view->verticalScrollBar();
    const int page = bar->pageStep();
    for (int value = 0, n = 0; value <= bar->maximum(); value += page, ++n) {
        bar->setValue(value);
        view->viewport()->repaint();
        QCoreApplication::processEvents();
        if (grid && n % 20 == 0)
            waitUntil([&] { return views.screenKnown(); });
    }
    std::printf("%ld\n", peakMemoryKiB());
    return 0;
}

void firstScreen(const QString &base, int rounds)
{
    // The thumbnails are made once, as a first start would make them.
    {
        Views views(base);
        views.showGrid();
        TileLoader &tiles = views.grid->tiles();
        for (int row = 0; row < views.model.count(); ++row) {
            tiles.prefetch(views.model.entry(row).fullPath);
            if (row % 256 == 255 || row + 1 == views.model.count())
                waitUntil([&] { return !tiles.busy(); });
        }
    }
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        Views views(base);
        QElapsedTimer clock;
        clock.start();
        views.showGrid();
        views.grid->viewport()->repaint();
        waitUntil([&] { return views.screenKnown(); });
        views.grid->viewport()->repaint();
        times.push_back(milliseconds(clock));
    }
    std::sort(times.begin(), times.end());
    std::printf("  first screen from the thumbnails:  median %.1f ms, best %.1f ms, worst %.1f ms (%d rounds)\n",
                times[times.size() / 2], times.front(), times.back(), rounds);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 4 && arguments.at(1) == u"--memory")
        return memoryRun(arguments.at(2), arguments.at(3) == u"grid");

    QTemporaryDir temp;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(temp.path() + QStringLiteral("/cache")));
    const int rounds = arguments.size() > 1 ? arguments.at(1).toInt() : 7;

    const QString small = temp.path() + QStringLiteral("/games10k");
    makeGames(small, 10000);
    std::printf("10,000 games, window %dx%d, %d worker threads' worth of cores\n", kWindow.width(), kWindow.height(),
                QThread::idealThreadCount());
    firstScreen(small, rounds);
    {
        Views views(small);
        printFrames("scrolling the list, for comparison:", scrollThrough(views.list));
        views.showGrid();
        printFrames("scrolling, thumbnails on disk:", scrollThrough(views.grid));
    }
    QDir(temp.path() + QStringLiteral("/cache")).removeRecursively();
    {
        Views views(small);
        views.showGrid();
        printFrames("scrolling, no thumbnails yet:", scrollThrough(views.grid));
    }

    const QString large = temp.path() + QStringLiteral("/games100k");
    makeGames(large, 100000);
    const auto peak = [&](const char *view) {
        QProcess run;
        run.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--memory"), large, QString::fromLatin1(view)});
        run.waitForFinished(-1);
        return run.readAllStandardOutput().trimmed().toLong();
    };
    const long list = peak("list");
    const long grid = peak("grid");
    std::printf("100,000 games: peak memory list %.1f MiB, grid %.1f MiB, difference %.1f MiB\n", list / 1024.0,
                grid / 1024.0, (grid - list) / 1024.0);
    return 0;
}
