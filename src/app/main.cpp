#include "app/CartlingApplication.h"
#include "app/Startup.h"
#include "mainwindow/MainWindow.h"
#include "platform/MessageBoxSink.h"

int main(int argc, char **argv)
{
    CartlingApplication app(argc, argv);
    MessageBoxSink boxes;
    setMessageSink(&boxes);

    const auto windows = createWindows();
    if (!windows->mainWindow->started())
        return 1;
    QObject::connect(windows->mainWindow.get(), &MainWindow::closed, &app, &QApplication::quit);
    app.setQuitOnLastWindowClosed(false);
    windows->mainWindow->show();
    windows->mainWindow->activateWindow();
    return app.exec();
}
