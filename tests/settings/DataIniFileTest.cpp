#include "RandomText.h"
#include "TestSupport.h"

#include "platform/ErrorHandler.h"
#include "settings/DataIniFile.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

using TextEncoding::Encoding;

class DataIniFileTest : public BaseFolderTest
{
protected:
    QString file() const { return path("Titulos.ini"); }
    void writeIni(const QByteArray &bytes) const { writeFile("Titulos.ini", bytes); }
    QByteArray ini() const { return readFile("Titulos.ini"); }
};

// ---- Loading and reading ----

TEST_F(DataIniFileTest, AMissingFileIsEmptyAndAnEmptyNameTouchesNothing)
{
    {
        DataIniFile data(file());
        EXPECT_EQ(data.readString("a", "Titulo", "d"), "d");
        EXPECT_TRUE(data.readSections().isEmpty());
    }
    EXPECT_FALSE(QFile::exists(file()));
    DataIniFile unnamed(QString{});
    unnamed.writeString("a", "b", "c");
    EXPECT_EQ(unnamed.readString("a", "b", ""), "c");
    unnamed.updateFile();
    EXPECT_FALSE(unnamed.isModified());
    EXPECT_TRUE(folderEntries(m_base).isEmpty());
}

TEST_F(DataIniFileTest, NamesMatchWithoutRegardToCaseAndTheFirstKeyCounts)
{
    writeIni("[Tetris]\r\nTitulo=Tetris DX\r\ntitulo=second\r\nx\r\n[ Zelda ]\r\nTitulo=a=b\r\n");
    const DataIniFile data(file());
    EXPECT_EQ(data.readString("TETRIS", "TITULO", ""), "Tetris DX");
    EXPECT_EQ(data.readString(" Zelda ", "Titulo", ""), "a=b");
    EXPECT_EQ(data.readString("Zelda", "Titulo", "none"), "none"); // names are not trimmed
    EXPECT_EQ(data.readSection("tetris"), (QStringList{"Titulo", "titulo"}));
    EXPECT_EQ(data.readSectionValues("tetris"), (QStringList{"Titulo=Tetris DX", "titulo=second", "x"}));
    EXPECT_EQ(data.readSections(), (QStringList{"Tetris", " Zelda "}));
    EXPECT_TRUE(data.sectionExists("tEtRiS"));
    EXPECT_FALSE(data.sectionExists("Mario"));
}

TEST_F(DataIniFileTest, IntegersAndBooleans)
{
    writeIni("[G]\r\nhex=0x1F\r\nHEX=0X1f\r\nneg=-4\r\nword=abc\r\nempty=\r\ntwo=2\r\nzero=0\r\n");
    const DataIniFile data(file());
    EXPECT_EQ(data.readInteger("G", "hex", 0), 31);
    EXPECT_EQ(data.readInteger("G", "neg", 0), -4);
    EXPECT_EQ(data.readInteger("G", "word", 7), 7);
    EXPECT_EQ(data.readInteger("G", "empty", 7), 7);
    EXPECT_EQ(data.readInteger("G", "missing", 7), 7);
    EXPECT_TRUE(data.readBool("G", "two", false));
    EXPECT_FALSE(data.readBool("G", "zero", true));
    EXPECT_FALSE(data.readBool("G", "word", false));
    EXPECT_TRUE(data.readBool("G", "word", true));
}

// ---- The file after a write-back ----

TEST_F(DataIniFileTest, TheFileIsWrittenBackInItsOneShape)
{
    // LF ends, blank lines, a comment before the first section, comments and lines without "=" inside one,
    // the end-of-file character on a line of its own.
    writeIni("; lost\n\n[B]\n; kept\nTitulo=b\nno equals\n\n\n[A]\nTitulo=a\n\x1a\n");
    {
        DataIniFile data(file());
        EXPECT_FALSE(data.isModified());
        data.writeString("a", "Titulo", "A!");
        data.writeString("C", "Titulo", "c");
        data.writeInteger("B", "n", 5);
        data.writeBool("C", "AC1", true);
        EXPECT_TRUE(data.isModified());
    }
    EXPECT_EQ(ini(), "[B]\r\n; kept\r\nTitulo=b\r\nno equals\r\nn=5\r\n\r\n[A]\r\nTitulo=A!\r\n\r\n"
                     "[C]\r\nTitulo=c\r\nAC1=1\r\n\r\n");
}

