#include "RandomText.h"
#include "TestSupport.h"

#include "emulator/ConfigTemplate.h"
#include "platform/ErrorHandler.h"
#include "platform/TextEncoding.h"

#include <QFile>
#include <QRandomGenerator>

namespace {

using ConfigTemplateTest = BaseFolderTest;

// The file a fresh installation gives the emulator before any option window has written its slots.
QByteArray initialFile()
{
    QByteArray bytes;
    const QStringList lines = ConfigTemplate::initialLines();
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

TEST_F(ConfigTemplateTest, TheInitialLinesHoldTheFixedOptionsInTheirSlots)
{
    const ConfigTemplate t;
    ASSERT_EQ(t.lines().size(), 59);
    EXPECT_EQ(t.line(0), ";***********  Zibo Archivo de Configuracion  ************");
    EXPECT_EQ(t.line(0).size(), 57);
    EXPECT_TRUE(t.line(1).startsWith(";" + QString(32, ' ')));
    EXPECT_TRUE(t.line(2).startsWith(";" + QString(13, ' ')));
    const std::map<int, QString> fixed{{3, "-verbose 0"}, {4, "-sound 1"},
                                       {5, "-uperiod 0"}, {6, "-keys [LEFT][RIGHT][UP][DOWN][A][S][ENTER][RSHIFT] "},
                                       {11, "-2pj"},      {24, "-nodelay"},
                                       {26, "-nocrc"},    {33, "-csw"},
                                       {54, "-captsw"}};
    for (int slot = 3; slot < 59; ++slot) {
        const auto it = fixed.find(slot);
        EXPECT_EQ(t.line(slot), it == fixed.end() ? QString() : it->second) << "slot " << slot;
    }
}

TEST_F(ConfigTemplateTest, SavingWritesFiftyNineCrLfLinesWithBlankAndEmptySlotsKept)
{
    ConfigTemplate t;
    t.replace(9, " ");
    t.replace(35, "-cheat 00A-17B-C49");
    t.replace(14, QString::fromUtf8("-keys [Ñ]"));
    t.replace(50, "-rtsdir /mis\ncarpetas/"); // a folder name holding a line break stays one line
    t.saveAs(path("Zibo.cfg"));
    const QByteArray bytes = readFile("Zibo.cfg");
    EXPECT_EQ(bytes.count("\r\n"), 59);
    EXPECT_EQ(bytes.count('\n'), 59);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_FALSE(bytes.startsWith("\xef\xbb\xbf"));
    const QList<QByteArray> lines = bytes.split('\n');
    EXPECT_EQ(lines[9], " \r");
    EXPECT_EQ(lines[10], "\r");
    EXPECT_EQ(lines[14], "-keys [\xd1]\r");
    EXPECT_EQ(lines[35], "-cheat 00A-17B-C49\r");
    EXPECT_EQ(lines[50], "-rtsdir /mis carpetas/\r");
}

// Every slot from the first to the last takes its text; a number outside them changes nothing.
TEST_F(ConfigTemplateTest, EachSlotFromTheFirstToTheLastIsReplacedAndNoOtherNumber)
{
    const int last = ConfigTemplate::SlotCount - 1;
    for (int slot : {-1, 0, 1, last, last + 1}) {
        ConfigTemplate t;
        const QStringList before = t.lines();
        t.replace(slot, "-x");
        QStringList expected = before;
        if (slot >= 0 && slot <= last)
            expected[slot] = "-x";
        EXPECT_EQ(t.lines(), expected) << "slot " << slot;
    }
}

// A folder typed by hand without its separator once put Zibo.cfg beside the folder ("/emuZibo.cfg").
TEST_F(ConfigTemplateTest, TheFileGoesIntoTheStoredFolderWithOrWithoutItsSeparator)
{
    EXPECT_EQ(ConfigTemplate::fileIn("/emu/"), "/emu/Zibo.cfg");
    EXPECT_EQ(ConfigTemplate::fileIn("/emu"), "/emu/Zibo.cfg");
    EXPECT_EQ(ConfigTemplate::fileIn(""), "Zibo.cfg");
}

TEST_F(ConfigTemplateTest, SavingTwiceGivesTheSameFile)
{
    ConfigTemplate t;
    t.saveAs(path("a.cfg"));
    t.saveAs(path("b.cfg"));
    EXPECT_EQ(readFile("a.cfg"), readFile("b.cfg"));
    EXPECT_EQ(readFile("a.cfg"), initialFile());
}

TEST_F(ConfigTemplateTest, AFileThatCannotBeWrittenRaisesTheErrorAndKeepsTheOldFile)
{
    writeFile("Zibo.cfg", "old");
    QFile::setPermissions(path("Zibo.cfg"), QFileDevice::ReadOwner);
    ConfigTemplate t;
    try {
        t.saveAs(path("Zibo.cfg"));
        FAIL() << "saved over a read-only file";
    } catch (const CartlingError &error) {
        EXPECT_EQ(error.text(), "Cannot create file " + path("Zibo.cfg"));
    }
    EXPECT_EQ(readFile("Zibo.cfg"), "old");
    EXPECT_THROW(t.saveAs(path("missing/Zibo.cfg")), CartlingError);
}

// Zibo.cfg went out as UTF-8 with a mark once a slot held a character outside Windows-1252 (a recording name
// "łódź"): "Ñ" then reached the emulator as two bytes and line 0 no longer began with ";".
TEST_F(ConfigTemplateTest, TheFileIsAlwaysWindows1252AndALineThatDoesNotFitStaysEmpty)
{
    QRandomGenerator random(59);
    for (int round = 0; round < 200; ++round) {
        ConfigTemplate t;
        t.replace(14, QString::fromUtf8("-keys [Ñ]"));
        t.replace(46, QString::fromUtf8("-logsnd łódź.snd "));
        const Characters from = round % 2 ? Characters::Unicode : Characters::Windows1252;
        for (int i = 0; i < 5; ++i)
            t.replace(3 + random.bounded(56), randomText(random, from, 40, true));
        t.saveAs(path("Zibo.cfg"));
        const QList<QByteArray> lines = readFile("Zibo.cfg").split('\n');
        ASSERT_EQ(lines.size(), 60);
        ASSERT_TRUE(lines[0].startsWith(';'));
        for (int slot = 0; slot < 59; ++slot) {
            const QString &line = t.line(slot);
            const QByteArray expected = TextEncoding::fitsWindows1252(line) ? TextEncoding::toWindows1252(line) : "";
            ASSERT_EQ(lines[slot], expected + '\r') << round << " slot " << slot;
        }
    }
}

} // namespace
