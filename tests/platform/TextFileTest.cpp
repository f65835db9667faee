#include "TestSupport.h"

#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using TextEncoding::Encoding;

class TextFileTest : public BaseFolderTest
{
protected:
    void link(const QString &name, const QString &target) const
    {
        ASSERT_TRUE(QFile::link(target, path(name))) << qPrintable(name);
    }
    // A file of `size` bytes without writing them.
    void sparseFile(const QString &name, qint64 size) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(size));
    }
};

// ---- What is read and written ----

TEST_F(TextFileTest, ALinkIsFollowedToARegularFileAndStaysALink)
{
    makeFolder("elsewhere");
    writeFile("elsewhere/real.txt", "uno\r\n");
    link("link.txt", path("elsewhere/real.txt"));
    ASSERT_EQ(TextFile::load(path("link.txt"))->text, "uno\r\n");
    TextFile::save(path("link.txt"), "dos\r\n");
    EXPECT_TRUE(QFileInfo(path("link.txt")).isSymbolicLink());
    EXPECT_EQ(readFile("elsewhere/real.txt"), "dos\r\n");
    EXPECT_EQ(folderEntries(path("elsewhere")), QStringList{"real.txt"});
}

// A dangling link used to make a file wherever it pointed, outside the base folder.
TEST_F(TextFileTest, ALinkToNothingReadsAsNoFileAndIsNeverWrittenThrough)
{
    makeFolder("elsewhere");
    link("dangling.txt", path("elsewhere/made.txt"));
    EXPECT_FALSE(TextFile::load(path("dangling.txt")));
    EXPECT_FALSE(TextFile::writable(path("dangling.txt")));
    EXPECT_THROW(TextFile::save(path("dangling.txt"), "x"), TextFile::Error);
    EXPECT_FALSE(QFile::exists(path("elsewhere/made.txt")));
    EXPECT_TRUE(QFileInfo(path("dangling.txt")).isSymbolicLink());
}

// A settings file linked to /dev/zero ran out of memory, one linked to a pipe hung the start forever.
TEST_F(TextFileTest, AnythingButARegularFileIsRefusedUnread)
{
    makeFolder("folder");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    link("zero", QStringLiteral("/dev/zero"));
    link("to-folder", path("folder"));
    for (const QString name : {"folder", "pipe", "zero", "to-folder"}) {
        try {
            TextFile::load(path(name));
            ADD_FAILURE() << qPrintable(name) << " was read";
        } catch (const TextFile::Error &error) {
            EXPECT_EQ(error.reason(), "it is not a regular file") << qPrintable(name);
            EXPECT_TRUE(error.text().contains(path(name))) << qPrintable(error.text());
        }
        EXPECT_FALSE(TextFile::read(path(name))) << qPrintable(name);
        EXPECT_THROW(TextFile::save(path(name), "x"), TextFile::Error) << qPrintable(name);
    }
    EXPECT_TRUE(QFileInfo(path("folder")).isDir());
}

TEST_F(TextFileTest, AFileBeyondTheSizeLimitIsRefusedUnread)
{
    sparseFile("huge.ini", 50 * 1024 * 1024);
    try {
        TextFile::load(path("huge.ini"));
        FAIL() << "a 50 MB file was read";
    } catch (const TextFile::Error &error) {
        EXPECT_EQ(error.text(), "Cannot read the file \"" + path("huge.ini") + "\": it is larger than 4 MiB.");
    }
    sparseFile("edge.ini", TextFile::SizeLimit);
    EXPECT_EQ(TextFile::load(path("edge.ini"))->text.size(), TextFile::SizeLimit);
    sparseFile("over.ini", TextFile::SizeLimit + 1);
    EXPECT_THROW(TextFile::load(path("over.ini")), TextFile::Error);
    EXPECT_EQ(TextFile::load(path("over.ini"), TextFile::SizeLimit + 1)->text.size(), TextFile::SizeLimit + 1);
}

TEST_F(TextFileTest, LinesAreWrittenInTheEncodingTheFileWasReadIn)
{
    writeFile("t.txt", QByteArray("\xff\xfeu\0n\0o\0\r\0\n\0", 12));
    Encoding encoding = Encoding::Windows1252;
    const QStringList lines = *TextFile::loadLines(path("t.txt"), &encoding);
    EXPECT_EQ(encoding, Encoding::Utf16LE);
    TextFile::saveLines(path("t.txt"), lines + QStringList{QString::fromUtf8("ñ")}, encoding);
    EXPECT_EQ(readFile("t.txt"), QByteArray("\xff\xfeu\0n\0o\0\r\0\n\0\xf1\0\r\0\n\0", 18));
}

// ---- Keeping what was there ----

// A write made as root gave the user's file to root.
TEST_F(TextFileTest, AnExistingFileKeepsItsOwnerAndMode)
{
    writeFile("t.txt", "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path("t.txt")).constData(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root)
        ASSERT_EQ(::chown(QFile::encodeName(path("t.txt")).constData(), 65534, 65534), 0);
    TextFile::save(path("t.txt"), "new");
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path("t.txt")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }
    EXPECT_EQ(readFile("t.txt"), "new");
}

TEST_F(TextFileTest, AFailedWriteLeavesTheOldFileWholeAndNoTemporaryFile)
{
    const QByteArray old("[Video]\r\nColor=1\r\n");
    writeFile("t.txt", old);
    {
        const FileSizeLimit fullDisk(4096);
        EXPECT_THROW(TextFile::save(path("t.txt"), QByteArray(100000, 'x')), TextFile::Error);
    }
    EXPECT_EQ(readFile("t.txt"), old);
    EXPECT_EQ(folderEntries(m_base), QStringList{"t.txt"});

    QFile::setPermissions(path("t.txt"), QFileDevice::ReadOwner);
    EXPECT_THROW(TextFile::save(path("t.txt"), "x"), TextFile::Error);
    QFile::setPermissions(path("t.txt"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::setPermissions(m_base, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_THROW(TextFile::save(path("t.txt"), "x"), TextFile::Error);
    QFile::setPermissions(m_base, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(readFile("t.txt"), old);
    EXPECT_EQ(folderEntries(m_base), QStringList{"t.txt"});
}

} // namespace