TEST_F(DataIniFileTest, TheLaterOfTwoSectionsOfOneNameGoesWithItsLines)
{
    writeIni("[A]\r\nx=1\r\n[a]\r\ny=2\r\n[B]\r\nz=3\r\n");
    {
        DataIniFile data(file());
        EXPECT_EQ(data.readString("A", "y", "none"), "none");
        EXPECT_EQ(data.readSections(), (QStringList{"A", "B"}));
        EXPECT_TRUE(data.isModified());
    }
    EXPECT_EQ(ini(), "[A]\r\nx=1\r\n\r\n[B]\r\nz=3\r\n\r\n");
}

TEST_F(DataIniFileTest, WritingTheStoredValueChangesNothing)
{
    const QByteArray original("[A]\nTitulo=same\n");
    writeIni(original);
    {
        DataIniFile data(file());
        data.writeString("a", "TITULO", "same"); // the line would differ in its key's case, so it is replaced
        EXPECT_TRUE(data.isModified());
    }
    writeIni(original);
    {
        DataIniFile data(file());
        data.writeString("A", "Titulo", "same");
        data.deleteKey("A", "missing");
        data.eraseSection("missing");
        EXPECT_FALSE(data.isModified());
    }
    EXPECT_EQ(ini(), original); // not rewritten: the LF ends are still there
}

TEST_F(DataIniFileTest, LinesAreCutTo255Characters)
{
    const QString longTitle(300, u't');
    writeIni("[A]\r\nTitulo=" + longTitle.toLatin1() + "\r\n");
    {
        DataIniFile data(file());
        EXPECT_EQ(data.readString("A", "Titulo", ""), longTitle.left(248));
        data.writeString("B", "Titulo", longTitle);
        EXPECT_EQ(data.readString("B", "Titulo", ""), longTitle.left(248));
        // A character beyond the basic plane counts once and is never cut in half.
        data.writeString("C", "T", QString(252, u'x') + QString::fromUtf8("😀😀"));
        EXPECT_EQ(data.readString("C", "T", ""), QString(252, u'x') + QString::fromUtf8("😀"));
    }
    const DataIniFile reread(file());
    EXPECT_EQ(reread.readString("A", "Titulo", ""), longTitle.left(248));
    EXPECT_EQ(reread.readString("C", "T", ""), QString(252, u'x') + QString::fromUtf8("😀"));
}

TEST_F(DataIniFileTest, ASectionWithoutLinesIsNotWritten)
{
    writeIni("[A]\r\nx=1\r\n[B]\r\ny=2\r\n[C]\r\nz=3\r\n");
    {
        DataIniFile data(file());
        data.deleteKey("A", "X");
        EXPECT_TRUE(data.sectionExists("A"));  // until the write-back
        data.writeString("B", "", "anything"); // an empty key erases the section
        EXPECT_FALSE(data.sectionExists("B"));
        data.writeString("B", "y", "back"); // a new section goes to the end
        data.writeString("C", "", "");      // so does an empty key with an empty value
        EXPECT_FALSE(data.sectionExists("C"));
    }
    EXPECT_EQ(ini(), "[B]\r\ny=back\r\n\r\n");
}

TEST_F(DataIniFileTest, AnEmptyKeyAndSectionWritesTheFileBackAtOnce)
{
    DataIniFile data(file());
    data.writeString("A", "x", "1");
    data.writeString("", "", "");
    EXPECT_EQ(ini(), "[A]\r\nx=1\r\n\r\n");
    EXPECT_FALSE(data.isModified());
}

