#include "TestSupport.h"

#include "platform/FileAttributes.h"
#include "platform/FileCopy.h"
#include "platform/Places.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>

namespace {

using PlacesTest = BaseFolderTest;

// A copy over a file is whole or not made at all, with no part file left behind.
TEST_F(PlacesTest, AReplacedFileIsWholeOrUntouchedAndLeavesNoPart)
{
    writeFile("a.bmp", "new");
    writeFile("b.bmp", "old");
    makeFolder("c.bmp"); // a folder where the file should go
    const struct
    {
        const char *target;
        std::function<bool()> beforeReplacing;
        bool replaced;
        QByteArray after; // the target's bytes; none for the folder
    } cases[] = {
        {"b.bmp", [] { return false; }, false, "old"},
        {"c.bmp", {}, false, {}},
        {"b.bmp", {}, true, "new"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FileCopy::replace(path("a.bmp"), path(c.target), c.beforeReplacing), c.replaced) << c.target;
        if (!c.after.isNull())
            EXPECT_EQ(readFile(c.target), c.after) << c.target;
        EXPECT_EQ(QDir(m_base).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList({"a.bmp", "b.bmp", "c.bmp"}))
            << c.target;
    }
}

TEST_F(PlacesTest, TheDriveRootFollowsTheEnvironment)
{
    EXPECT_EQ(Places::driveRoot(), m_temp.path() + "/drive/");
}

TEST_F(PlacesTest, TheExtractionFolderIsPrivateAndNeverALink)
{
    const QString folder = Places::extractionFolder();
    QFile::remove(folder); // a link left by an earlier run
    ASSERT_TRUE(Places::ensureExtractionFolder());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QFile::permissions(folder) & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
    // A folder opened up to others is made private again.
    QFile::setPermissions(folder, QFile::permissions(folder) | QFileDevice::ReadOther | QFileDevice::ExeOther);
    ASSERT_TRUE(Places::ensureExtractionFolder());
    EXPECT_EQ(QFile::permissions(folder) & (QFileDevice::ReadOther | QFileDevice::ExeOther), 0);

    const QString renamed = folder + ".moved";
    QDir(renamed).removeRecursively();
    ASSERT_TRUE(QDir().rename(folder, renamed));
    ASSERT_TRUE(QFile::link(m_base, folder));
    EXPECT_FALSE(Places::ensureExtractionFolder());
    QFile::remove(folder);
    QDir().rename(renamed, folder);
}

TEST_F(PlacesTest, EmptyingAFolderRemovesEverythingInsideButNotWhatLinksPointAt)
{
    makeFolder("x/sub");
    makeFolder("keep");
    writeFile("x/a.gb", "rom");
    writeFile("x/.hidden.gb", "hidden");
    writeFile("x/sub/b.gb", "rom");
    writeFile("keep/inside.gb", "keep me too");
    writeFile("precious.gb", "keep me");
    QFile::setPermissions(path("x/a.gb"), QFileDevice::ReadOwner);
    ASSERT_TRUE(QFile::link(path("precious.gb"), path("x/link.gb")));
    ASSERT_TRUE(QFile::link(path("keep"), path("x/folderlink")));
    ASSERT_TRUE(QFile::link(path("keep"), path("x/sub/deeplink")));

    EXPECT_TRUE(Places::emptyFolder(path("x")));

    EXPECT_TRUE(
        QDir(path("x")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_EQ(readFile("precious.gb"), "keep me");
    EXPECT_EQ(readFile("keep/inside.gb"), "keep me too");
}

TEST_F(PlacesTest, PlainArchiveAttributeGivesBackTheOwnersWritePermission)
{
    writeFile("ro.gb", "x");
    QFile::setPermissions(path("ro.gb"), QFileDevice::ReadOwner | QFileDevice::ReadOther);
    EXPECT_TRUE(FileAttributes::isReadOnly(path("ro.gb")));
    FileAttributes::makePlainArchive(path("ro.gb"));
    EXPECT_FALSE(FileAttributes::isReadOnly(path("ro.gb")));
    EXPECT_EQ(QFile::permissions(path("ro.gb")), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ReadOther | QFileDevice::ReadUser |
                                                     QFileDevice::WriteUser);
}

TEST_F(PlacesTest, TextFilesAreWrittenWholeWithCrLf)
{
    ASSERT_TRUE(TextFile::writeLines(path("t.txt"), {"uno", "", QString::fromUtf8("año")}));
    EXPECT_EQ(readFile("t.txt"), "uno\r\n\r\na\xf1o\r\n");
    QFile::setPermissions(path("t.txt"), QFileDevice::ReadOwner);
    EXPECT_FALSE(TextFile::writeLines(path("t.txt"), {"x"}));
    EXPECT_EQ(readFile("t.txt"), "uno\r\n\r\na\xf1o\r\n");
}

} // namespace
