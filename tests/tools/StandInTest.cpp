#include "TestSupport.h"
#include "ToolTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList strings(const QJsonArray &array)
{
    QStringList list;
    for (const QJsonValue &value : array)
        list.append(value.toString());
    return list;
}

// A copy of the stand-in in a temporary folder, so Zibo.cfg and screenshots stay inside the test.
class StandInTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.isValid());
        m_root = QFileInfo(m_temp.path()).canonicalFilePath();
        for (const char *folder : {"emulator", "roms", "work"})
            ASSERT_TRUE(QDir(m_root).mkpath(QString::fromLatin1(folder)));
        m_program = m_root + QStringLiteral("/emulator/") + QFileInfo(QStringLiteral(ZIBO_PROGRAM)).fileName();
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZIBO_PROGRAM), m_program));
        m_record = m_root + QStringLiteral("/record.jsonl");
    }

    QString emulatorFile(const QString &name) const { return m_root + QStringLiteral("/emulator/") + name; }
    QString rom(const QString &name) const { return m_root + QStringLiteral("/roms/") + name; }
    QString work() const { return m_root + QStringLiteral("/work"); }

    ToolRun record(const QStringList &arguments)
    {
        return runTool(m_program, arguments, work(), {{QStringLiteral("ZIBO_STANDIN_RECORD"), m_record}});
    }

    QList<QJsonObject> records() const
    {
        QList<QJsonObject> list;
        for (const QByteArray &line : fileBytes(m_record).split('\n')) {
            if (!line.isEmpty())
                list.append(QJsonDocument::fromJson(line).object());
        }
        return list;
    }

    QTemporaryDir m_temp;
    QString m_root;
    QString m_program;
    QString m_record;
};

TEST_F(StandInTest, RecordsEachArgumentUnchangedAndTheExactConfiguration)
{
    const QString romPath = rom(QStringLiteral("Harbor \"Lights\" 2 ; it's.gbc"));
    writeBytes(romPath, romImage("HARBOR LIGHTS 2\x80"));
    // CR LF lines, a line of one blank, a Windows-1252 byte and a cheat line, as the front-end writes them.
    const QByteArray config(";*** Zibo ***\r\n-verbose 0\r\n \r\n\r\n-bg C:\\Fondo \xD1.bmp\r\n-cheat 00A-17B-C49\r\n");
    writeBytes(emulatorFile(QStringLiteral("Zibo.cfg")), config);

    const QStringList arguments{romPath,
                                QStringLiteral("$(touch x)"),
                                QStringLiteral(";"),
                                QStringLiteral("\"quoted\" and 'single'"),
                                QStringLiteral("Ñandú año"),
                                QStringLiteral("-style"),
                                QString()};
    ASSERT_EQ(record(arguments).exitCode, 0);
    ASSERT_EQ(record({romPath}).exitCode, 0);

    const QList<QJsonObject> lines = records();
    ASSERT_EQ(lines.size(), 2); // appended, one line per start
    const QJsonObject &first = lines[0];
    EXPECT_EQ(strings(first.value(QStringLiteral("arguments")).toArray()), arguments);
    EXPECT_EQ(QByteArray::fromBase64(first.value(QStringLiteral("config")).toString().toLatin1()), config);
    EXPECT_EQ(first.value(QStringLiteral("configPath")).toString(), emulatorFile(QStringLiteral("Zibo.cfg")));
    EXPECT_EQ(first.value(QStringLiteral("workingFolder")).toString(), work());
    // The colour flag 0x80 in the last title byte reads as a trailing blank.
    EXPECT_EQ(first.value(QStringLiteral("title")).toString(), QStringLiteral("HARBOR LIGHTS 2 "));
    EXPECT_EQ(lines[1].value(QStringLiteral("arguments")).toArray(), QJsonArray{romPath});

    // Nothing went through a shell.
    EXPECT_FALSE(QFileInfo::exists(work() + QStringLiteral("/x")));
    EXPECT_FALSE(QFileInfo::exists(emulatorFile(QStringLiteral("x"))));
}

// Without a readable header the window shows the file name; a missing Zibo.cfg is recorded as null.
TEST_F(StandInTest, ArchivesShowTheTitleOfTheirFirstRomOtherwiseTheFileName)
{
    writeArchive(rom(QStringLiteral("pack.zip")), {{QStringLiteral("notes.txt"), QByteArray("hello")},
                                                   {QStringLiteral("inner/First.GBC"), romImage("FIRST ONE")},
                                                   {QStringLiteral("second.gb"), romImage("SECOND ONE")}});
    writeArchive(rom(QStringLiteral("empty.zip")), {{QStringLiteral("notes.txt"), QByteArray("hello")}});
    writeBytes(rom(QStringLiteral("broken.zip")), QByteArray("PK not really an archive"));

    for (const char *name : {"pack.zip", "empty.zip", "broken.zip", "gone.gb"})
        ASSERT_EQ(record({rom(QString::fromLatin1(name))}).exitCode, 0) << name;

    const QList<QJsonObject> lines = records();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].value(QStringLiteral("config")).isNull());
    EXPECT_EQ(lines[0].value(QStringLiteral("title")).toString(), QStringLiteral("FIRST ONE"));
    EXPECT_EQ(lines[1].value(QStringLiteral("title")).toString(), QStringLiteral("empty.zip"));
    EXPECT_EQ(lines[2].value(QStringLiteral("title")).toString(), QStringLiteral("broken.zip"));
    EXPECT_EQ(lines[3].value(QStringLiteral("title")).toString(), QStringLiteral("gone.gb"));
    EXPECT_FALSE(lines[3].value(QStringLiteral("titleProblem")).toString().isEmpty());
}

TEST_F(StandInTest, ShotModeWritesA24BitScreenBitmapWithoutADisplay)
{
    writeBytes(rom(QStringLiteral("game.gb")), romImage("MOONLIT MAZE"));
    const ToolRun run = runTool(m_program, {rom(QStringLiteral("game.gb"))}, work(),
                                {{QStringLiteral("ZIBO_STANDIN_SHOT"), QStringLiteral("1")}});
    ASSERT_EQ(run.exitCode, 0) << run.errors.constData();

    const QByteArray bmp = fileBytes(emulatorFile(QStringLiteral("ZIBO0000.BMP")));
    ASSERT_GE(bmp.size(), 54);
    const auto le = [&bmp](int at, int bytes) {
        qint64 value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(bmp[at + i]);
        return value;
    };
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(le(18, 4), 160);
    EXPECT_EQ(le(22, 4), 144);
    EXPECT_EQ(le(28, 2), 24);
    EXPECT_EQ(bmp.size(), 54 + 160 * 3 * 144);
    const QImage image = QImage::fromData(bmp, "BMP");
    EXPECT_EQ(image.size(), QSize(160, 144));

    // Written whole: nothing but the program and the bitmap is left in the folder.
    EXPECT_EQ(QDir(m_root + QStringLiteral("/emulator")).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_FALSE(QFileInfo::exists(work() + QStringLiteral("/ZIBO0000.BMP")));
}

} // namespace
