#include "ToolTestSupport.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <zip.h>

ToolRun runTool(const QString &program, const QStringList &arguments, const QString &workingFolder,
                const QList<QPair<QString, QString>> &environment)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name :
         {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "ZIBO_STANDIN_RECORD", "ZIBO_STANDIN_SHOT"})
        env.remove(QString::fromLatin1(name));
    for (const auto &[name, value] : environment)
        env.insert(name, value);

    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    ToolRun run;
    run.finished = process.waitForFinished(60000);
    if (!run.finished)
        process.kill();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = process.readAllStandardOutput();
    run.errors = process.readAllStandardError();
    return run;
}

void writeArchive(const QString &path, const QList<QPair<QString, QByteArray>> &members)
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr) << qPrintable(path);
    for (const auto &[name, bytes] : members) {
        zip_source_t *source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        ASSERT_GE(zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

QList<QPair<QString, QByteArray>> readArchive(const QString &path)
{
    QList<QPair<QString, QByteArray>> members;
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return members;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, zip_uint64_t(i), 0, &stat);
        QByteArray bytes(qsizetype(stat.size), '\0');
        zip_file_t *file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        if (file) {
            bytes.resize(qsizetype(qMax<zip_int64_t>(0, zip_fread(file, bytes.data(), stat.size))));
            zip_fclose(file);
        }
        members.append({QString::fromUtf8(stat.name), bytes});
    }
    zip_discard(archive);
    return members;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(path);
    ASSERT_EQ(file.write(bytes), bytes.size());
}
