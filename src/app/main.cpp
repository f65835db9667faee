#include "app/CartlingApplication.h"
#include "app/Startup.h"
#include "app/ZipLibraryCheck.h"
#include "archive/Libzip.h"
#include "language/MessageTable.h"
#include "language/SafetyTexts.h"
#include "mainwindow/MainWindow.h"
#include "platform/FontWarmUp.h"
#include "platform/MessageBoxSink.h"
#include "platform/Messages.h"
#include "platform/Places.h"
#include "platform/SessionBusWarmUp.h"
#include "platform/SingleInstance.h"
#include "settings/BaseFolder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <optional>

namespace {

constexpr int UsageError = 2;

void printTo(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int refuse(const QString &reason)
{
    printTo(stderr, QStringLiteral("cartling: %1\nTry 'cartling --help'.\n").arg(reason));
    return UsageError;
}

// Qt's own options, which QApplication takes off the command line later; named here so they are not refused.
void acceptQtOptions(QCommandLineParser &parser)
{
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "geometry",
                             "qwindowgeometry", "qwindowicon", "qwindowtitle", "style", "stylesheet", "session"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// The language and read-me files installed with the program, found from where the program itself lies.
QString shippedDataFolder()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(CARTLING_SHIPPED_DATA));
}

// Reads the command line before any window exists, so --help, --version and a refused folder need no display.
// Makes the chosen base folder the current folder, which the main window takes as its base folder. Returns
// the exit status when the program ends here.
std::optional<int> readCommandLine(int &argc, char **argv)
{
    // Read straight from argv as Qt would decode it: an application object made only for this would cost
    // start-up a millisecond.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Cartling lists a folder of Game Boy ROMs and starts an emulator on the one you choose.\n"
        "Its settings, title lists, language files and screenshots live in its base folder: the folder it is "
        "started in, unless an option names another."));
    // Qt's options are single-dash words (-style fusion).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Print this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Print the versions of Cartling, libzip and Qt."));
    const QCommandLineOption baseFolder(
        QStringLiteral("base-folder"),
        QStringLiteral("Use <folder> as the base folder; it is created when only its last part is missing."),
        QStringLiteral("folder"));
    const QCommandLineOption userData(QStringLiteral("user-data"),
                                      QStringLiteral("Use your own data folder (%1) as the base folder, as the "
                                                     "menu entry does: it is created when missing and gets the "
                                                     "shipped language and read-me files it lacks.")
                                          .arg(QDir::toNativeSeparators(BaseFolder::userDataFolder())));
    parser.addOptions({help, version, baseFolder, userData});
    acceptQtOptions(parser);

    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    if (parser.isSet(help)) {
        const QCoreApplication probe(argc, argv); // the usage line names the program as Qt knows it
        printTo(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        const LibzipFunctions *zip = loadedLibzip();
        printTo(stdout, QStringLiteral("Cartling 1.7\nlibzip %1\nQt %2\n")
                            .arg(zip ? QString::fromLatin1(zip->libzip_version()) : QStringLiteral("not found"),
                                 QString::fromLatin1(qVersion())));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(baseFolder) && parser.isSet(userData))
        return refuse(QStringLiteral("--base-folder and --user-data each choose the base folder; give one."));

    QString folder;
    std::optional<QString> problem;
    if (parser.isSet(userData)) {
        folder = BaseFolder::userDataFolder();
        problem = BaseFolder::prepare(folder, BaseFolder::Parents::Create);
        if (!problem) {
            // The shipped files are found from the program's own folder, which Qt knows once it runs.
            const QCoreApplication probe(argc, argv);
            BaseFolder::copyMissingFiles(shippedDataFolder(), folder);
        }
    } else if (parser.isSet(baseFolder)) {
        folder = parser.value(baseFolder);
        problem = BaseFolder::prepare(folder);
    }
    if (problem) {
        printTo(stderr, QStringLiteral("cartling: %1\n").arg(*problem));
        return UsageError;
    }
    if (!folder.isEmpty() && !QDir::setCurrent(folder)) {
        printTo(stderr, QStringLiteral("cartling: Cannot enter %1.\n").arg(QDir::toNativeSeparators(folder)));
        return UsageError;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("Cartling"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.7"));
    if (const auto exitCode = readCommandLine(argc, argv))
        return *exitCode;

    FontWarmUp fonts;
    // Desktops match the running windows to the menu entry and its icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(CARTLING_APP_ID));
    CartlingApplication app(argc, argv);
    fonts.finish();
    const SessionBusWarmUp bus; // ends before the application object
    MessageBoxSink boxes;
    setMessageSink(&boxes);

    // Two Cartlings on one base folder would write their copies of the data files over each other's: a second
    // start hands over to the first and ends.
    SingleInstance instance(QDir::currentPath());
    switch (instance.claim()) {
    case SingleInstance::Claim::First:
        break;
    case SingleInstance::Claim::Handed:
        return 0;
    case SingleInstance::Claim::Silent:
        showMessage(
            messageTable().text(SafetyText::OtherInstanceSilent).arg(QDir::toNativeSeparators(QDir::currentPath())));
        return 1;
    }

    const auto windows = createWindows();
    if (!windows->mainWindow->started())
        return 1;
    MainWindow *main = windows->mainWindow.get();
    QObject::connect(&instance, &SingleInstance::raiseRequested, main, [main] {
        if (main->isMinimized())
            main->showNormal();
        main->raise();
        main->activateWindow();
    });
    QObject::connect(windows->mainWindow.get(), &MainWindow::closed, &app, &QApplication::quit);
    app.setQuitOnLastWindowClosed(false);
    windows->mainWindow->show();
    windows->mainWindow->activateWindow();
    new ZipLibraryCheck(*main); // the ZIP library must be usable, or the program ends
    const int status = app.exec();
    Places::removeEmptyExtractionFolder(); // while the lock still keeps a second start on this folder out
    return status;
}