// A stem of 254 characters made a header line that read back cut, merging the section into the one before.
TEST_F(DataIniFileTest, LongSectionNamesAreCutSoTheirHeaderReadsBack)
{
    const QString stem(300, u's');
    {
        DataIniFile data(file());
        data.writeString("first", "Titulo", "1");
        data.writeString(stem, "Titulo", "2");
    }
    const DataIniFile reread(file());
    EXPECT_EQ(reread.readString(stem, "Titulo", ""), "2");
    EXPECT_EQ(reread.readString("first", "Titulo", ""), "1");
    EXPECT_EQ(reread.readSections().value(1).size(), DataIniFile::MaxSectionNameLength);
}

// ---- Refused writes ----

TEST_F(DataIniFileTest, LinesThatWouldNotReadBackAreRefused)
{
    DataIniFile data(file());
    data.writeString("A", "Titulo", "kept");
    const struct
    {
        QString section, key, value;
    } refused[] = {{"A\nB", "Titulo", "x"},
                   {"A", "Titulo", "x\r\n[B]"},
                   {"A", "Ti\rtulo", "x"},
                   {"A", "a=b", "x"},
                   {"A", "[x", "y]"},
                   {"A", QString(255, u'k'), "x"},
                   // Breaks past the first characters and in the last few, as a scan by blocks meets them.
                   {"Partida 0123\n", "Titulo", "x"},
                   {"A", "Titulo", "abcdefg\rh"},
                   {"A", "Titulo", "abcdefgh\n"}};
    for (const auto &r : refused) {
        try {
            data.writeString(r.section, r.key, r.value);
            ADD_FAILURE() << qPrintable(r.key) << " was stored";
        } catch (const CartlingError &error) {
            EXPECT_TRUE(error.text().contains(file())) << qPrintable(error.text());
        }
    }
    EXPECT_EQ(data.readSectionValues("A"), QStringList{"Titulo=kept"});
    EXPECT_EQ(data.readSections(), QStringList{"A"});
    // Other control characters are no line break.
    const QString controls = QString::fromLatin1("\t\x0b\x0c\x0e\x0f\x1f ab\x0c");
    data.writeString("A", "Titulo", controls);
    EXPECT_EQ(data.readString("A", "Titulo", {}), controls);
}

// ---- Odd files ----

TEST_F(DataIniFileTest, OddFilesLoadAndKeepEveryValidLine)
{
    const QByteArray tenMegabyteLine = "long=" + QByteArray(10 * 1000 * 1000, 'x');
    const struct
    {
        const char *what;
        QByteArray bytes;
        QStringList kept; // section A's lines after a write-back
    } files[] = {
        {"CR ends", "[A]\rx=1\ry=2\r", {"x=1", "y=2"}},
        {"LF ends", "[A]\nx=1\n", {"x=1"}},
        {"a blank line between keys", "[A]\r\nx=1\r\n\r\ny=2\r\n", {"x=1", "y=2"}},
        {"a NUL byte", QByteArray("[A]\nx=1\0z\ny=2\n", 14), {QString::fromLatin1("x=1\0z", 5), "y=2"}},
        {"binary junk", "[A]\nx=1\n\x81\xfe\xff\x01\x1a\n", {"x=1", QString::fromUtf8("\u0081þÿ\u0001\u001a")}},
        {"a 10 MB line", "[A]\nx=1\n" + tenMegabyteLine + "\ny=2\n", {"x=1", tenMegabyteLine.left(255), "y=2"}},
        {"a header without ]", "[A]\nx=1\n[B\ny=2\n", {"x=1", "[B", "y=2"}},
        {"a UTF-8 mark", "\xef\xbb\xbf[A]\r\nx=\xc3\xb1\r\n", {QString::fromUtf8("x=ñ")}},
        {"an empty file", "", {}},
    };
    for (const auto &f : files) {
        writeIni(f.bytes);
        {
            DataIniFile data(file());
            data.writeString("Z", "new", "1");
        }
        const DataIniFile reread(file());
        EXPECT_EQ(reread.readSectionValues("A"), f.kept) << f.what;
        EXPECT_EQ(reread.readString("Z", "new", ""), "1") << f.what;
    }
}

