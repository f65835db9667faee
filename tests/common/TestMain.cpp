#include "platform/ErrorHandler.h"

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    // Qt makes a runtime folder at start; it goes into a temporary folder, not a shared one.
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    // Thumbnails made by a test go into a temporary folder, never into the user's cache.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    // A first start picks the language file of the desktop's language; the tests run on a desktop whose
    // language has none, whoever runs them.
    qunsetenv("LANGUAGE");
    qputenv("LC_ALL", "C.UTF-8");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cartling"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
