#include "platform/FileCopy.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <filesystem>
#include <memory>
#include <system_error>

namespace FileCopy {

namespace {

// A new file beside the target, opened create-exclusive so neither an existing file nor a planted link is
// ever written through.
std::unique_ptr<QFile> createPartFile(const QString &target)
{
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 8; ++attempt) {
        auto file = std::make_unique<QFile>(info.path() + QStringLiteral("/.") + info.fileName() + u'.' +
                                            QString::number(QRandomGenerator::global()->generate64(), 36) +
                                            QStringLiteral(".part"));
        if (file->open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file;
    }
    return nullptr;
}

} // namespace

bool replace(const QString &source, const QString &target, const std::function<bool()> &beforeReplacing)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const std::unique_ptr<QFile> part = createPartFile(target);
    if (!part)
        return false;
    static constexpr qint64 chunk = 1 << 20;
    const auto buffer = std::make_unique<char[]>(chunk);
    bool whole = true;
    for (;;) {
        const qint64 n = in.read(buffer.get(), chunk);
        if (n == 0)
            break;
        if (n < 0 || part->write(buffer.get(), n) != n) {
            whole = false;
            break;
        }
    }
    whole = whole && part->flush();
    if (whole)
        part->setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime);
    part->close();
    whole = whole && part->error() == QFileDevice::NoError && (!beforeReplacing || beforeReplacing());
    std::error_code error;
    if (whole)
        std::filesystem::rename(part->filesystemFileName(), QFile(target).filesystemFileName(), error);
    if (!whole || error) {
        part->remove();
        return false;
    }
    return true;
}

} // namespace FileCopy
