// A Cartling killed in the middle of a write: the file is afterwards the old one byte for byte or the new one
// whole, never a mix, and no temporary file is left beside it.
#include "GenerationWriter.h"
#include "TestSupport.h"

#include "platform/TextEncoding.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>
#include <unistd.h>

namespace {

// A settings or data file of about a megabyte in which every section carries the generation `g` that wrote it;
// each rewrite by the endless writer turns generation g into exactly the bytes of g + 1.
QByteArray generationFile(bool data, int g)
{
    QString text;
    const QString filler = QString::fromUtf8("Pokémon Edición Azul ñ ") + QString(40, u'x');
    if (data) {
        for (int s = 0; s < 5000; ++s)
            text += QStringLiteral("[Juego%1]\r\ng=%2\r\nTitulo=%3%1\r\n\r\n").arg(s).arg(g).arg(filler);
    } else {
        text = QStringLiteral("[Prueba]\r\ng=%1\r\n\r\n[Titulos]\r\n").arg(g);
        for (int k = 0; k < 12000; ++k)
            text += QStringLiteral("Juego%1=%2\r\n").arg(k).arg(filler);
    }
    return TextEncoding::toWindows1252(text);
}

// The generation a whole file of generationFile carries, or -1 for anything else.
int generationOf(bool data, const QByteArray &bytes)
{
    static const QRegularExpression first(QStringLiteral("^\\[(?:Juego0|Prueba)\\]\r\ng=(\\d+)\r\n"));
    const QRegularExpressionMatch match = first.match(QString::fromLatin1(bytes.left(40)));
    if (!match.hasMatch())
        return -1;
    const int g = match.captured(1).toInt();
    return bytes == generationFile(data, g) ? g : -1;
}

class InterruptedWriteTest : public BaseFolderTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(InterruptedWriteTest, AKilledWriterLeavesTheOldFileOrTheNewOneAndNoTemporaryFile)
{
    const bool data = GetParam();
    const QString file = data ? QStringLiteral("Titulos.ini") : QStringLiteral("Cartling.ini");
    writeFile(file, generationFile(data, 0));
    QRandomGenerator random(data ? 1 : 2);
    int generation = 0;
    // Under the sanitizers a write takes twenty times as long; a few kills there check the writer's memory, the
    // normal run's rounds the timing.
#if defined(__SANITIZE_ADDRESS__)
    const int rounds = 5;
#else
    const int rounds = 25;
#endif
    for (int round = 0; round < rounds; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(CARTLING_BIN_DIR "/endless_writer"),
                     {data ? QStringLiteral("data") : QStringLiteral("settings"), path(file)});
        // Somewhere in one of the next few writes, however long a write takes on this machine and build.
        QElapsedTimer write;
        for (int written = 0; written < 2; ++written) {
            while (!writer.canReadLine())
                ASSERT_TRUE(writer.waitForReadyRead(60000)) << writer.readAllStandardError().constData();
            writer.readLine();
            if (written == 0)
                write.start();
        }
        QThread::usleep(random.bounded(qMax<qint64>(1, 3 * write.nsecsElapsed() / 1000)));
        writer.kill(); // SIGKILL: nothing of the writer runs any more
        writer.waitForFinished();

        const int now = generationOf(data, readFile(file));
        ASSERT_GE(now, generation + 2) << "round " << round << ": the file is neither an old one nor a new one";
        generation = now;
        // The lock file of a killed writer may stay; the next writer takes it over. A kill before the rename
        // leaves the temporary file, whole or not, under its own name; the next write removes it.
        for (const QString &name : folderEntries(m_base)) {
            if (name == file || name == file + QStringLiteral(".lock"))
                continue;
            ASSERT_TRUE(name.startsWith(u'.' + file + QStringLiteral(".cartling-tmp-")) &&
                        name.size() == file.size() + 21)
                << qPrintable(name);
        }
    }

    writeNextGeneration(data, path(file));
    EXPECT_EQ(folderEntries(m_base), QStringList{file});
    EXPECT_EQ(generationOf(data, readFile(file)), generation + 1);
}

using LeftoverTest = BaseFolderTest;

// Every save removed "<file>." plus six letters or digits: the user's own "Cartling.ini.backup" and
// "GGCodes.ini.old001" went with the temporary files. Only Cartling's own temporary name is cleaned up, and
// never a file with another link.
TEST_F(LeftoverTest, AWriteRemovesOnlyWhatAKilledWriteLeftUnderItsTemporaryName)
{
    writeFile("Cartling.ini", "[Prueba]\r\ng=1\r\n");
    writeFile("mine.txt", "mine");
    const QStringList others = {"Cartling.ini.backup",
                                "Cartling.ini.AbC123",
                                ".Cartling.ini.cartling-tmp-AbC12",
                                ".Other.ini.cartling-tmp-AbC123",
                                ".Cartling.ini.cartling-tmp-Linked",
                                "mine.txt"};
    for (const QString &name : others.first(4))
        writeFile(name, "x");
    ASSERT_EQ(::link(QFile::encodeName(path("mine.txt")).constData(),
                     QFile::encodeName(path(".Cartling.ini.cartling-tmp-Linked")).constData()),
              0);
    writeFile(".Cartling.ini.cartling-tmp-AbC123", "[Prueba]\r\ng=");
    SettingsFile(path("Cartling.ini")).writeInteger("Prueba", "g", 2);
    QStringList expected = others + QStringList{"Cartling.ini"};
    expected.sort();
    EXPECT_EQ(folderEntries(m_base), expected);
    EXPECT_EQ(readFile("mine.txt"), "mine");
}

INSTANTIATE_TEST_SUITE_P(SettingsAndData, InterruptedWriteTest, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "DataFile" : "SettingsFile"; });

} // namespace