// ---- Encodings ----

TEST_F(DataIniFileTest, TheFileKeepsItsEncodingWhereTheTextAllows)
{
    writeIni("[Pok\xe9mon]\r\nTitulo=Pok\xe9mon Azul\r\n"); // Windows-1252
    {
        DataIniFile data(file());
        EXPECT_EQ(data.encoding(), Encoding::Windows1252);
        EXPECT_EQ(data.readString(QString::fromUtf8("POKÉMON"), "Titulo", ""), QString::fromUtf8("Pokémon Azul"));
        data.writeString(QString::fromUtf8("Niño"), "Titulo", QString::fromUtf8("Año €"));
    }
    EXPECT_EQ(ini(), "[Pok\xe9mon]\r\nTitulo=Pok\xe9mon Azul\r\n\r\n[Ni\xf1o]\r\nTitulo=A\xf1o \x80\r\n\r\n");
    {
        DataIniFile data(file());
        data.writeString("Japan", "Titulo", QString::fromUtf8("ポケモン"));
    }
    // The mark on a line of its own: an older Windows reader took "\xef\xbb\xbf[Pokémon]" for the first section.
    EXPECT_TRUE(ini().startsWith("\xef\xbb\xbf\r\n[Pok\xc3\xa9mon]\r\n"));
    {
        DataIniFile data(file());
        EXPECT_EQ(data.encoding(), Encoding::Utf8WithMark);
        EXPECT_EQ(data.readString("japan", "titulo", ""), QString::fromUtf8("ポケモン"));
        data.writeString("Plain", "Titulo", "ascii");
    }
    EXPECT_TRUE(ini().startsWith("\xef\xbb\xbf")); // stays UTF-8 once it is
}

// A Titulos.ini saved as UTF-16 without a mark read as empty, and the first write left only the new entry.
TEST_F(DataIniFileTest, Utf16WithoutAMarkIsReadAndAFileOfWhichNothingReadsIsNeverWritten)
{
    const auto utf16 = [](const QString &text) {
        return QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    };
    writeIni(utf16(QString::fromUtf8("[Tetris]\r\nTitulo=Tetris ñ\r\n")));
    {
        DataIniFile data(file());
        EXPECT_EQ(data.readString("tetris", "Titulo", ""), QString::fromUtf8("Tetris ñ"));
        data.writeString("Zelda", "Titulo", "Zelda");
    }
    EXPECT_EQ(ini(), utf16(QString::fromUtf8("[Tetris]\r\nTitulo=Tetris ñ\r\n\r\n[Zelda]\r\nTitulo=Zelda\r\n\r\n")));

    const QByteArray utf32("[\0\0\0T\0\0\0]\0\0\0\r\0\0\0\n\0\0\0x\0\0\0=\0\0\0"
                           "1\0\0\0",
                           32);
    for (const QByteArray &unreadable : {utf32, QByteArray("Titulo=Tetris\r\n")}) {
        writeIni(unreadable);
        {
            DataIniFile data(file());
            data.writeString("Zelda", "Titulo", "Zelda");
            try {
                data.updateFile();
                ADD_FAILURE() << "written over " << unreadable.toHex().constData();
            } catch (const CartlingError &error) {
                EXPECT_TRUE(error.text().contains(file())) << qPrintable(error.text());
            }
        }
        EXPECT_EQ(ini(), unreadable);
    }
}

