#include "RandomText.h"
#include "TestSupport.h"

#include "language/LanguageFile.h"
#include "language/LanguageTable.h"
#include "language/MessageTable.h"
#include "platform/ErrorHandler.h"
#include "platform/TextEncoding.h"

#include <QFile>
#include <QRandomGenerator>
#include <sys/stat.h>

namespace {

QByteArray shippedFile(const QString &name)
{
    QFile file(QStringLiteral(CARTLING_SOURCE_DIR "/data/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// `count` lines "L0", "L1", ... joined by `end`, with or without an end after the last one.
QByteArray numberedLines(int count, const QByteArray &end, bool endLast)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        bytes += "L" + QByteArray::number(i);
        if (i + 1 < count || endLast)
            bytes += end;
    }
    return bytes;
}

// ---- Lines and the line-count rule ----

TEST(LanguageFileLines, EveryLineEndCountsAndTheRuleIsAtLeast126Lines)
{
    const struct
    {
        QByteArray end;
        bool endLast;
    } styles[] = {{"\r\n", true}, {"\r\n", false}, {"\n", true}, {"\r", true}, {"\r", false}};
    for (const auto &style : styles) {
        const QByteArray shown = style.end.toPercentEncoding() + (style.endLast ? " ended" : " open");
        for (int count : {125, 126, 190}) {
            const LanguageFile file = LanguageFile::fromBytes(numberedLines(count, style.end, style.endLast));
            ASSERT_EQ(file.lines().size(), count) << shown.constData();
            EXPECT_EQ(file.lines().last(), "L" + QString::number(count - 1)) << shown.constData();
            EXPECT_EQ(file.accepted(), count >= 126) << shown.constData() << " " << count;
        }
    }
    // Mixed ends, and an empty line between two ends is a line of its own.
    EXPECT_EQ(LanguageFile::fromBytes("a\r\rb\nc\r\n\nd").lines(), QStringList({"a", "", "b", "c", "", "d"}));
}

TEST(LanguageFileLines, Utf8AndWindows1252FilesReadTheSameTexts)
{
    const QString title = QStringLiteral("Título Ñandú º");
    QStringList lines(126, QStringLiteral("x"));
    lines[4] = title;
    const QString text = TextEncoding::joinLines(lines);
    for (const QByteArray &bytes :
         {text.toUtf8(), QByteArray("\xEF\xBB\xBF") + text.toUtf8(), TextEncoding::toWindows1252(text)}) {
        const LanguageFile file = LanguageFile::fromBytes(bytes);
        EXPECT_TRUE(file.accepted());
        EXPECT_EQ(file.lines().value(4), title);
        EXPECT_EQ(file.lines().value(0), "x"); // a byte-order mark is no part of the first text
    }
}

// A translator's file in any encoding Cartling writes or Notepad saves gives back every text as typed.
TEST(LanguageFileLines, RandomTextsReadBackInEveryEncoding)
{
    using TextEncoding::Encoding;
    QRandomGenerator random(126);
    for (int round = 0; round < 40; ++round) {
        QStringList lines;
        for (int i = 0; i < 130; ++i)
            lines += randomText(random, i % 2 ? Characters::Unicode : Characters::Windows1252, 30);
        for (Encoding encoding :
             {Encoding::Windows1252, Encoding::Utf8, Encoding::Utf8WithMark, Encoding::Utf16LE, Encoding::Utf16BE}) {
            const LanguageFile file =
                LanguageFile::fromBytes(TextEncoding::encodeAs(TextEncoding::joinLines(lines), encoding).bytes);
            ASSERT_TRUE(file.accepted()) << round << " " << int(encoding);
            ASSERT_EQ(file.lines(), lines) << round << " " << int(encoding);
        }
    }
}

TEST(LanguageFileLines, BinaryJunkIsRefusedWhateverItsLineCount)
{
    QRandomGenerator random(7);
    QByteArray junk(8192, '\0');
    for (char &b : junk)
        b = static_cast<char>(random.bounded(256));
    for (int i = 0; i < junk.size(); i += 16)
        junk[i] = '\n'; // plenty of "lines"
    const LanguageFile file = LanguageFile::fromBytes(junk);
    EXPECT_GE(file.lines().size(), 126);
    EXPECT_FALSE(file.accepted());
    EXPECT_FALSE(LanguageFile::fromBytes(numberedLines(190, "\r\n", true) + '\0').accepted());
}

class LanguageFileReadTest : public BaseFolderTest
{
};

TEST_F(LanguageFileReadTest, AUtf16FileReadsLikeAnyOther)
{
    QStringList lines(126, QStringLiteral("x"));
    lines[3] = QStringLiteral("Título");
    writeFile("u.cti", TextEncoding::encodeAs(TextEncoding::joinLines(lines), TextEncoding::Encoding::Utf16LE).bytes);
    const LanguageFile file = LanguageFile::read(path("u.cti"));
    EXPECT_TRUE(file.accepted()); // its zero bytes are no NUL characters
    EXPECT_EQ(file.lines(), lines);
}

// A language file that was a pipe hung the program; a huge one took seconds and a gigabyte.
TEST_F(LanguageFileReadTest, PipesAndHugeFilesAreRefusedUnread)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.cti")).constData(), 0600), 0);
    QFile huge(path("huge.cti"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(50 * 1024 * 1024));
    huge.close();
    for (const QString name : {"pipe.cti", "huge.cti", "missing.cti"}) {
        try {
            LanguageFile::read(path(name));
            ADD_FAILURE() << qPrintable(name) << " was read";
        } catch (const CartlingError &error) {
            EXPECT_TRUE(error.text().contains(path(name))) << qPrintable(error.text());
        }
    }
}

// ---- Messages ----

TEST(MessageTable, MessagesJoinTheirPiecesWithNothingAdded)
{
    MessageTable messages;
    EXPECT_EQ(messages.text(Msg::FolderMissingStart, QStringLiteral("/roms"), Msg::FolderMissingEnd),
              QStringLiteral("El directorio \"/roms\" no Existe"));
    EXPECT_EQ(messages.text(Msg::TitlesNoRomStart, QStringLiteral("a.zip"), Msg::TitlesNoRomEnd),
              QStringLiteral("Imposible encontrar nombre  ,a.zip  no es un juego"));
    EXPECT_EQ(messages.text(Msg::GameCount) + QString::number(0), QStringLiteral("Nº de Juegos = 0"));
    EXPECT_EQ(messages.rejection(QStringLiteral("x.cti")), QStringLiteral("x.cti No es Válido"));
    EXPECT_EQ(messages.text(102), QString());
    EXPECT_EQ(messages.text(131), QString());
}

// ---- Shipped files ----

TEST(ShippedLanguageFiles, SpanishFileIsTheBuiltInTable)
{
    const QByteArray bytes = shippedFile(QStringLiteral("español.cti"));
    // Regenerate with the target cartling-builtin-language when the built-in table changes.
    EXPECT_TRUE(bytes == LanguageFile::builtinFileBytes()) << "data/español.cti differs from the built-in table";
    const LanguageFile file = LanguageFile::fromBytes(bytes);
    EXPECT_EQ(file.lines(), LanguageTable::builtin());
    EXPECT_TRUE(bytes.contains("T\xEDtulo")); // Windows-1252, not UTF-8
}

TEST(ShippedLanguageFiles, EnglishFileTranslatesEveryEntryLineForLine)
{
    const QByteArray bytes = shippedFile(QStringLiteral("english.cti"));
    const LanguageFile file = LanguageFile::fromBytes(bytes);
    ASSERT_TRUE(file.accepted());
    ASSERT_EQ(file.lines().size(), LanguageTable::EntryCount);
    EXPECT_EQ(bytes.count("\r\n"), LanguageTable::EntryCount);
    EXPECT_EQ(bytes.count('\n'), LanguageTable::EntryCount);
    for (int i = 0; i < LanguageTable::EntryCount; ++i)
        EXPECT_EQ(file.lines()[i].isEmpty(), LanguageTable::builtinText(i).isEmpty()) << i;
    // Messages are joined with nothing added, so the pieces bring their own blanks or quotes.
    const auto separated = [](QChar c) { return c == u' ' || c == u'"'; };
    for (int i : {Msg::FolderMissingStart, Msg::TitlesNoRomStart, Msg::TitlesManyRomsStart, Msg::CfgFolderMissingStart,
                  Msg::TitleNoRomStart, Msg::TitleManyRomsStart, Msg::ExtractNoRomStart, Msg::ExtractManyRomsStart,
                  Msg::ExtractManyRomsMiddle, Msg::GameCount})
        EXPECT_TRUE(separated(file.lines()[i].back())) << i;
    for (int i : {Msg::FolderMissingEnd, Msg::TitlesNoRomEnd, Msg::TitlesManyRomsEnd, Msg::CfgFolderMissingEnd,
                  Msg::TitleNoRomEnd, Msg::TitleManyRomsEnd, Msg::ExtractNoRomEnd, Msg::ExtractManyRomsMiddle,
                  Msg::ExtractManyRomsEnd})
        EXPECT_TRUE(separated(file.lines()[i].front())) << i;
    EXPECT_TRUE(TextEncoding::fitsWindows1252(file.lines().join(QString())));
}

TEST(ShippedLanguageFiles, ReadMeFilesArePlainWindowsText)
{
    for (const QString &name : {QStringLiteral("leeme.txt"), QStringLiteral("readme.txt")}) {
        const QByteArray bytes = shippedFile(name);
        ASSERT_FALSE(bytes.isEmpty()) << qPrintable(name);
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << qPrintable(name);
        EXPECT_TRUE(bytes.endsWith("\r\n")) << qPrintable(name);
        EXPECT_EQ(TextEncoding::toWindows1252(TextEncoding::decode(bytes)), bytes) << qPrintable(name); // not UTF-8
    }
}

} // namespace
