// The stand-in emulator: takes a ROM path as its one argument and Zibo.cfg from its own folder, as the
// real emulator does, and shows what it got. Two quiet modes serve tests: ZIBO_STANDIN_RECORD=<file>
// appends a record of the start to the file, ZIBO_STANDIN_SHOT=1 writes the screenshot; both end at once.

#include "ScreenImage.h"
#include "StandInSession.h"
#include "ZiboWindow.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>

#include <shellapi.h> // after windows.h, which it needs
#endif

namespace {

// The arguments as the process got them. Qt is never shown them, so a ROM named like one of Qt's own
// options ("-style", "-reverse") is not taken away.
QStringList romArguments(int argc, char **argv)
{
    QStringList arguments;
#ifdef Q_OS_WIN
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    int count = 0;
    if (LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            arguments.append(QString::fromWCharArray(wide[i]));
        LocalFree(wide);
    }
#else
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
#endif
    return arguments;
}

StandInSession gatherSession(const QStringList &arguments)
{
    return StandInSession::gather(arguments, QCoreApplication::applicationDirPath(), QDir::currentPath());
}

void complain(const QString &text)
{
    std::fprintf(stderr, "zibo: %s\n", qPrintable(text));
}

int quietRun(const QStringList &arguments, const QString &recordFile, bool shot)
{
    const StandInSession session = gatherSession(arguments);
    QString error;
    if (!recordFile.isEmpty() && !appendRecord(session, recordFile, &error)) {
        complain(QStringLiteral("cannot write the record to %1: %2").arg(recordFile, error));
        return 2;
    }
    if (shot && !ScreenImage::save(ScreenImage::render(session.game), session.screenshotPath(), &error)) {
        complain(QStringLiteral("cannot write the screenshot %1: %2").arg(session.screenshotPath(), error));
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QStringList arguments = romArguments(argc, argv);
    int qtArgc = 1;
    char *qtArgv[] = {argv[0], nullptr};

    const QString recordFile = qEnvironmentVariable("ZIBO_STANDIN_RECORD");
    const QString shotValue = qEnvironmentVariable("ZIBO_STANDIN_SHOT");
    const bool shot = !shotValue.isEmpty() && shotValue != QLatin1String("0");
    if (shot) {
        // The screen's text needs a GUI application, the quiet mode must not need a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(qtArgc, qtArgv);
        return quietRun(arguments, recordFile, true);
    }
    if (!recordFile.isEmpty()) {
        QCoreApplication app(qtArgc, qtArgv);
        return quietRun(arguments, recordFile, false);
    }

    QApplication app(qtArgc, qtArgv);
    QApplication::setApplicationName(QStringLiteral("Zibo"));
    ZiboWindow window(gatherSession(arguments));
    window.show();
    return app.exec();
}