TEST_F(DataIniFileTest, RandomValuesRoundTripOverWindows1252AndUnicode)
{
    QRandomGenerator random(255);
    QMap<QString, QString> written;
    for (int round = 0; round < 3; ++round) {
        {
            DataIniFile data(file());
            for (int i = 0; i < 200; ++i) {
                // Every character of Windows-1252, or any of Unicode; only line breaks cannot be stored.
                QString value = randomText(random, i % 2 ? Characters::Windows1252 : Characters::Unicode, 60);
                if (i % 10 == 0)
                    value += QChar(0); // NUL is a character like any
                const QString section = QStringLiteral("Game %1").arg(random.bounded(50));
                const QString key = QStringLiteral("C%1").arg(random.bounded(10));
                data.writeString(section, key, value);
                written[section + u'/' + key] = value;
            }
        }
        const DataIniFile reread(file());
        for (auto it = written.cbegin(); it != written.cend(); ++it) {
            const QStringList name = it.key().split(u'/');
            ASSERT_EQ(reread.readString(name[0], name[1], "?"), it.value()) << round;
        }
    }
}

// ---- Many sections ----

TEST_F(DataIniFileTest, ManySectionsKeepTheirOrderThroughErasing)
{
    {
        DataIniFile data(file());
        for (int i = 0; i < 5000; ++i)
            data.writeInteger(QStringLiteral("Game %1").arg(i), "n", i);
        for (int i = 0; i < 5000; i += 2)
            data.eraseSection(QStringLiteral("GAME %1").arg(i));
        data.writeInteger("Game 0", "n", -1); // comes back at the end
        EXPECT_EQ(data.readInteger("game 4999", "N", 0), 4999);
    }
    const DataIniFile reread(file());
    const QStringList sections = reread.readSections();
    ASSERT_EQ(sections.size(), 2501);
    EXPECT_EQ(sections.first(), "Game 1");
    EXPECT_EQ(sections[1], "Game 3");
    EXPECT_EQ(sections.last(), "Game 0");
    EXPECT_EQ(reread.readInteger("Game 2", "n", 7), 7);
    EXPECT_EQ(reread.readInteger("Game 0", "n", 7), -1);
}

// ---- Failures ----

TEST_F(DataIniFileTest, AFileThatCannotBeReadIsRefusedWithItsName)
{
    makeFolder("Titulos.ini");
    try {
        DataIniFile data(file());
        FAIL() << "a folder was loaded";
    } catch (const CartlingError &error) {
        EXPECT_EQ(error.text(), "Cannot read the file \"" + file() + "\": it is not a regular file.");
    }
    QDir(path("Titulos.ini")).removeRecursively();
    QFile huge(file());
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(DataIniFile::SizeLimit + 1));
    huge.close();
    EXPECT_THROW(DataIniFile data(file()), CartlingError);
}

TEST_F(DataIniFileTest, AFailedWriteBackLeavesTheOldFileAndSaysWhy)
{
    QByteArray old;
    for (int i = 0; i < 300; ++i)
        old += "[Game " + QByteArray::number(i) + "]\r\nTitulo=" + QByteArray(30, 't') + "\r\n\r\n";
    writeIni(old);
    {
        const FileSizeLimit fullDisk(old.size() / 2);
        DataIniFile data(file());
        data.writeString("New", "Titulo", "x");
        EXPECT_THROW(data.updateFile(), CartlingError);
        EXPECT_TRUE(data.isModified());
    } // the release tries once more and reports the failure
    ASSERT_EQ(m_messages.errors.size(), 1);
    EXPECT_TRUE(m_messages.errors[0].startsWith("Cannot write the file \"" + file() + "\": "));
    EXPECT_EQ(ini(), old);
    EXPECT_EQ(folderEntries(m_base), QStringList{"Titulos.ini"});

    QFile::setPermissions(m_base, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    {
        DataIniFile data(file());
        data.writeString("New", "Titulo", "x");
        try {
            data.updateFile();
            FAIL() << "written into a read-only folder";
        } catch (const CartlingError &error) {
            EXPECT_EQ(error.text(), "Cannot write the file \"" + file() + "\": the file or its folder is read-only.");
        }
    }
    QFile::setPermissions(m_base, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(ini(), old);
    EXPECT_EQ(folderEntries(m_base), QStringList{"Titulos.ini"});
}

} // namespace
