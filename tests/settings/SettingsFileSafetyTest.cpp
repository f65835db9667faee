// The settings file against hostile and unusual files: exact round trips in every encoding, links, pipes,
// huge files, failing writes and a second Cartling writing at the same time.
#include "RandomText.h"
#include "TestSupport.h"

#include "platform/ErrorHandler.h"
#include "platform/TextEncoding.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <sys/stat.h>

namespace {

class SettingsSafetyTest : public BaseFolderTest
{
protected:
    SettingsFile settings() const { return SettingsFile(path("Cartling.ini")); }
    void writeIni(const QByteArray &bytes) const { writeFile("Cartling.ini", bytes); }
    QByteArray ini() const { return readFile("Cartling.ini"); }
    QString writeError(const QString &value = QStringLiteral("1"))
    {
        try {
            settings().writeString("Video", "Color", value);
        } catch (const CartlingError &error) {
            return error.text();
        }
        return {};
    }
};

// ---- Exact round trips ----

// Writing "Weiß“" stored DF 93, valid UTF-8, so the next read gave "Weiߓ"; a UTF-8 file holding "PokÃ©mon"
// was written back as Windows-1252 by an unrelated write and then read as "Pokémon".
TEST_F(SettingsSafetyTest, EveryValueReadsBackAsWritten)
{
    settings().writeString("Directorios", "Roms", QString::fromUtf8("/juegos/Weiß“"));
    EXPECT_EQ(settings().readString("Directorios", "Roms", ""), QString::fromUtf8("/juegos/Weiß“"));

    writeIni(QString::fromUtf8("[Directorios]\r\nRoms=/PokÃ©mon\r\n").toUtf8());
    settings().write(Keys::Troms, 2);
    EXPECT_EQ(settings().read(Keys::Roms), QString::fromUtf8("/PokÃ©mon"));
    EXPECT_EQ(ini(),
              QString::fromUtf8("[Directorios]\r\nRoms=/PokÃ©mon\r\n\r\n[Configuracion]\r\nTroms=2\r\n").toUtf8());
}

TEST_F(SettingsSafetyTest, RandomValuesRoundTripInEveryStartingEncoding)
{
    const QByteArray starts[] = {
        {},                                                           // no file
        "[Video]\r\nColor=\xf1\r\n",                                  // Windows-1252
        "[Video]\r\nColor=\xc3\xb1\r\n",                              // UTF-8
        "\xef\xbb\xbf[Video]\r\nColor=x\r\n",                         // UTF-8 with its mark
        QByteArray("\xff\xfe[\0V\0]\0\r\0\n\0C\0=\0x\0\r\0\n\0", 22), // UTF-16
    };
    QRandomGenerator random(2047);
    for (const QByteArray &start : starts) {
        QFile::remove(path("Cartling.ini"));
        if (!start.isEmpty())
            writeIni(start);
        QMap<QString, QString> written;
        SettingsFile s = settings();
        for (int i = 0; i < 30; ++i) {
            const QString key = QStringLiteral("k%1").arg(random.bounded(20));
            const QString value = randomText(random, i % 2 ? Characters::Unicode : Characters::Windows1252, 30);
            s.writeString(QStringLiteral("S%1").arg(i % 3), key, value);
            written[QStringLiteral("S%1/").arg(i % 3) + key] = value;
        }
        for (auto it = written.cbegin(); it != written.cend(); ++it) {
            const QStringList name = it.key().split(u'/');
            ASSERT_EQ(s.readString(name[0], name[1], "?"), it.value()) << start.toHex().constData();
        }
    }
}

TEST_F(SettingsSafetyTest, KeysNobodyWroteKeepTheirBytes)
{
    for (const QByteArray &original : {QByteArray("[OtrasConfig2]\r\nArchName=espa\xf1ol.cti\r\nx=\x80\x93\r\n"),
                                       QByteArray("[OtrasConfig2]\r\nArchName=espa\xc3\xb1ol.cti\r\n"),
                                       QByteArray("\xef\xbb\xbf\r\n[OtrasConfig2]\r\nArchName=\xc3\xb1\r\n")}) {
        writeIni(original);
        settings().write(Keys::Quality, 80);
        EXPECT_EQ(ini(), original + "q=80\r\n");
    }
}

// A mark followed by one byte that is no UTF-8 made the mark part of the first header, and a write then
// appended a second copy of that section. The mark goes on a line of its own, so an older Windows reader does
// not take it for part of "[Video]" either.
TEST_F(SettingsSafetyTest, AUtf8MarkIsAlwaysRecognised)
{
    writeIni("\xef\xbb\xbf[Video]\r\nColor=3\r\ndcs=\xf1\r\n");
    EXPECT_EQ(settings().read(Keys::Color), 3);
    settings().write(Keys::Color, 4);
    EXPECT_EQ(ini(), "\xef\xbb\xbf\r\n[Video]\r\nColor=4\r\ndcs=\xc3\xb1\r\n");
    EXPECT_EQ(settings().read(Keys::Color), 4);
}

// A UTF-16 file, as Windows' own settings functions and Notepad write it, with or without its mark, read as all
// defaults and the first write corrupted it.
TEST_F(SettingsSafetyTest, Utf16FilesAreReadAndWrittenBackInUtf16)
{
    using TextEncoding::Encoding;
    for (const Encoding encoding :
         {Encoding::Utf16LE, Encoding::Utf16BE, Encoding::Utf16LEWithoutMark, Encoding::Utf16BEWithoutMark}) {
        writeIni(TextEncoding::encodeAs(QString::fromUtf8("[Configuracion]\r\nTroms=5\r\n"), encoding).bytes);
        EXPECT_EQ(settings().read(Keys::Troms), 5);
        settings().write(Keys::Roms, QString::fromUtf8("/ポケモン"));
        EXPECT_EQ(ini(), TextEncoding::encodeAs(
                             QString::fromUtf8("[Configuracion]\r\nTroms=5\r\n\r\n[Directorios]\r\nRoms=/ポケモン\r\n"),
                             encoding)
                             .bytes);
    }
}

// Text in which no section reads (another encoding, another kind of file) is left alone, and said so.
TEST_F(SettingsSafetyTest, AFileOfWhichNothingReadsIsNeverWritten)
{
    const QByteArray utf32("\0\0\0[\0\0\0V\0\0\0]\0\0\0\r\0\0\0\n", 20);
    writeIni(utf32);
    EXPECT_TRUE(writeError().contains(path("Cartling.ini"))) << qPrintable(writeError());
    EXPECT_EQ(ini(), utf32);
}

// ---- Links, pipes and huge files ----

TEST_F(SettingsSafetyTest, ALinkedSettingsFileIsWrittenAtItsTarget)
{
    makeFolder("dotfiles");
    writeFile("dotfiles/Cartling.ini", "[Configuracion]\nTroms=1\n");
    ASSERT_TRUE(QFile::link(path("dotfiles/Cartling.ini"), path("Cartling.ini")));
    settings().write(Keys::Troms, 2);
    EXPECT_TRUE(QFileInfo(path("Cartling.ini")).isSymbolicLink());
    EXPECT_EQ(readFile("dotfiles/Cartling.ini"), "[Configuracion]\r\nTroms=2\r\n");
    EXPECT_EQ(folderEntries(path("dotfiles")), QStringList{"Cartling.ini"});
    EXPECT_EQ(folderEntries(m_base), (QStringList{"Cartling.ini", "dotfiles"})); // no lock file left

    // The read-only check looks at the target, not at the link's folder.
    QFile::setPermissions(path("dotfiles/Cartling.ini"), QFileDevice::ReadOwner);
    EXPECT_EQ(writeError(), "Unable to write to " + path("Cartling.ini"));
}

TEST_F(SettingsSafetyTest, ALinkToNothingMakesNoFile)
{
    makeFolder("elsewhere");
    ASSERT_TRUE(QFile::link(path("elsewhere/Cartling.ini"), path("Cartling.ini")));
    EXPECT_EQ(settings().read(Keys::Troms), 3);
    EXPECT_EQ(writeError(), "Unable to write to " + path("Cartling.ini") + ": it is a symbolic link to no file.");
    EXPECT_TRUE(folderEntries(path("elsewhere")).isEmpty());
}

TEST_F(SettingsSafetyTest, PipesDevicesAndHugeFilesReadAsDefaultsAndRefuseWrites)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("Cartling.ini")).constData(), 0600), 0);
    EXPECT_EQ(settings().read(Keys::Troms), 3); // at once, not waiting for a writer
    EXPECT_EQ(writeError(), "Unable to write to " + path("Cartling.ini") + ": it is not a regular file.");
    QFile::remove(path("Cartling.ini"));

    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path("Cartling.ini")));
    EXPECT_EQ(settings().read(Keys::Troms), 3);
    EXPECT_EQ(writeError(), "Unable to write to " + path("Cartling.ini") + ": it is not a regular file.");
    QFile::remove(path("Cartling.ini"));

    QByteArray huge("[Video]\r\nColor=3\r\n");
    while (huge.size() <= 5 * 1024 * 1024)
        huge += "x=1\r\n";
    writeIni(huge);
    EXPECT_EQ(settings().read(Keys::Color), 0);
    EXPECT_EQ(writeError(), "Unable to write to " + path("Cartling.ini") + ": it is larger than 4 MiB.");
    EXPECT_EQ(ini(), huge);
}

