#include "TestSupport.h"

#include "gamegenie/CheatCodeFormat.h"

namespace {

using CheatCodeFormat::Kind;

struct Case
{
    const char *code;
    Kind kind;
    const char *hintPart; // a piece of the hint, or nullptr for any
};

class CheatCodeFormatTest : public ::testing::TestWithParam<Case>
{
};

TEST_P(CheatCodeFormatTest, TellsTheKindAndHintsAtTheTypo)
{
    const Case &c = GetParam();
    const CheatCodeFormat::Verdict verdict = CheatCodeFormat::check(QString::fromUtf8(c.code));
    EXPECT_EQ(verdict.kind, c.kind) << c.code;
    if (c.hintPart)
        EXPECT_TRUE(verdict.hint.contains(QString::fromUtf8(c.hintPart)))
            << c.code << ": " << verdict.hint.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Codes, CheatCodeFormatTest,
    ::testing::Values(Case{"", Kind::Empty, nullptr}, Case{"01A-B2C-D3E", Kind::GameGenie, nullptr},
                      Case{"0fa-b2c-d3e", Kind::GameGenie, nullptr}, Case{"ABC-DEF", Kind::GameGenie, nullptr},
                      Case{"0100C3C0", Kind::GameShark, nullptr}, Case{"O1A-B2C-D3E", Kind::Unknown, "O"},
                      Case{"01A-B2C-D3I", Kind::Unknown, "I"}, Case{"0lOOC3C0", Kind::Unknown, "O e I"},
                      Case{"01AB2CD3E", Kind::Unknown, "Faltan los guiones"},
                      Case{"ABCDEF", Kind::Unknown, "Faltan los guiones"},
                      Case{"01AB-2CD3E", Kind::Unknown, "Guiones"}, Case{" ABC-DEF", Kind::Unknown, "espacios"},
                      Case{"ABC-DEG", Kind::Unknown, "ni GameShark"}, Case{"123", Kind::Unknown, "ni GameShark"}));

} // namespace
