#include "library/RomTitle.h"

#include "platform/ErrorHandler.h"
#include "platform/FileAttributes.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString headerTitle(const QByteArray &header)
{
    QString title;
    const qsizetype end = qMin(header.size(), RomTitle::Offset + RomTitle::Length);
    for (qsizetype i = RomTitle::Offset; i < end; ++i) {
        const auto byte = static_cast<unsigned char>(header[i]);
        // Colour games keep their flag 0x80 in the last title byte; it reads as a blank.
        if (byte == 128)
            title += u' ';
        else if (byte >= 32 && byte < 128)
            title += QChar(byte);
    }
    return title;
}

namespace {

[[noreturn]] void cannotRead(const QString &path, const QString &reason)
{
    throw CartlingError(
        QStringLiteral("Unable to read the ROM file %1: %2").arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

QString readCartridgeTitle(const QString &path)
{
#ifdef Q_OS_UNIX
    // Plain system calls: a title run reads thousands of headers, and QFile's own bookkeeping would cost more
    // than the reads. The file is opened first so that one fstat tells whether the attribute needs changing;
    // without blocking, so a pipe with a ROM's name cannot hang the program.
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        FileAttributes::makePlainArchive(path);
        cannotRead(path, qt_error_string(error));
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        cannotRead(path, QStringLiteral("not a file"));
    }
    if (!(st.st_mode & S_IWUSR))
        FileAttributes::makePlainArchive(path);
    char header[RomTitle::HeaderSize];
    qsizetype have = 0;
    while (have < RomTitle::HeaderSize) {
        const ssize_t n = ::read(fd, header + have, size_t(RomTitle::HeaderSize - have));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            cannotRead(path, qt_error_string(error));
        }
        if (n == 0)
            break;
        have += n;
    }
    ::close(fd);
    return headerTitle(QByteArray::fromRawData(header, have));
#else
    FileAttributes::makePlainArchive(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        cannotRead(path, file.errorString());
    QByteArray header;
    while (header.size() < RomTitle::HeaderSize) {
        const QByteArray part = file.read(RomTitle::HeaderSize - header.size());
        if (part.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                cannotRead(path, file.errorString());
            break;
        }
        header += part;
    }
    return headerTitle(header);
#endif
}
