#include "collection/BackgroundRun.h"

#include "platform/ProgressWindow.h"
#include "platform/WorkerFailure.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

bool runInBackground(QWidget *parent, const QString &caption, const std::function<void(const Progress &)> &work)
{
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::atomic<bool> cancelled{false};
    const Progress workerProgress = [&](int d, int t) {
        done = d;
        total = t;
        return !cancelled.load();
    };
    WorkerFailure failure;
    const std::unique_ptr<QThread> thread(QThread::create([&] { failure.run([&] { work(workerProgress); }); }));

    ProgressWindow window(parent, caption);
    const Progress shown = window.progress();
    QEventLoop loop;
    bool finished = false;
    QObject::connect(thread.get(), &QThread::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QTimer timer;
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        if (!finished && !shown(done, total))
            cancelled = true;
    });
    thread->start();
    timer.start();
    // The thread's end arrives as an event of this loop, so it cannot have been missed before the loop runs.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    failure.raise();
    return !cancelled;
}
