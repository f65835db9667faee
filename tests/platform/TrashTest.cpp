#include "TestSupport.h"

#include "platform/Trash.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

// The desktop's trash with a home folder inside the test's own folder.
class DesktopTrashTest : public BaseFolderTest
{
protected:
    void SetUp() override
    {
        BaseFolderTest::SetUp();
        m_home.emplace("HOME", QFile::encodeName(m_temp.path() + "/home"));
        makeFolder("roms");
        writeFile("roms/a.gb", "rom");
        // Files are deleted with the ROM folder as the current folder.
        QDir::setCurrent(path("roms"));
    }
    std::optional<ScopedEnvironment> m_home;
};

TEST_F(DesktopTrashTest, AFileGoesToTheTrashOfTheUsersDataFolderEvenWhenThatFolderIsNew)
{
    ASSERT_TRUE(desktopTrash().moveToTrash(path("roms/a.gb")));
    EXPECT_EQ(folderEntries(path("roms")), QStringList());
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    ASSERT_TRUE(data.startsWith(m_temp.path())) << qPrintable(data);
    QFile kept(data + "/Trash/files/a.gb");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "rom");
    // A file gone meanwhile is not reported as moved.
    EXPECT_FALSE(desktopTrash().moveToTrash(path("roms/a.gb")));
}

// Broke with Qt 6.4, which, finding no trash, made "files" and "info" in the ROM folder and moved the file there.
TEST_F(DesktopTrashTest, WithoutATrashTheFileStaysWhereItWasAndTheFolderGetsNothing)
{
    writeFile("../home", "not a folder");
    EXPECT_FALSE(desktopTrash().moveToTrash(path("roms/a.gb")));
    EXPECT_EQ(folderEntries(path("roms")), QStringList{"a.gb"});
    EXPECT_EQ(readFile("roms/a.gb"), "rom");
}

} // namespace
