#include "TestSupport.h"

#include "settings/BaseFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {

constexpr auto ReadOnlyFolder = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;

class ChosenBaseFolder : public BaseFolderTest
{
protected:
    // Every path below the test's base folder, to show that a refused folder leaves nothing behind.
    QStringList tree() const
    {
        QStringList paths;
        QDirIterator it(m_base, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            paths.append(it.next());
        paths.sort();
        return paths;
    }
};

TEST_F(ChosenBaseFolder, AMissingLastPartIsCreatedAndAnExistingFolderServesAsItIs)
{
    EXPECT_EQ(BaseFolder::prepare(path("new")), std::nullopt);
    EXPECT_TRUE(QFileInfo(path("new")).isDir());
    writeFile("new/Cartling.ini", "[Video]\r\n");
    EXPECT_EQ(BaseFolder::prepare(path("new")), std::nullopt);
    EXPECT_EQ(readFile("new/Cartling.ini"), "[Video]\r\n");
    // A relative name is taken from the current folder.
    EXPECT_EQ(BaseFolder::prepare("relative"), std::nullopt);
    EXPECT_TRUE(QFileInfo(path("relative")).isDir());
    // The menu entry's data folder may lack its parents on a fresh account.
    EXPECT_EQ(BaseFolder::prepare(path("home/.local/share/cartling"), BaseFolder::Parents::Create), std::nullopt);
    EXPECT_TRUE(QFileInfo(path("home/.local/share/cartling")).isDir());
}

TEST_F(ChosenBaseFolder, AFolderThatCannotServeIsNamedWithItsReasonAndNothingIsCreated)
{
    writeFile("file", "x");
    makeFolder("locked");
    QFile::setPermissions(path("locked"), ReadOnlyFolder);
    const QStringList before = tree();

    const struct
    {
        QString folder;
        BaseFolder::Parents parents;
        QString message;
    } cases[] = {
        {path("gone/x"), BaseFolder::Parents::MustExist,
         "Cannot use " + path("gone/x") + " as the base folder: the folder " + path("gone") + " does not exist."},
        {path("file"), BaseFolder::Parents::MustExist,
         "Cannot use " + path("file") + " as the base folder: it is a file, not a folder."},
        {path("file/x"), BaseFolder::Parents::Create,
         "Cannot use " + path("file/x") + " as the base folder: " + path("file") + " is a file, not a folder."},
        {path("locked"), BaseFolder::Parents::MustExist,
         "Cannot use " + path("locked") + " as the base folder: you cannot write to it."},
        {path("locked/x"), BaseFolder::Parents::MustExist,
         "Cannot use " + path("locked/x") + " as the base folder: you cannot write to " + path("locked") +
             ", where it would be made."},
        {path("locked/x/y"), BaseFolder::Parents::Create,
         "Cannot use " + path("locked/x/y") + " as the base folder: you cannot write to " + path("locked") +
             ", where it would be made."},
        {QString(), BaseFolder::Parents::MustExist, "Cannot use an empty folder name as the base folder."},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(BaseFolder::prepare(c.folder, c.parents), c.message) << qPrintable(c.folder);
        EXPECT_EQ(tree(), before) << qPrintable(c.folder);
    }
}

TEST_F(ChosenBaseFolder, ShippedFilesAreCopiedOnlyWhereTheUserHasNone)
{
    makeFolder("shipped");
    makeFolder("user");
    writeFile("shipped/english.cti", "shipped english");
    writeFile(QString::fromUtf8("shipped/español.cti"), "shipped spanish");
    writeFile("shipped/readme.txt", "shipped readme");
    QFile::setPermissions(path("shipped/readme.txt"), QFileDevice::ReadOwner | QFileDevice::ReadOther);
    writeFile("user/english.cti", "my own translation");

    BaseFolder::copyMissingFiles(path("shipped"), path("user"));
    EXPECT_EQ(readFile("user/english.cti"), "my own translation");
    EXPECT_EQ(readFile(QString::fromUtf8("user/español.cti")), "shipped spanish");
    EXPECT_EQ(readFile("user/readme.txt"), "shipped readme");
    // The copy is the user's to change, even when the installed file is read-only.
    EXPECT_TRUE(QFile::permissions(path("user/readme.txt")) & QFileDevice::WriteOwner);

    // A file the user deleted comes back; one the user changed stays changed.
    QFile::remove(path("user/readme.txt"));
    writeFile(QString::fromUtf8("user/español.cti"), "mine");
    BaseFolder::copyMissingFiles(path("shipped"), path("user"));
    EXPECT_EQ(readFile("user/readme.txt"), "shipped readme");
    EXPECT_EQ(readFile(QString::fromUtf8("user/español.cti")), "mine");
}

} // namespace
