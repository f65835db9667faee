#include "TestSupport.h"

#include "gamegenie/GameGenieCodeStore.h"
#include "platform/ErrorHandler.h"

#include <QFile>
#include <tuple>

namespace {

class CodeStore : public BaseFolderTest
{
protected:
    QByteArray codes() const { return readFile("GGCodes.ini"); }
    bool codesExist() const { return QFile::exists(path("GGCodes.ini")); }

    static CodeSet sampleRows()
    {
        CodeSet rows;
        rows[0] = {true, "01A-B2C-D3E", "Vidas"};
        rows[2] = {false, "ABC-DEF", "Salto"};
        return rows;
    }

    GameGenieCodeStore m_store;
};

// ---- Saving ----

TEST_F(CodeStore, ANewSectionHoldsItsThirtyLinesInRowOrder)
{
    m_store.saveAll("TETRIS", sampleRows());
    QByteArray expected = "[TETRIS]\r\nAC1=1\r\nC1=01A-B2C-D3E\r\nD1=Vidas\r\nAC2=0\r\nC2=\r\nD2=\r\n"
                          "AC3=0\r\nC3=ABC-DEF\r\nD3=Salto\r\n";
    for (int n = 4; n <= 10; ++n)
        expected += QByteArray("AC%1=0\r\nC%1=\r\nD%1=\r\n").replace("%1", QByteArray::number(n));
    EXPECT_EQ(codes(), expected + "\r\n");
    EXPECT_EQ(m_store.load("TETRIS"), sampleRows());
}

TEST_F(CodeStore, WithoutAnInternalNameNothingIsWritten)
{
    m_store.saveAll("", sampleRows());
    EXPECT_FALSE(m_store.saveFlag("", 1, true, "01A-B2C-D3E"));
    EXPECT_FALSE(codesExist());

    writeFile("GGCodes.ini", "[]\nAC1=1\n");
    m_store.saveAll("", sampleRows());
    EXPECT_FALSE(m_store.saveFlag("", 1, false, "01A-B2C-D3E"));
    EXPECT_EQ(codes(), "[]\nAC1=1\n");
}

TEST_F(CodeStore, AFlagIsStoredAloneAndOnlyForCodesOfEightCharactersOrMore)
{
    EXPECT_FALSE(m_store.saveFlag("TETRIS", 3, true, "ABC-DEF")); // 7 characters: a 6-digit code and its hyphen
    EXPECT_FALSE(codesExist());
    EXPECT_TRUE(m_store.saveFlag("TETRIS", 3, true, "01234567"));
    EXPECT_EQ(codes(), "[TETRIS]\r\nAC3=1\r\n\r\n");
    EXPECT_TRUE(m_store.saveFlag("tetris", 3, false, "01A-B2C-D3E"));
    EXPECT_EQ(codes(), "[TETRIS]\r\nAC3=0\r\n\r\n");

    // Saving all rows later keeps that line where it is and appends the others behind it.
    m_store.saveAll("TETRIS", sampleRows());
    EXPECT_TRUE(codes().startsWith("[TETRIS]\r\nAC3=0\r\nAC1=1\r\nC1=01A-B2C-D3E\r\nD1=Vidas\r\nAC2=0\r\nC2=\r\n"
                                   "D2=\r\nC3=ABC-DEF\r\nD3=Salto\r\nAC4=0\r\n"));
    EXPECT_EQ(codes().count("\r\n"), 32);
}

TEST_F(CodeStore, SavingTheSameRowsAgainDoesNotRewriteTheFile)
{
    makeFolder("data");
    const GameGenieCodeStore store(path("data/GGCodes.ini"));
    store.saveAll("TETRIS", sampleRows());
    const QByteArray saved = readFile("data/GGCodes.ini");
    // A folder nothing can be written into: a rewrite would fail and raise.
    QFile::setPermissions(path("data"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_NO_THROW(store.saveAll("tetris", sampleRows()));
    EXPECT_NO_THROW(store.saveFlag("TETRIS", 1, true, "01A-B2C-D3E"));
    CodeSet changed = sampleRows();
    changed[1].code = "XYZ";
    EXPECT_THROW(store.saveAll("TETRIS", changed), CartlingError);
    EXPECT_EQ(readFile("data/GGCodes.ini"), saved);
}

// Broke when a code holding a line break was refused halfway: the rows before it were written, the rest not;
// its message then named the file "" ; and a code "Ω12-345-678" was stored although Zibo.cfg cannot carry it.
TEST_F(CodeStore, ARefusedValueLeavesTheFileAsItWasAndSaysWhy)
{
    m_store.saveAll("TETRIS", sampleRows());
    const QByteArray saved = codes();
    for (const auto &[row, code, description, named] :
         {std::tuple{5, "01A-B2C-D3E", "dos\nlineas", "GGCodes.ini"}, {2, "Ω12-345-678", "", "Ω12-345-678"}}) {
        CodeSet broken = sampleRows();
        broken[0].description = "Vidas infinitas";
        broken[row].code = QString::fromUtf8(code);
        broken[row].description = description;
        try {
            m_store.saveAll("TETRIS", broken);
            ADD_FAILURE() << code << " stored";
        } catch (const CartlingError &error) {
            EXPECT_TRUE(error.text().contains(QString::fromUtf8(named))) << qPrintable(error.text());
        }
        EXPECT_EQ(codes(), saved);
    }
}

// ---- Loading ----

TEST_F(CodeStore, LoadingReadsTheFlagAsANumberWhateverTheCaseOfTheName)
{
    writeFile("GGCodes.ini", "[Tetris]\nAC3=1\n\n[ZELDA]\nAC1=2\nC1=01A-B2C-D3E\nAC2=si\nC2=ABC-DEF\n"
                             "AC11=1\nC11=FFF-FFF-FFF\nD11=once\n");
    CodeSet onlyThree;
    onlyThree[2].active = true;
    EXPECT_EQ(m_store.load("TETRIS"), onlyThree);

    const CodeSet zelda = m_store.load("zelda");
    EXPECT_TRUE(zelda[0].active);  // any number but 0
    EXPECT_FALSE(zelda[1].active); // not a number
    EXPECT_EQ(zelda[1].code, "ABC-DEF");
    for (int n = 3; n <= 10; ++n)
        EXPECT_EQ(zelda[n - 1], CodeRow());

    // Rows beyond the tenth are neither loaded nor ever written.
    m_store.saveAll("ZELDA", zelda);
    const QByteArray after = codes();
    EXPECT_TRUE(after.contains("AC11=1\r\nC11=FFF-FFF-FFF\r\nD11=once\r\n"));
    EXPECT_EQ(after.count("11="), 3);
}

TEST_F(CodeStore, AMissingFileOrSectionLoadsTenEmptyRows)
{
    EXPECT_EQ(m_store.load("TETRIS"), CodeSet());
    writeFile("GGCodes.ini", "[OTRO]\nAC1=1\nC1=01A-B2C-D3E\n");
    EXPECT_EQ(m_store.load("TETRIS"), CodeSet());
    EXPECT_EQ(m_store.load(""), CodeSet());
}

} // namespace