// ---- Failing writes and concurrent writers ----

TEST_F(SettingsSafetyTest, AFailingWriteLeavesTheOldFileByteForByte)
{
    QByteArray old("[Video]\r\nColor=1\r\n");
    for (int i = 0; i < 200; ++i)
        old += "k" + QByteArray::number(i) + "=" + QByteArray(20, 'v') + "\r\n";
    writeIni(old);
    {
        const FileSizeLimit fullDisk(old.size() / 2);
        EXPECT_TRUE(writeError().startsWith("Unable to write to " + path("Cartling.ini") + ": "));
    }
    EXPECT_EQ(ini(), old);
    EXPECT_EQ(folderEntries(m_base), QStringList{"Cartling.ini"});
}

// Two Cartlings on one base folder, 150 writes each, kept 227 of the 300 keys.
TEST_F(SettingsSafetyTest, TwoProcessesWritingAtOnceLoseNothing)
{
    const QString writer = QStringLiteral(CARTLING_BIN_DIR "/settings_writer");
    QProcess first;
    QProcess second;
    first.start(writer, {path("Cartling.ini"), "a", "150"});
    second.start(writer, {path("Cartling.ini"), "b", "150"});
    for (QProcess *process : {&first, &second}) {
        ASSERT_TRUE(process->waitForFinished(120000));
        EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().constData();
    }
    const SettingsFile s = settings();
    int kept = 0;
    for (int i = 0; i < 150; ++i) {
        kept += s.readInteger("Prueba", "a" + QString::number(i), -1) == i;
        kept += s.readInteger("Prueba", "b" + QString::number(i), -1) == i;
    }
    EXPECT_EQ(kept, 300);
    EXPECT_EQ(folderEntries(m_base), QStringList{"Cartling.ini"});
}

// A writer killed just after making its lock file leaves it empty, naming no process; writes were then refused
// for half a minute. Such a lock is taken over once it is a few seconds old.
TEST_F(SettingsSafetyTest, AnEmptyLockFileLeftByAKilledWriterIsTakenOver)
{
    writeFile("Cartling.ini.lock", "");
    QFile lock(path("Cartling.ini.lock"));
    ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-8), QFileDevice::FileModificationTime));
    lock.close();
    settings().write(Keys::Color, 5);
    EXPECT_EQ(settings().read(Keys::Color), 5);
    EXPECT_EQ(folderEntries(m_base), QStringList{"Cartling.ini"});
}

} // namespace
