#include "library/RomTitle.h"

#include "platform/ErrorHandler.h"
#include "platform/FileAttributes.h"
#include "platform/PathHelpers.h"

#include <QDir>
#include <QFile>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The title of the header bytes into `title` (room for RomTitle::Length); gives its length.
qsizetype titleInto(const unsigned char *header, qsizetype size, char16_t *title)
{
    qsizetype kept = 0;
    const qsizetype end = qMin(size, RomTitle::Offset + RomTitle::Length);
    for (qsizetype i = RomTitle::Offset; i < end; ++i) {
        const unsigned char byte = header[i];
        // Colour games keep their flag 0x80 in the last title byte; it reads as a blank.
        if (byte == 128)
            title[kept++] = u' ';
        else if (byte >= 32 && byte < 128)
            title[kept++] = byte;
    }
    return kept;
}

} // namespace

QString headerTitle(const QByteArray &header)
{
    char16_t title[RomTitle::Length];
    const qsizetype kept = titleInto(reinterpret_cast<const unsigned char *>(header.constData()), header.size(), title);
    return QString(reinterpret_cast<const QChar *>(title), kept);
}

namespace {

[[noreturn]] void cannotRead(const QString &path, const QString &reason)
{
    throw CartlingError(
        QStringLiteral("Unable to read the ROM file %1: %2").arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

#ifdef Q_OS_UNIX
namespace {

// The title of the file `name`, opened relative to the folder handle (AT_FDCWD for a whole path); `path` names
// the file in messages and for its attribute; the title goes to `title`, its length is returned. Plain system calls: a
// title run reads thousands of headers, and QFile's own bookkeeping would cost more than the reads. The file is opened
// first so that one fstat tells whether the attribute needs changing; without blocking, so a pipe with a ROM's name
// cannot hang the program.
qsizetype readTitleAt(int folder, const char *name, const QString &path, char16_t *title)
{
    const int fd = ::openat(folder, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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
    unsigned char header[RomTitle::HeaderSize];
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
    return titleInto(header, have, title);
}

} // namespace
#endif

QString readCartridgeTitle(const QString &path)
{
#ifdef Q_OS_UNIX
    char16_t title[RomTitle::Length];
    const qsizetype kept = readTitleAt(AT_FDCWD, QFile::encodeName(path).constData(), path, title);
    return QString(reinterpret_cast<const QChar *>(title), kept);
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

CartridgeTitleReader::~CartridgeTitleReader()
{
#ifdef Q_OS_UNIX
    if (m_folderHandle >= 0)
        ::close(m_folderHandle);
#endif
}

QString CartridgeTitleReader::read(const QString &path)
{
    return readView(path).toString();
}

QStringView CartridgeTitleReader::readView(const QString &path)
{
#ifdef Q_OS_UNIX
    const qsizetype slash = lastOf(path, u'/');
    if (slash < 0 || slash + 1 == path.size())
        return ownCopy(readCartridgeTitle(path));
    const QStringView folder = QStringView(path).first(qMax<qsizetype>(slash, 1)); // "/" stays itself
    if (!m_folderTried || folder != m_folder) {
        if (m_folderHandle >= 0)
            ::close(m_folderHandle);
        m_folder = folder.toString();
#ifdef O_PATH
        constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
        constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif
        m_folderHandle = ::open(QFile::encodeName(m_folder).constData(), kFolderFlags);
        m_folderTried = true;
    }
    // A folder that cannot be opened: the whole path gives the file's own error.
    if (m_folderHandle < 0)
        return ownCopy(readCartridgeTitle(path));
    // Most names are plain ASCII, which needs no conversion and no allocation.
    const QStringView name = QStringView(path).sliced(slash + 1);
    char plain[256];
    char16_t odd = 0;
    if (name.size() < qsizetype(sizeof plain)) {
        for (qsizetype i = 0; i < name.size(); ++i) {
            plain[i] = char(name[i].unicode());
            odd |= name[i].unicode() & 0xFF80;
        }
        plain[name.size()] = '\0';
    }
    if (name.size() < qsizetype(sizeof plain) && odd == 0)
        return QStringView(m_title, readTitleAt(m_folderHandle, plain, path, m_title));
    return QStringView(m_title,
                       readTitleAt(m_folderHandle, QFile::encodeName(name.toString()).constData(), path, m_title));
#else
    return ownCopy(readCartridgeTitle(path));
#endif
}

QStringView CartridgeTitleReader::ownCopy(const QString &title)
{
    const qsizetype kept = qMin(title.size(), RomTitle::Length);
    std::copy_n(title.utf16(), kept, m_title);
    return QStringView(m_title, kept);
}
