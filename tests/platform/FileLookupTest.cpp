#include "TestSupport.h"

#include "platform/FileLookup.h"

#include <QDir>
#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

timespec modified(const QString &path)
{
    struct stat info
    {
    };
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mtim;
}

void setModified(const QString &path, timespec time)
{
    const timespec times[2] = {time, time};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

// Sets the folder's time an hour back, as a folder left alone looks, so that its listing is trusted.
void ageFolder(const QString &folder)
{
    timespec time = modified(folder);
    time.tv_sec -= 3600;
    setModified(folder, time);
}

void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// A remembered answer must give way to whatever changed the folder since: a shot written under another case,
// a shot removed, the folder replaced by another.
TEST(FileLookupCache, ARememberedAnswerFollowsEveryChangeOfTheFolder)
{
    QTemporaryDir temp;
    const QString folder = temp.path() + "/Save";
    QDir().mkpath(folder);
    touch(folder + "/Partida.sav");
    const QString name = "ZIBO0000.BMP";
    FileLookup::Cache cache;

    ageFolder(folder);
    EXPECT_EQ(FileLookup::find(folder, name, &cache), QString());
    touch(folder + "/zibo0000.bmp");
    EXPECT_EQ(FileLookup::find(folder, name, &cache), folder + "/zibo0000.bmp");

    ageFolder(folder);
    EXPECT_EQ(FileLookup::find(folder, name, &cache), folder + "/zibo0000.bmp");
    // A folder of that name but no file, and the file's removal, are seen as soon as they happen.
    QFile::remove(folder + "/zibo0000.bmp");
    QDir().mkdir(folder + "/Zibo0000.bmp");
    EXPECT_EQ(FileLookup::find(folder, name, &cache), QString());
    EXPECT_EQ(cache.matches(folder, name), QStringList{"Zibo0000.bmp"});

    // Another folder moved into its place, with the same time, is listed anew.
    ageFolder(folder);
    EXPECT_EQ(FileLookup::find(folder, name, &cache), QString());
    const QString other = temp.path() + "/other";
    QDir().mkpath(other);
    touch(other + "/Zibo0000.BMP");
    setModified(other, modified(folder));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(QDir().rename(other, folder));
    EXPECT_EQ(FileLookup::find(folder, name, &cache), folder + "/Zibo0000.BMP");
}

} // namespace
