#include "MainWindowFixture.h"

#include "emulator/ConfigTemplate.h"
#include "gamegenie/GameGenieDialog.h"
#include "mainwindow/Windows.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

QByteArray templateBytes(const ConfigTemplate &t)
{
    QByteArray bytes;
    for (const QString &line : t.lines())
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

class Launch : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        makeFolder("emu");
        writeFile("emu/zibo", "#!/bin/sh\n");
        makeFolder("roms");
        writeFile("roms/Tetris.gb", "rom");
        writeFile("roms/Pack.zip", "zip");
    }

    void storeEmulator(const QString &program, const QString &folder) const
    {
        writeSettings("[Directorios]\r\nZibo=" + program.toUtf8() + "\r\nZibod=" + folder.toUtf8() +
                      "\r\nRoms=" + path("roms").toUtf8() + "\r\n");
    }
};

TEST_F(Launch, WritesZiboCfgIntoTheEmulatorFolderAndStartsTheRomAsOneArgument)
{
    storeEmulator(path("emu/zibo"), path("emu/"));
    start();
    clickEntry("Tetris.gb");
    item("Jugar1")->trigger();
    EXPECT_TRUE(main().screenshots().timer()->isActive());
    EXPECT_EQ(main().screenshots().timer()->interval(), 700);
    EXPECT_EQ(readFile("emu/Zibo.cfg"), templateBytes(main().session().configTemplate()));
    ASSERT_EQ(m_starter.starts.size(), 1);
    EXPECT_EQ(m_starter.starts[0].program, path("emu/zibo"));
    EXPECT_EQ(m_starter.starts[0].arguments, QStringList{path("roms/Tetris.gb")});
    EXPECT_EQ(m_starter.starts[0].workingFolder, path("roms"));
    EXPECT_EQ(main().session().commandLinePreview(), path("emu/zibo") + " \"" + path("roms/Tetris.gb") + "\"");
    EXPECT_TRUE(m_messages.shown.isEmpty());

    // A ZIP entry goes to the emulator unchanged; two launches start two emulators.
    clickEntry("Pack.zip");
    item("Jugar1")->trigger();
    ASSERT_EQ(m_starter.starts.size(), 2);
    EXPECT_EQ(m_starter.starts[1].arguments, QStringList{path("roms/Pack.zip")});
}

TEST_F(Launch, AMissingEmulatorIsReportedAndOnlyTheScreenshotWatchStarts)
{
    storeEmulator(path("emu/gone"), path("emu/"));
    start();
    clickEntry("Tetris.gb");
    item("Jugar1")->trigger();
    EXPECT_EQ(m_messages.shown,
              QStringList{QString::fromUtf8("No se encuentra Zibo.exe...Use el menú para localizarlo, (Crtl+D)")});
    EXPECT_TRUE(main().screenshots().timer()->isActive());
    EXPECT_FALSE(QFile::exists(path("emu/Zibo.cfg")));
    EXPECT_TRUE(m_starter.starts.isEmpty());
}

TEST_F(Launch, AMissingEmulatorFolderIsReportedAndNothingWrittenOrStarted)
{
    storeEmulator(path("emu/zibo"), "/no/such/emu/");
    start();
    clickEntry("Tetris.gb");
    item("Jugar1")->trigger();
    EXPECT_EQ(m_messages.shown,
              QStringList{QString::fromUtf8("Imposible crear zibo.cfg, el directorio \"/no/such/emu/\" no existe")});
    EXPECT_TRUE(m_starter.starts.isEmpty());
}

TEST_F(Launch, AReadOnlyZiboCfgIsReportedAndNothingStarted)
{
    storeEmulator(path("emu/zibo"), path("emu/"));
    writeFile("emu/Zibo.cfg", "old");
    QFile::setPermissions(path("emu/Zibo.cfg"), QFileDevice::ReadOwner);
    start();
    clickEntry("Tetris.gb");
    item("Jugar1")->trigger();
    EXPECT_EQ(m_messages.errors, QStringList{"Cannot create file " + path("emu/Zibo.cfg")});
    EXPECT_EQ(readFile("emu/Zibo.cfg"), "old");
    EXPECT_TRUE(m_starter.starts.isEmpty());
}

TEST_F(Launch, WithoutAStoredEmulatorTheOneInTheRomFolderIsUsed)
{
    writeSettings("[Directorios]\r\nRoms=" + path("roms").toUtf8() + "\r\n");
    writeFile("roms/zibo", "#!/bin/sh\n");
    start();
    clickEntry("Tetris.gb");
    item("Jugar1")->trigger();
    ASSERT_EQ(m_starter.starts.size(), 1);
    EXPECT_EQ(m_starter.starts[0].program, path("roms/zibo"));
    EXPECT_TRUE(main().session().commandLinePreview().startsWith("zibo \""));
    EXPECT_TRUE(QFile::exists(path("Zibo.cfg"))); // the base folder
}

