#include "ProgramRun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The desktop's language reaches the program through the locale variables a desktop session sets, read once
// per process: each case is a program of its own.
TEST(FirstStart, TakesTheLanguageFileOfTheDesktopsLocale)
{
    const QList<QList<std::pair<const char *, const char *>>> cases{
        {{"LANG", "en_US.UTF-8"}},
        {{"LANG", "es_ES.UTF-8"}, {"LC_ALL", "en_GB.UTF-8"}},
        {{"LANG", "es_ES.UTF-8"}, {"LC_MESSAGES", "en_AU.UTF-8"}},
        {{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "de:en"}}, // German has no file: the next language wanted
    };
    QTemporaryDir temp;
    int n = 0;
    for (const auto &variables : cases) {
        const QString root = temp.filePath(QString::number(++n));
        const QString base = root + QStringLiteral("/base");
        QDir().mkpath(base);
        for (const QString name : {QStringLiteral("english.cti"), QStringLiteral("español.cti")})
            QFile::copy(QStringLiteral(CARTLING_SOURCE_DIR "/data/") + name, base + u'/' + name);
        ProgramRun run(root, true);
        QString shown;
        for (const char *name : {"LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            run.environment().remove(QString::fromLatin1(name));
        for (const auto &[name, value] : variables) {
            run.environment().insert(QString::fromLatin1(name), QString::fromLatin1(value));
            shown += QStringLiteral("%1=%2 ").arg(QLatin1String(name), QLatin1String(value));
        }
        const std::unique_ptr<QProcess> program = run.start(QStringLiteral(CARTLING_PROGRAM), {}, base);
        // The choice is stored as the windows are made, moments after the base folder's folders.
        QElapsedTimer clock, sinceFolders;
        clock.start();
        QByteArray ini;
        while (!ini.contains("ArchNameInd") && program->state() != QProcess::NotRunning && clock.elapsed() < 60000 &&
               !(sinceFolders.isValid() && sinceFolders.elapsed() > 5000)) {
            program->waitForFinished(100);
            if (!sinceFolders.isValid() && QFile::exists(base + QStringLiteral("/Shoots")))
                sinceFolders.start();
            QFile file(base + QStringLiteral("/Cartling.ini"));
            ini = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }
        program->kill();
        program->waitForFinished();
        EXPECT_TRUE(ini.contains("ArchName=english.cti\r\n"))
            << qPrintable(shown) << ini.constData() << program->readAllStandardError().constData();
        EXPECT_TRUE(ini.contains("ArchId=" + QFile::encodeName(base) + "/english.cti\r\n")) << qPrintable(shown);
    }
}

} // namespace
