#include "ProgramRun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

namespace {

const QString Program = QStringLiteral(CARTLING_PROGRAM);
const QStringList BaseFolders{"Roms", "Rts", "Save", "Shoots", "Zibo"};

class CommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.isValid());
        m_root = m_temp.path();
        m_cwd = m_root + QStringLiteral("/cwd");
        QDir().mkpath(m_cwd);
    }
    void TearDown() override
    {
        // Give write permission back so the temporary folder can be removed.
        for (const QString &entry : treeOf(m_root))
            QFile::setPermissions(m_root + u'/' + entry,
                                  QFile::permissions(m_root + u'/' + entry) | QFileDevice::WriteOwner);
    }

    QTemporaryDir m_temp;
    QString m_root;
    QString m_cwd;
};

// The guard's socket in the runtime folder; empty when there is none.
QString socketIn(const QString &runtime)
{
    for (const QString &entry : treeOf(runtime)) {
        if (entry.endsWith(QStringLiteral(".socket")))
            return runtime + u'/' + entry;
    }
    return {};
}

// Tells a socket bound anew from the one left behind under the same name (a freed inode may come back at once);
// nothing when there is none.
std::pair<ino_t, qint64> identityOf(const QString &path)
{
    struct stat st
    {
    };
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {st.st_ino, qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

// These runs have no display: they must end before Cartling needs one.
TEST_F(CommandLine, VersionAndHelpNeedNoDisplay)
{
    const ProgramRun noDisplay(m_root, false);
    const auto version = noDisplay.run(Program, {"--version"}, m_cwd);
    EXPECT_EQ(version.exitCode, 0) << version.errors.constData();
    EXPECT_EQ(version.output,
              "Cartling 1.7\nlibzip " + QByteArray(zip_libzip_version()) + "\nQt " + QByteArray(qVersion()) + "\n");

    // Qt's own options, with and without a value, are let through for Qt and kept out of the help.
    const auto withQtOptions = noDisplay.run(Program, {"-style", "fusion", "-reverse", "--version"}, m_cwd);
    EXPECT_EQ(withQtOptions.exitCode, 0) << withQtOptions.errors.constData();
    EXPECT_EQ(withQtOptions.output, version.output);

    const auto help = noDisplay.run(Program, {"--help"}, m_cwd);
    EXPECT_EQ(help.exitCode, 0) << help.errors.constData();
    for (const char *option : {"cartling [options]", "--base-folder <folder>", "--user-data", "--version"})
        EXPECT_TRUE(help.output.contains(option)) << option;
    for (const char *option : {"-style", "-platform", "-reverse"})
        EXPECT_FALSE(help.output.contains(option)) << option;
    EXPECT_TRUE(treeOf(m_cwd).isEmpty());
}

TEST_F(CommandLine, ARefusedBaseFolderIsNamedOnStandardErrorWithStatusTwoAndNothingCreated)
{
    QFile file(m_root + QStringLiteral("/file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QDir().mkpath(m_root + QStringLiteral("/locked"));
    QFile::setPermissions(m_root + QStringLiteral("/locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const ProgramRun noDisplay(m_root, false);
    const QStringList before = treeOf(m_root);

    const struct
    {
        QStringList arguments;
        QByteArray says;
    } cases[] = {
        {{"--base-folder", m_root + "/gone/x"}, "the folder " + (m_root + "/gone").toUtf8() + " does not exist"},
        {{"--base-folder", m_root + "/file"}, "it is a file, not a folder"},
        {{"--base-folder", m_root + "/locked"}, "you cannot write to it"},
        {{"--base-folder", m_root + "/locked/x"}, "you cannot write to " + (m_root + "/locked").toUtf8()},
        {{"--base-folder="}, "empty folder name"},
        {{"--base-folder"}, "Missing value after '--base-folder'"},
        {{"--base-folder", m_root + "/new", "--user-data"}, "give one"},
        {{"--no-such-option"}, "Unknown option 'no-such-option'"},
        {{"stray"}, "unexpected argument 'stray'"},
    };
    for (const auto &c : cases) {
        const auto result = noDisplay.run(Program, c.arguments, m_cwd);
        const QString shown = c.arguments.join(u' ');
        EXPECT_TRUE(result.finished) << qPrintable(shown);
        EXPECT_EQ(result.exitCode, 2) << qPrintable(shown);
        EXPECT_TRUE(result.errors.startsWith("cartling: ")) << qPrintable(shown);
        EXPECT_TRUE(result.errors.contains(c.says)) << qPrintable(shown) << "\n" << result.errors.constData();
        EXPECT_TRUE(result.output.isEmpty()) << qPrintable(shown);
        EXPECT_EQ(treeOf(m_root), before) << qPrintable(shown);
    }
}

TEST_F(CommandLine, ABaseFolderGetsTheFoldersAndTheCurrentFolderStaysUntouched)
{
    const ProgramRun withDisplay(m_root, true);
    const QString base = m_root + QStringLiteral("/x");
    QByteArray errors;
    ASSERT_TRUE(withDisplay.startUntil(Program, {"--base-folder", base}, m_cwd, base + "/Shoots", &errors))
        << errors.constData();
    EXPECT_EQ(treeOf(base), BaseFolders);
    EXPECT_TRUE(treeOf(m_cwd).isEmpty());
}

TEST_F(CommandLine, WithoutAnOptionTheCurrentFolderIsTheBaseFolder)
{
    const ProgramRun withDisplay(m_root, true);
    QByteArray errors;
    ASSERT_TRUE(withDisplay.startUntil(Program, {}, m_cwd, m_cwd + "/Shoots", &errors)) << errors.constData();
    EXPECT_EQ(treeOf(m_cwd), BaseFolders);
    EXPECT_FALSE(QFile::exists(m_root + QStringLiteral("/home/.local/share/cartling")));
}

// Two Cartlings on one base folder wrote their copies of the data files over each other's.
TEST_F(CommandLine, ASecondStartOnTheSameBaseFolderHandsOverAndEnds)
{
    const ProgramRun withDisplay(m_root, true);
    const QString base = m_root + QStringLiteral("/x");
    const std::unique_ptr<QProcess> first = withDisplay.start(Program, {"--base-folder", base}, m_cwd);
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(base + "/Shoots") && first->state() != QProcess::NotRunning && clock.elapsed() < 60000)
        first->waitForFinished(100);
    ASSERT_TRUE(QFile::exists(base + "/Shoots")) << first->readAllStandardError().constData();

    // The same folder, also by another path to it: the running one is asked to the front, this one ends.
    ASSERT_TRUE(QFile::link(base, m_root + QStringLiteral("/link")));
    for (const QString &path : {base, m_root + QStringLiteral("/link")}) {
        const auto second = withDisplay.run(Program, {"--base-folder", path}, m_cwd);
        EXPECT_TRUE(second.finished) << qPrintable(path);
        EXPECT_EQ(second.exitCode, 0) << second.errors.constData();
    }
    EXPECT_EQ(first->state(), QProcess::Running);
    const QString socket = socketIn(m_root + QStringLiteral("/runtime"));
    ASSERT_FALSE(socket.isEmpty()) << qPrintable(treeOf(m_root + QStringLiteral("/runtime")).join(u' '));

    // Another folder runs as usual.
    QByteArray errors;
    EXPECT_TRUE(withDisplay.startUntil(Program, {"--base-folder", m_root + "/y"}, m_cwd, m_root + "/y/Shoots", &errors))
        << errors.constData();

    // Killed outright, the first leaves its lock and socket behind: the next start takes the folder and listens
    // in its place, and a third is handed over to it.
    const auto stale = identityOf(socket);
    first->kill();
    first->waitForFinished();
    ASSERT_EQ(identityOf(socket), stale);
    const std::unique_ptr<QProcess> next = withDisplay.start(Program, {"--base-folder", base}, m_cwd);
    clock.restart();
    const auto bound = [&] { return identityOf(socket) != stale && identityOf(socket).first != 0; };
    while (!bound() && next->state() != QProcess::NotRunning && clock.elapsed() < 60000)
        next->waitForFinished(100);
    ASSERT_TRUE(bound()) << next->readAllStandardError().constData();
    const auto third = withDisplay.run(Program, {"--base-folder", base}, m_cwd);
    EXPECT_TRUE(third.finished);
    EXPECT_EQ(third.exitCode, 0) << third.errors.constData();
    EXPECT_EQ(next->state(), QProcess::Running);
    next->kill();
    next->waitForFinished();
}

} // namespace