TEST_F(Launch, OnlyActiveCodesOfSevenCharactersOrMoreReachZiboCfg)
{
    storeEmulator(path("emu/zibo"), path("emu/"));
    start();
    clickEntry("Tetris.gb"); // a selection loads the game's rows, so the rows are typed after it
    GameGenieDialog &codes = *windows().gameGenieDialog;
    codes.code(1)->setText("ABC-DEF");
    codes.box(1)->setChecked(true);
    codes.code(2)->setText("123");
    codes.box(2)->setChecked(true);
    codes.code(3)->setText("01A-B2C-D3E");
    main().gameGenieSwitch()->setChecked(true);
    item("Jugar1")->trigger();
    const QList<QByteArray> lines = readFile("emu/Zibo.cfg").split('\n');
    EXPECT_EQ(lines[35], "-cheat ABC-DEF\r");
    EXPECT_EQ(lines[36], "\r");
    EXPECT_EQ(lines[37], "\r");
    EXPECT_FALSE(codes.box(2)->isChecked());
    EXPECT_TRUE(codes.box(1)->isChecked());

    // With the switch off the cheat lines are empty whatever the rows hold.
    main().gameGenieSwitch()->setChecked(false);
    item("Jugar1")->trigger();
    EXPECT_EQ(readFile("emu/Zibo.cfg").split('\n')[35], "\r");
}

TEST_F(Launch, TheGameGenieSwitchWritesZiboCfgAtOnce)
{
    storeEmulator(path("emu/zibo"), path("emu/"));
    start();
    windows().gameGenieDialog->code(4)->setText("ABC-DEF-GHI");
    windows().gameGenieDialog->box(4)->setChecked(true);
    QTest::mouseClick(main().gameGenieSwitch(), Qt::LeftButton);
    EXPECT_EQ(readFile("emu/Zibo.cfg").split('\n')[38], "-cheat ABC-DEF-GHI\r");
    QTest::mouseClick(main().gameGenieSwitch(), Qt::LeftButton);
    EXPECT_EQ(readFile("emu/Zibo.cfg").split('\n')[38], "\r");
}

// An emulator installed for the whole system lives in a folder the user cannot write (/usr/games/): every
// launch stopped with "Cannot create file /usr/games/Zibo.cfg".
TEST_F(Launch, AnEmulatorFolderTheUserCannotWriteGetsZiboCfgInTheBaseFoldersZiboFolder)
{
    storeEmulator(path("emu/zibo"), path("emu/"));
    QFile::setPermissions(path("emu"), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                           QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
    start();
    clickEntry("Tetris.gb");
    item("Jugar1")->trigger();
    EXPECT_TRUE(m_messages.errors.isEmpty()) << qPrintable(m_messages.errors.join(u'\n'));
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(path("emu/Zibo.cfg")));
    EXPECT_EQ(readFile("Zibo/Zibo.cfg"), templateBytes(main().session().configTemplate()));
    ASSERT_EQ(m_starter.starts.size(), 1);
    EXPECT_EQ(m_starter.starts[0].program, path("emu/zibo"));
    EXPECT_EQ(m_starter.starts[0].arguments, QStringList{path("roms/Tetris.gb")});

    // The Game Genie switch writes to the same place.
    windows().gameGenieDialog->code(1)->setText("ABC-DEF-GHI");
    windows().gameGenieDialog->box(1)->setChecked(true);
    QTest::mouseClick(main().gameGenieSwitch(), Qt::LeftButton);
    EXPECT_EQ(readFile("Zibo/Zibo.cfg").split('\n')[35], "-cheat ABC-DEF-GHI\r");
    EXPECT_TRUE(m_messages.errors.isEmpty());
    EXPECT_FALSE(QFile::exists(path("emu/Zibo.cfg")));
}

// The real stand-in emulator, started the way a user's click starts it.
class StandInLaunch : public Launch
{
protected:
    void SetUp() override
    {
        Launch::SetUp();
        QFile::remove(path("emu/zibo"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(CARTLING_BIN_DIR "/zibo"), path("emu/zibo")));
        m_record = path("record.jsonl");
        qputenv("ZIBO_STANDIN_RECORD", QFile::encodeName(m_record));
        setProcessStarter(nullptr);
    }
    void TearDown() override
    {
        qunsetenv("ZIBO_STANDIN_RECORD");
        Launch::TearDown();
    }

    QJsonObject waitForRecord() const
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 20000) {
            QFile file(m_record);
            if (file.open(QIODevice::ReadOnly)) {
                const QByteArray line = file.readLine();
                if (line.endsWith('\n'))
                    return QJsonDocument::fromJson(line).object();
            }
            QTest::qWait(50);
        }
        return {};
    }

    QString m_record;
};

TEST_F(StandInLaunch, TheEmulatorGetsTheRomPathUnchangedAndTheExactConfig)
{
    const QString name = QString::fromUtf8("Mi \"juego\" $(touch hacked); ñandú.gb");
    writeFile("roms/" + name, "rom");
    storeEmulator(path("emu/zibo"), path("emu/"));
    start();
    clickEntry(name);
    item("Jugar1")->trigger();
    const QJsonObject record = waitForRecord();
    ASSERT_FALSE(record.isEmpty()) << "the stand-in left no record";
    EXPECT_EQ(record["arguments"].toArray(), QJsonArray{path("roms/" + name)});
    EXPECT_EQ(record["workingFolder"].toString(), path("roms"));
    const QByteArray config = QByteArray::fromBase64(record["config"].toString().toLatin1());
    EXPECT_EQ(config, templateBytes(main().session().configTemplate()));
    EXPECT_EQ(config.count("\r\n"), 59);
    EXPECT_FALSE(QFile::exists(path("roms/hacked")));
    EXPECT_FALSE(QFile::exists(path("hacked")));
}

} // namespace
