#include "ArchiveTestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>

int ArchiveTest::run(const QString &program, const QStringList &arguments, QByteArray *output) const
{
    QProcess process;
    process.setWorkingDirectory(m_base);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitCode();
}

QStringList ArchiveTest::listing(const QString &archive) const
{
    QByteArray output;
    EXPECT_EQ(run("unzip", {"-Z1", path(archive)}, &output), 0);
    QStringList names = QString::fromUtf8(output).split(u'\n', Qt::SkipEmptyParts);
    names.sort();
    return names;
}

void ArchiveTest::makeArchive(const QString &name, const QList<Member> &members) const
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path(name)).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const Member &m : members) {
        zip_source_t *data = zip_source_buffer(archive, m.data.constData(), zip_uint64_t(m.data.size()), 0);
        const zip_int64_t index = zip_file_add(archive, m.name.constData(), data, m.nameEncoding);
        ASSERT_GE(index, 0) << m.name.constData();
        zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, m.unixMode << 16);
        if (m.stored)
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
        if (m.modified)
            zip_file_set_mtime(archive, zip_uint64_t(index), m.modified, 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

QStringList ArchiveTest::entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

void ArchiveTest::lieAboutSize(const QString &archive) const
{
    QByteArray bytes = readFile(archive);
    const char declared[4] = {char(0xe8), 0x03, 0, 0};
    bytes.replace(bytes.indexOf("PK\x03\x04") + 22, 4, declared, 4);
    bytes.replace(bytes.indexOf("PK\x01\x02") + 24, 4, declared, 4);
    writeFile(archive, bytes);
}
