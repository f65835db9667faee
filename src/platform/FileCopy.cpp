#include "platform/FileCopy.h"

#include "platform/FileRename.h"

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

// The source copied whole into a new part file beside the target, closed, with the source's modification time;
// nothing (and no part file left) when it could not be read or written whole.
std::unique_ptr<QFile> copyToPart(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return nullptr;
    std::unique_ptr<QFile> part = createPartFile(target);
    if (!part)
        return nullptr;
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
    if (!whole || part->error() != QFileDevice::NoError) {
        part->remove();
        return nullptr;
    }
    return part;
}

} // namespace

bool replace(const QString &source, const QString &target, const std::function<bool()> &beforeReplacing)
{
    const std::unique_ptr<QFile> part = copyToPart(source, target);
    if (!part)
        return false;
    const bool go = !beforeReplacing || beforeReplacing();
    std::error_code error;
    if (go)
        std::filesystem::rename(part->filesystemFileName(), QFile(target).filesystemFileName(), error);
    if (!go || error) {
        part->remove();
        return false;
    }
    return true;
}

bool copyWithoutReplacing(const QString &source, const QString &target)
{
    const std::unique_ptr<QFile> part = copyToPart(source, target);
    if (!part)
        return false;
    if (!FileRename::renameWithoutReplacing(part->fileName(), target)) {
        part->remove();
        return false;
    }
    return true;
}

} // namespace FileCopy
