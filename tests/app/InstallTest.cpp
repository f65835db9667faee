#include "ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString AppId = QStringLiteral(CARTLING_APP_ID);

// The command of the menu entry's Exec key, split into the program and its arguments. Cartling's entry
// uses no quoting and no field codes.
QStringList execLine(const QString &desktopFile)
{
    QFile file(desktopFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'['))
            inEntry = line == QStringLiteral("[Desktop Entry]");
        else if (inEntry && line.startsWith(QStringLiteral("Exec=")))
            return line.mid(5).split(u' ', Qt::SkipEmptyParts);
    }
    return {};
}

// Installs the build into a prefix inside the test's own folder, as `cmake --install` does for a user.
class Installation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.isValid());
        m_prefix = m_temp.path() + QStringLiteral("/usr");
        const ProgramRun tool(m_temp.path(), false);
        const auto install = tool.run(QStringLiteral(CMAKE_PROGRAM),
                                      {"--install", CARTLING_BUILD_DIR, "--prefix", m_prefix}, m_temp.path());
        ASSERT_EQ(install.exitCode, 0) << install.output.constData() << install.errors.constData();
    }

    QString installed(const QString &name) const { return m_prefix + u'/' + name; }

    QTemporaryDir m_temp;
    QString m_prefix;
};

TEST_F(Installation, PutsTheProgramDataMenuEntryAndIconsInPlaceAndNoStandInEmulator)
{
    EXPECT_EQ(treeOf(installed("bin")), QStringList{"cartling"});
    EXPECT_EQ(treeOf(installed("share/cartling")), treeOf(QStringLiteral(CARTLING_SOURCE_DIR "/data")));
    EXPECT_TRUE(QFile::exists(installed("share/applications/" + AppId + ".desktop")));
    EXPECT_TRUE(QFile::exists(installed("share/metainfo/" + AppId + ".metainfo.xml")));
    EXPECT_TRUE(QFile::exists(installed("share/icons/hicolor/scalable/apps/" + AppId + ".svg")));
    for (int size : {48, 256}) {
        const QImage icon(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) + AppId + ".png"));
        EXPECT_EQ(icon.size(), QSize(size, size));
    }
}

// Desktops start menu entries in the home folder: the entry must not fill it with Cartling's folders.
TEST_F(Installation, TheMenuEntryStartsInTheUsersDataFolderWithTheShippedFilesCopiedIn)
{
    QStringList command = execLine(installed("share/applications/" + AppId + ".desktop"));
    ASSERT_FALSE(command.isEmpty());
    const QString program = QStandardPaths::findExecutable(command.takeFirst(), {installed("bin")});
    ASSERT_EQ(program, installed("bin/cartling"));

    const ProgramRun menu(m_temp.path(), true);
    const QString home = m_temp.path() + QStringLiteral("/home");
    const QString data = home + QStringLiteral("/.local/share/cartling");
    QByteArray errors;
    ASSERT_TRUE(menu.startUntil(program, command, home, data + "/Shoots", &errors)) << errors.constData();

    for (const QString &name : treeOf(QStringLiteral(CARTLING_SOURCE_DIR "/data")))
        EXPECT_EQ(bytesOf(data + u'/' + name), bytesOf(QStringLiteral(CARTLING_SOURCE_DIR "/data/") + name))
            << qPrintable(name);
    for (const char *folder : {"Roms", "Rts", "Save", "Zibo", "Shoots"})
        EXPECT_TRUE(QFileInfo(data + u'/' + QLatin1String(folder)).isDir()) << folder;
    EXPECT_EQ(QDir(home).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{".local"});
}

} // namespace
