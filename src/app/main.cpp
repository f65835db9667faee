#include "app/CartlingApplication.h"
#include "app/Startup.h"
#include "mainwindow/TForm1.h"
#include "platform/MessageBoxSink.h"

int main(int argc, char **argv)
{
    CartlingApplication app(argc, argv);
    MessageBoxSink boxes;
    setMessageSink(&boxes);

    const auto windows = createWindows();
    if (!windows->form1->started())
        return 1;
    QObject::connect(windows->form1.get(), &TForm1::closed, &app, &QApplication::quit);
    app.setQuitOnLastWindowClosed(false);
    windows->form1->show();
    windows->form1->activateWindow();
    return app.exec();
}
