#include "TestSupport.h"

#include "platform/ErrorHandler.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QFile>

namespace {

class SettingsFileTest : public BaseFolderTest
{
protected:
    SettingsFile settings() const { return SettingsFile(path("Cartling.ini")); }
    void writeIni(const QByteArray &bytes) const { writeFile("Cartling.ini", bytes); }
    QByteArray ini() const { return readFile("Cartling.ini"); }
};

// ---- Reading ----

TEST_F(SettingsFileTest, MissingFileSectionOrKeyGivesTheDefault)
{
    EXPECT_EQ(settings().read(Keys::Troms), 3);
    EXPECT_EQ(settings().read(Keys::Dcs), ";xxxxx");
    writeIni("[Configuracion]\r\nTroms=5\r\n");
    EXPECT_EQ(settings().read(Keys::Shoots), false);
    EXPECT_EQ(settings().readString("Otra", "Troms", "d"), "d");
    EXPECT_EQ(settings().read(Keys::Troms), 5);
}

TEST_F(SettingsFileTest, NamesMatchWithoutRegardToCaseOrSurroundingBlanks)
{
    writeIni("[Directorios]\r\nZibo=/emu/zibo\r\n  [ Posicion ]  \r\n  top  = 40\r\n");
    EXPECT_EQ(settings().readString("directorios", "zibo", ""), "/emu/zibo");
    EXPECT_EQ(settings().readInteger("POSICION", "TOP", 0), 40);
}

TEST_F(SettingsFileTest, IntegersAreDecimalOrHexadecimalElseTheDefault)
{
    const struct
    {
        const char *value;
        int expected;
    } cases[] = {{"5", 5}, {"0x5", 5}, {"0X1f", 31}, {"-12", -12},      {"abc", 3},
                 {"", 3},  {"5x", 3},  {"0x", 3},    {"99999999999", 3}};
    for (const auto &c : cases) {
        writeIni(QByteArray("[Configuracion]\r\nTroms=") + c.value + "\r\n");
        EXPECT_EQ(settings().read(Keys::Troms), c.expected) << c.value;
    }
}

TEST_F(SettingsFileTest, BooleansReadAsIntegersNotZero)
{
    writeIni("[OtrasConfig]\r\nDelay=2\r\nCheckCrc=0\r\n[ZipOptions]\r\nSubdir=yes\r\nDelRom=yes\r\n");
    EXPECT_TRUE(settings().read(Keys::Delay));
    EXPECT_FALSE(settings().read(Keys::CheckCrc));
    EXPECT_TRUE(settings().read(Keys::Subdir));  // not a number: its default, true
    EXPECT_FALSE(settings().read(Keys::DelRom)); // not a number: its default, false
}

TEST_F(SettingsFileTest, LongValuesAreCutTo2047Characters)
{
    const QByteArray value(3000, 'x');
    writeIni("[Directorios]\r\nRoms=" + value + "\r\n");
    EXPECT_EQ(settings().read(Keys::Roms).size(), 2047);
}

TEST_F(SettingsFileTest, OddLinesAreToleratedAndTheFirstDuplicateCounts)
{
    // LF only, a line without "=", a value holding "=", blanks in keys, the key "?", a duplicate key,
    // junk and binary bytes.
    writeIni(QByteArray("garbage before any section\n[Video]\nno equals sign here\n"
                        "Screen update frequency=2\nColor=4\nColor=6\n[ZipOptions]\n?=1\nNivel=a=b\n") +
             QByteArray("\x01\x02\xff\xfe=\x00\x80\n", 8) + QByteArray("[Teclado]\nAutofire a=1\n"));
    const SettingsFile s = settings();
    EXPECT_EQ(s.read(Keys::ScreenUpdateFrequency), 2);
    EXPECT_EQ(s.read(Keys::Color), 4);
    EXPECT_TRUE(s.read(Keys::AskZipName));
    EXPECT_EQ(s.read(Keys::Nivel), "a=b");
    EXPECT_TRUE(s.read(Keys::AutofireA));
    EXPECT_FALSE(s.read(Keys::AutofireB));
}

TEST_F(SettingsFileTest, ValuesAreTakenExactlyAsTheyStand)
{
    writeIni("[Video]\r\ndcs= -dcs 1 \r\n");
    EXPECT_EQ(settings().read(Keys::Dcs), " -dcs 1 ");
}

TEST_F(SettingsFileTest, Windows1252AndUtf8FilesReadTheSameText)
{
    writeIni("[OtrasConfig2]\r\nArchName=espa\xf1ol.cti\r\n");
    EXPECT_EQ(settings().read(Keys::ArchName), QString::fromUtf8("español.cti"));
    writeIni("[OtrasConfig2]\r\nArchName=espa\xc3\xb1ol.cti\r\n");
    EXPECT_EQ(settings().read(Keys::ArchName), QString::fromUtf8("español.cti"));
}

TEST_F(SettingsFileTest, EveryReadSeesTheFileAsItIsNow)
{
    SettingsFile s = settings();
    writeIni("[Configuracion]\r\nTroms=1\r\n");
    EXPECT_EQ(s.read(Keys::Troms), 1);
    writeIni("[Configuracion]\r\nTroms=2\r\n");
    EXPECT_EQ(s.read(Keys::Troms), 2);
}

TEST_F(SettingsFileTest, AReadBatchStillSeesItsOwnWritesAndOtherProgramsChanges)
{
    const SettingsFile::ReadBatch batch;
    SettingsFile s = settings();
    writeIni("[Configuracion]\r\nTroms=1\r\n");
    EXPECT_EQ(s.read(Keys::Troms), 1);
    s.write(Keys::Troms, 2);
    EXPECT_EQ(s.read(Keys::Troms), 2);
    writeIni("[Configuracion]\r\nTroms=30\r\n"); // rewritten in place by another program
    EXPECT_EQ(s.read(Keys::Troms), 30);
    QFile::remove(s.path());
    EXPECT_EQ(s.read(Keys::Troms), 3);
}

// ---- Writing ----

TEST_F(SettingsFileTest, AWriteCreatesTheFile)
{
    SettingsFile s = settings();
    s.write(Keys::Troms, 4);
    EXPECT_EQ(ini(), "[Configuracion]\r\nTroms=4\r\n");
}

TEST_F(SettingsFileTest, AWriteReplacesInPlaceAppendsKeysToTheirSectionAndSectionsToTheEnd)
{
    writeIni("; hand-written\r\n[Posicion]\r\ntop=1\r\nleft=2\r\n\r\n[Video]\r\nColor=3\r\n");
    SettingsFile s = settings();
    s.writeInteger("posicion", "LEFT", 20);
    s.write(Keys::Top2, 86);
    s.write(Keys::Joyset, 5);
    EXPECT_EQ(ini(), "; hand-written\r\n[Posicion]\r\ntop=1\r\nleft=20\r\ntop2=86\r\n\r\n[Video]\r\nColor=3\r\n"
                     "\r\n[Joystick]\r\nJoyset=5\r\n");
}

TEST_F(SettingsFileTest, WritingWithOtherCaseOrBlanksChangesTheExistingKey)
{
    writeIni("[directorios]\n roms = /old\n");
    SettingsFile s = settings();
    s.write(Keys::Roms, "/new");
    EXPECT_EQ(s.read(Keys::Roms), "/new");
    EXPECT_EQ(ini(), "[directorios]\r\n roms =/new\r\n");
}

TEST_F(SettingsFileTest, NothingIsEverDeleted)
{
    const QByteArray original("junk line\r\n[A]\r\nx=1\r\nno equals\r\nx=2\r\n[a]\r\ny=3\r\n");
    writeIni(original);
    SettingsFile s = settings();
    s.writeString("A", "x", "9");
    EXPECT_EQ(ini(), "junk line\r\n[A]\r\nx=9\r\nno equals\r\nx=2\r\n[a]\r\ny=3\r\n");
}

TEST_F(SettingsFileTest, BooleansAndTheQuestionMarkKeyAreWritten)
{
    SettingsFile s = settings();
    s.write(Keys::AskZipName, true);
    s.write(Keys::Subdir, false);
    s.write(Keys::AutofireA, true);
    EXPECT_EQ(ini(), "[ZipOptions]\r\n?=1\r\nSubdir=0\r\n\r\n[Teclado]\r\nAutofire a=1\r\n");
    EXPECT_TRUE(s.read(Keys::AskZipName));
    EXPECT_FALSE(s.read(Keys::Subdir));
}

TEST_F(SettingsFileTest, AValueHoldingEqualsSignsRoundTrips)
{
    SettingsFile s = settings();
    s.write(Keys::FondoF, "/pics/a=b=c.bmp");
    EXPECT_EQ(s.read(Keys::FondoF), "/pics/a=b=c.bmp");
}

TEST_F(SettingsFileTest, AWindows1252FileIsWrittenBackByteForByte)
{
    const QByteArray original("[OtrasConfig2]\r\nArchName=espa\xf1ol.cti\r\nq=75\r\n");
    writeIni(original);
    SettingsFile s = settings();
    s.write(Keys::Quality, 75);
    EXPECT_EQ(ini(), original);
    s.write(Keys::Roms, QString::fromUtf8("/roms/Pokémon ★"));
    EXPECT_EQ(s.read(Keys::Roms), QString::fromUtf8("/roms/Pokémon ★"));
    EXPECT_EQ(s.read(Keys::ArchName), QString::fromUtf8("español.cti"));
}

// A folder name on Linux may hold a line break; it must not add lines to the file.
TEST_F(SettingsFileTest, ALineBreakInAValueIsRefusedAndTheFileStaysAsItWas)
{
    const QByteArray original("[Directorios]\r\nRoms=/roms\r\n");
    writeIni(original);
    SettingsFile s = settings();
    EXPECT_THROW(s.write(Keys::Roms, "/evil\n[Configuracion]\nTroms=9"), CartlingError);
    EXPECT_THROW(s.write(Keys::Roms, "/evil\rx"), CartlingError);
    EXPECT_EQ(ini(), original);
}

TEST_F(SettingsFileTest, AReadOnlyFileRefusesTheWriteWithTheSettingsPath)
{
    const QByteArray original("[Configuracion]\r\nTroms=1\r\n");
    writeIni(original);
    QFile::setPermissions(path("Cartling.ini"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    SettingsFile s = settings();
    try {
        s.write(Keys::Troms, 2);
        FAIL() << "the write went through";
    } catch (const CartlingError &error) {
        EXPECT_EQ(error.text(), "Unable to write to " + path("Cartling.ini"));
    }
    EXPECT_EQ(ini(), original);
    EXPECT_EQ(s.read(Keys::Troms), 1);
}

TEST_F(SettingsFileTest, AFolderWithoutWriteAccessRefusesTheWrite)
{
    makeFolder("locked");
    QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    SettingsFile s(path("locked/Cartling.ini"));
    EXPECT_THROW(s.write(Keys::Troms, 2), CartlingError);
    EXPECT_FALSE(QFile::exists(path("locked/Cartling.ini")));
}

TEST_F(SettingsFileTest, AGuardedHandlerStopsAtTheRefusedWriteAndShowsIt)
{
    writeIni("[Configuracion]\r\nTroms=1\r\n");
    QFile::setPermissions(path("Cartling.ini"), QFileDevice::ReadOwner);
    bool reachedEnd = false;
    auto handler = guarded([&] {
        SettingsFile s(path("Cartling.ini"));
        s.write(Keys::Troms, 2);
        reachedEnd = true;
    });
    handler();
    EXPECT_FALSE(reachedEnd);
    ASSERT_EQ(m_messages.errors.size(), 1);
    EXPECT_EQ(m_messages.errors[0], "Unable to write to " + path("Cartling.ini"));
}

} // namespace
