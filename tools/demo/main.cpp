// cartling-demo <demo folder> <bin folder> <data folder>: prepares the demo base folder, adding only what
// is missing. Prints what it added.

#include "DemoFolder.h"
#include "platform/ErrorHandler.h"
#include "platform/Places.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: cartling-demo <demo folder> <bin folder> <data folder>\n");
        return 2;
    }
    DemoFolder demo(arguments[1], arguments[2], arguments[3]);
    try {
        demo.prepare();
    } catch (const CartlingError &error) {
        std::fprintf(stderr, "cartling-demo: %s\n", error.what());
        return 1;
    }
    for (const QString &item : demo.added())
        std::printf("Added %s\n", qPrintable(QDir::toNativeSeparators(item)));
    if (demo.added().isEmpty())
        std::printf("The demo folder %s is complete.\n", qPrintable(QDir::toNativeSeparators(arguments[1])));
    const QString emulator = QDir(arguments[2]).filePath(Places::defaultEmulatorName());
    if (!QFileInfo::exists(emulator))
        std::fprintf(stderr, "cartling-demo: the stand-in emulator %s is not built yet.\n", qPrintable(emulator));
    return 0;
}
