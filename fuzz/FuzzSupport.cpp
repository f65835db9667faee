#include "FuzzSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

QString fuzzFolder()
{
    static QTemporaryDir folder;
    if (!folder.isValid())
        fuzzFailure(__FILE__, __LINE__, QStringLiteral("no temporary folder: %1").arg(folder.errorString()));
    return folder.path();
}

void writeFuzzFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fuzzFailure(__FILE__, __LINE__, QStringLiteral("cannot write %1").arg(path));
}

void fuzzFailure(const char *file, int line, const QString &message)
{
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, message.toLocal8Bit().constData());
    std::fflush(stderr);
    std::abort();
}
