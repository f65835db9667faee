#include "ToolTestSupport.h"
#include "library/RomTitle.h"
#include "platform/Places.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DemoFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.isValid());
        m_root = QFileInfo(m_temp.path()).canonicalFilePath();
        m_demo = m_root + QStringLiteral("/demo");
        m_bin = m_root + QStringLiteral("/bin");
        m_data = m_root + QStringLiteral("/data");
        ASSERT_TRUE(QDir().mkpath(m_data));
        writeBytes(m_data + QStringLiteral("/english.cti"), "Texts\r\n");
        writeBytes(m_data + QStringLiteral("/leeme.txt"), "L\xE9\x61me\r\n");
        writeBytes(m_data + QStringLiteral("/readme.txt"), "Read me\r\n");
    }

    ToolRun prepare() { return runTool(QStringLiteral(DEMO_PROGRAM), {m_demo, m_bin, m_data}, m_root); }
    QString roms() const { return m_demo + QStringLiteral("/Roms"); }

    // Every file below the demo folder with its bytes and modification time.
    QMap<QString, QPair<QByteArray, QDateTime>> snapshot() const
    {
        QMap<QString, QPair<QByteArray, QDateTime>> files;
        QDirIterator it(m_demo, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files.insert(path, {fileBytes(path), it.fileInfo().lastModified()});
        }
        return files;
    }

    QTemporaryDir m_temp;
    QString m_root, m_demo, m_bin, m_data;
};

TEST_F(DemoFolderTest, MakesRomsWithRealHeadersArchivesDataFilesAndSettings)
{
    const ToolRun run = prepare();
    ASSERT_EQ(run.exitCode, 0) << run.errors.constData();

    QSet<QString> extensions;
    QStringList titles;
    bool colourBlank = false, colourOnly = false, superGameBoy = false, zeroPadded = false;
    const QFileInfoList images =
        QDir(roms()).entryInfoList({QStringLiteral("*.g*"), QStringLiteral("*.?gb")}, QDir::Files);
    EXPECT_EQ(images.size(), 12);
    for (const QFileInfo &info : images) {
        const QByteArray rom = fileBytes(info.absoluteFilePath());
        ASSERT_EQ(rom.size(), 32 * 1024) << qPrintable(info.fileName());
        unsigned char sum = 0;
        for (int i = 0x134; i <= 0x14C; ++i)
            sum = static_cast<unsigned char>(sum - static_cast<unsigned char>(rom[i]) - 1);
        EXPECT_EQ(static_cast<unsigned char>(rom[0x14D]), sum) << qPrintable(info.fileName());
        EXPECT_EQ(rom[0x148], 0x00) << "32 KiB size code";
        extensions.insert(info.suffix());
        titles.append(headerTitle(rom));
        const auto flag = static_cast<unsigned char>(rom[0x143]);
        colourBlank |= flag == 0x80 && titles.last().endsWith(u' ');
        colourOnly |= flag == 0xC0;
        superGameBoy |= rom[0x146] == 0x03;
        zeroPadded |= rom.mid(0x134, 16).endsWith('\0');
    }
    EXPECT_EQ(extensions, (QSet<QString>{QStringLiteral("gb"), QStringLiteral("gbc"), QStringLiteral("cgb"),
                                         QStringLiteral("sgb"), QStringLiteral("gbz")}));
    EXPECT_TRUE(std::any_of(titles.begin(), titles.end(), [](const QString &t) { return t.size() == 16; }));
    EXPECT_EQ(QSet<QString>(titles.begin(), titles.end()).size(), 12) << "every game has its own title";
    EXPECT_TRUE(colourBlank && colourOnly && superGameBoy && zeroPadded);

    // Archives: two with one ROM, one with two, each member a copy of its loose ROM.
    QList<int> memberCounts;
    for (const QFileInfo &info : QDir(roms()).entryInfoList({QStringLiteral("*.zip")}, QDir::Files)) {
        const auto members = readArchive(info.absoluteFilePath());
        memberCounts.append(int(members.size()));
        for (const auto &[name, bytes] : members) {
            EXPECT_TRUE(name.endsWith(QLatin1String(".gb")) || name.endsWith(QLatin1String(".gbc")));
            EXPECT_EQ(bytes, fileBytes(roms() + u'/' + name)) << qPrintable(name);
        }
    }
    std::sort(memberCounts.begin(), memberCounts.end());
    EXPECT_EQ(memberCounts, (QList<int>{1, 1, 2}));

    for (const char *name : {"english.cti", "leeme.txt", "readme.txt"}) {
        EXPECT_EQ(fileBytes(m_demo + u'/' + QLatin1String(name)), fileBytes(m_data + u'/' + QLatin1String(name)))
            << name;
    }

    const SettingsFile settings(m_demo + QStringLiteral("/Cartling.ini"));
    EXPECT_EQ(settings.read(Keys::Zibo), m_bin + u'/' + Places::defaultEmulatorName());
    EXPECT_EQ(settings.read(Keys::Zibod), m_bin + u'/');
    EXPECT_EQ(settings.read(Keys::Roms), roms());
}

TEST_F(DemoFolderTest, ARerunOnlyRestoresWhatIsMissing)
{
    ASSERT_EQ(prepare().exitCode, 0);

    // The user changes a ROM, a read-me and the emulator setting, and deletes a ROM.
    const QFileInfoList images = QDir(roms()).entryInfoList({QStringLiteral("*.gb")}, QDir::Files, QDir::Name);
    ASSERT_GE(images.size(), 2);
    const QString changedRom = images[0].absoluteFilePath();
    const QString deletedRom = images[1].absoluteFilePath();
    const QByteArray deletedBytes = fileBytes(deletedRom);
    writeBytes(changedRom, "patched");
    writeBytes(m_demo + QStringLiteral("/leeme.txt"), "mine");
    SettingsFile(m_demo + QStringLiteral("/Cartling.ini")).write(Keys::Zibo, QStringLiteral("/opt/zibo/zibo"));
    ASSERT_TRUE(QFile::remove(deletedRom));
    const auto before = snapshot();

    const ToolRun run = prepare();
    ASSERT_EQ(run.exitCode, 0) << run.errors.constData();

    auto after = snapshot();
    EXPECT_EQ(after.take(deletedRom).first, deletedBytes);
    EXPECT_EQ(after, before) << "nothing else was written";
    EXPECT_EQ(fileBytes(changedRom), QByteArray("patched"));
    EXPECT_EQ(SettingsFile(m_demo + QStringLiteral("/Cartling.ini")).read(Keys::Zibo),
              QStringLiteral("/opt/zibo/zibo"));

    // A third run finds everything in place.
    const auto complete = snapshot();
    ASSERT_EQ(prepare().exitCode, 0);
    EXPECT_EQ(snapshot(), complete);
}

} // namespace
