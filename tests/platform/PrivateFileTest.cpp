#include "TestSupport.h"

#include "platform/PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Refusal = PrivateFile::Error::Refusal;

class PrivateFileTest : public BaseFolderTest
{
protected:
    void link(const QString &name, const QString &target) const
    {
        ASSERT_TRUE(QFile::link(target, path(name))) << qPrintable(name);
    }
    static int modeOf(const QString &file)
    {
        struct stat st;
        return ::lstat(QFile::encodeName(file).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    }
    // The refusal that saving or loading the file raised, its reason kept in m_reason; nothing when it went ahead.
    std::optional<Refusal> refusalOf(const std::function<void()> &action)
    {
        try {
            action();
        } catch (const PrivateFile::Error &error) {
            m_reason = error.reason();
            return error.refusal();
        }
        return std::nullopt;
    }
    QString m_reason;
};

// A cache or index name planted as a link to the user's own file had that file replaced by the next write.
TEST_F(PrivateFileTest, AWriteThatALinkOrAnotherUsersFolderCouldSteerIsRefusedAndChangesNothing)
{
    const QByteArray key("ssh-ed25519 AAAA the user's key\n");
    makeFolder("home");
    writeFile("home/authorized_keys", key);
    makeFolder("cache");
    link("cache/linked.index", path("home/authorized_keys"));
    link("cache/dangling.index", path("home/made-through-the-link"));
    makeFolder("cache/folder.index");
    link("linked-folder", path("home"));
    makeFolder("read-only");
    QFile::setPermissions(path("read-only"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    makeFolder("foreign");
    const bool root = giveToAnotherUser(path("foreign"));

    const struct
    {
        const char *name;
        Refusal refusal;
    } cases[] = {
        {"cache/linked.index", Refusal::Link},        {"cache/dangling.index", Refusal::Link},
        {"cache/folder.index", Refusal::NotRegular},  {"linked-folder/new.index", Refusal::FolderNotOwn},
        {"read-only/new.index", Refusal::ReadOnly},   {"missing/new.index", Refusal::SystemFailure},
        {"foreign/new.index", Refusal::FolderNotOwn}, // as root only
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (QByteArray(c.name).startsWith("foreign") && !root)
            continue;
        EXPECT_EQ(refusalOf([&] { PrivateFile::save(path(c.name), "index"); }), c.refusal);
        EXPECT_FALSE(PrivateFile::write(path(c.name), "index"));
    }
    refusalOf([&] { PrivateFile::save(path("cache/linked.index"), "index"); });
    EXPECT_EQ(m_reason, "it is a symbolic link, and Cartling's own files are never used through a link");
    refusalOf([&] { PrivateFile::save(path("missing/new.index"), "index"); });
    EXPECT_EQ(m_reason, "No such file or directory");
    EXPECT_EQ(readFile("home/authorized_keys"), key);
    EXPECT_EQ(folderEntries(path("home")), QStringList{"authorized_keys"});
    EXPECT_EQ(folderEntries(path("cache")), QStringList({"dangling.index", "folder.index", "linked.index"}));
    EXPECT_TRUE(QFileInfo(path("cache/linked.index")).isSymLink());
    EXPECT_TRUE(folderEntries(path("read-only")).isEmpty());
    EXPECT_TRUE(folderEntries(path("foreign")).isEmpty());
}

// An index planted with the stamp of the file it claims to describe was trusted.
TEST_F(PrivateFileTest, OnlyTheUsersOwnRegularFileIsReadAndNoFurtherThanTheLimit)
{
    writeFile("own", "mine");
    link("linked", path("own"));
    writeFile("planted", "someone else's");
    const bool root = giveToAnotherUser(path("planted"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    makeFolder("folder");
    writeFile("large", QByteArray(11, 'x'));
    writeFile("empty", "");

    const struct
    {
        const char *name;
        std::optional<Refusal> refusal;
    } cases[] = {
        {"own", std::nullopt},         {"linked", Refusal::Link},       {"planted", Refusal::ForeignFile},
        {"pipe", Refusal::NotRegular}, {"folder", Refusal::NotRegular}, {"large", Refusal::TooLarge},
        {"empty", std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (QByteArray(c.name) == "planted" && !root)
            continue;
        EXPECT_EQ(refusalOf([&] { PrivateFile::load(path(c.name), 10); }), c.refusal);
        EXPECT_EQ(PrivateFile::read(path(c.name), 10).has_value(), !c.refusal);
    }
    EXPECT_EQ(PrivateFile::read(path("own"), 4), "mine");
    EXPECT_EQ(PrivateFile::read(path("empty"), 0), "");
    EXPECT_EQ(PrivateFile::read(path("large"), 11), QByteArray(11, 'x'));
    EXPECT_EQ(refusalOf([&] { EXPECT_FALSE(PrivateFile::load(path("missing"), 10)); }), std::nullopt);
    EXPECT_EQ(refusalOf([&] { EXPECT_FALSE(PrivateFile::load(path("own/below"), 10)); }), std::nullopt);
}

TEST_F(PrivateFileTest, AWriteReplacesTheFileWholeForTheUserAloneAndLeavesNoTemporaryFile)
{
    makeFolder("cache");
    writeFile("cache/data.bin", "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path("cache/data.bin")).constData(), 0644), 0);
    // What killed writes left is removed by the next write of that name, unless the caller keeps it; what only
    // looks like it is not.
    writeFile("cache/.data.bin.cartling-tmp-a1b2c3d4", "left");
    writeFile("cache/.data.bin.cartling-tmp-a1b2c3d45", "a user's");
    writeFile("cache/.data.bin.cartling-tmp-a1b2c3dg", "a user's");
    writeFile("cache/.else.bin.cartling-tmp-a1b2c3d4", "another file's");
    writeFile("shared", "linked twice");
    link("cache/.data.bin.cartling-tmp-11110001", path("shared"));
    ASSERT_EQ(::link(QFile::encodeName(path("shared")).constData(),
                     QFile::encodeName(path("cache/.data.bin.cartling-tmp-22220002")).constData()),
              0);
    const QStringList kept{".data.bin.cartling-tmp-11110001",  ".data.bin.cartling-tmp-22220002",
                           ".data.bin.cartling-tmp-a1b2c3d45", ".data.bin.cartling-tmp-a1b2c3dg",
                           ".else.bin.cartling-tmp-a1b2c3d4",  "data.bin"};
    PrivateFile::save(path("cache/data.bin"), "new", PrivateFile::Leftovers::Keep);
    EXPECT_EQ(folderEntries(path("cache")).size(), kept.size() + 1);
    // Larger than one read or write at a time.
    QByteArray large(3 * 1024 * 1024 + 5, 'x');
    large[large.size() - 1] = 'y';
    PrivateFile::save(path("cache/data.bin"), large);
    EXPECT_EQ(PrivateFile::read(path("cache/data.bin"), large.size()), large);
    EXPECT_EQ(modeOf(path("cache/data.bin")), 0600);
    EXPECT_EQ(folderEntries(path("cache")), kept);
    EXPECT_EQ(readFile("shared"), "linked twice");

    {
        const FileSizeLimit fullDisk(4096);
        EXPECT_EQ(refusalOf([&] { PrivateFile::save(path("cache/data.bin"), QByteArray(100000, 'z')); }),
                  Refusal::SystemFailure);
    }
    // Nothing stays open after a write or a read, whole or failed.
    const auto openDescriptors = [] {
        int open = 0;
        for (int fd = 0; fd < 1024; ++fd)
            open += ::fcntl(fd, F_GETFD) != -1 ? 1 : 0;
        return open;
    };
    const int open = openDescriptors();
    PrivateFile::save(path("cache/data.bin"), large);
    EXPECT_EQ(PrivateFile::read(path("cache/data.bin"), 10), std::nullopt);
    EXPECT_FALSE(PrivateFile::write(path("cache/" + QString(240, u'n')), "x"));
    EXPECT_EQ(openDescriptors(), open);
    // A name too long for its temporary file beside it.
    const QString longName = path("cache/" + QString(240, u'n'));
    EXPECT_EQ(refusalOf([&] { PrivateFile::save(longName, "x"); }), Refusal::SystemFailure);
    EXPECT_EQ(m_reason, "File name too long");
    EXPECT_EQ(readFile("cache/data.bin"), large);
    EXPECT_EQ(folderEntries(path("cache")), kept);
}

TEST_F(PrivateFileTest, TheCacheHomeIsAnAbsoluteXdgCacheHomeElseTheOneInTheHomeFolder)
{
    const QString fallback = QDir::homePath() + "/.cache";
    for (const auto &[value, expected] : {std::pair<QString, QString>{"/elsewhere/cache", "/elsewhere/cache"},
                                          {"", fallback},
                                          {"relative/cache", fallback}}) {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(value));
        EXPECT_EQ(PrivateFile::cacheHome(), expected) << qPrintable(value);
    }
}

TEST_F(PrivateFileTest, FoldersAreMadeForTheUserAloneAndThoseThereKeepTheirMode)
{
    makeFolder("shared");
    ASSERT_EQ(::chmod(QFile::encodeName(path("shared")).constData(), 0755), 0);
    EXPECT_TRUE(PrivateFile::makeFolder(path("shared/made/inner")));
    EXPECT_TRUE(PrivateFile::makeFolder(path("shared/made/inner/")));
    EXPECT_EQ(modeOf(path("shared")), 0755);
    EXPECT_EQ(modeOf(path("shared/made")), 0700);
    EXPECT_EQ(modeOf(path("shared/made/inner")), 0700);

    writeFile("file", "");
    link("linked", path("shared"));
    makeFolder("foreign");
    const bool root = giveToAnotherUser(path("foreign"));
    EXPECT_FALSE(PrivateFile::makeFolder(path("file")));
    EXPECT_FALSE(PrivateFile::makeFolder(path("file/below")));
    EXPECT_FALSE(PrivateFile::makeFolder(path("linked")));
    EXPECT_TRUE(PrivateFile::makeFolder(path("linked/through"))); // only the folder itself must be no link
    EXPECT_EQ(PrivateFile::makeFolder(path("foreign")), !root);
}

} // namespace
