#include "platform/FileRename.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace FileRename {

#ifdef Q_OS_UNIX

namespace {

enum class Outcome
{
    Renamed,
    Exists,
    Failed,
};

// One rename that refuses an existing target.
Outcome renameExclusive(const char *from, const char *to)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return Outcome::Renamed;
    if (errno == EEXIST)
        return Outcome::Exists;
    // Some file systems (network shares, older kernels) do not take the flag; anything else is a real refusal.
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return Outcome::Failed;
#endif
    // A hard link refuses an existing name just as well; the old name then goes.
    if (::link(from, to) == 0) {
        if (::unlink(from) == 0)
            return Outcome::Renamed;
        ::unlink(to);
        return Outcome::Failed;
    }
    if (errno == EEXIST)
        return Outcome::Exists;
    if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK && errno != ENOSYS)
        return Outcome::Failed;
    // No hard links here (FAT cards, some shares): a look, then the plain rename. Only on such a file system can
    // a file that appears between the two be replaced.
    struct stat st;
    if (::lstat(to, &st) == 0 || errno != ENOENT)
        return Outcome::Exists;
    return ::rename(from, to) == 0 ? Outcome::Renamed : Outcome::Failed;
}

bool sameFile(const char *a, const char *b)
{
    struct stat x, y;
    return ::lstat(a, &x) == 0 && ::lstat(b, &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

// A name beside `path` that nothing holds yet, for the middle step of a change of case.
QByteArray unusedNameBeside(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = path.left(slash + 1);
    for (int n = 0; n < 1000; ++n) {
        const QByteArray candidate =
            folder + ".cartling-rename-" + QByteArray::number(::getpid()) + '-' + QByteArray::number(n);
        struct stat st;
        if (::lstat(candidate.constData(), &st) != 0 && errno == ENOENT)
            return candidate;
    }
    return {};
}

} // namespace

bool renameWithoutReplacing(const QByteArray &from, const QByteArray &to)
{
    if (from.contains('\0') || to.contains('\0') || from.isEmpty() || to.isEmpty() || from == to)
        return false;
    return renameExclusive(from.constData(), to.constData()) == Outcome::Renamed;
}

bool renameWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    // A name holding a NUL would reach the system cut short, naming another file.
    if (source.contains('\0') || target.contains('\0') || source.isEmpty() || target.isEmpty())
        return false;
    if (source == target)
        return QFileInfo::exists(from);
    switch (renameExclusive(source.constData(), target.constData())) {
    case Outcome::Renamed:
        return true;
    case Outcome::Failed:
        return false;
    case Outcome::Exists:
        break;
    }
    // Where case is ignored, the new name finds the file itself; the system takes such a rename as done without
    // doing it, so the file goes to a free name first and from there to the new one.
    if (!sameFile(source.constData(), target.constData()) || QString::compare(from, to, Qt::CaseInsensitive) != 0)
        return false;
    const QByteArray middle = unusedNameBeside(source);
    if (middle.isEmpty() || renameExclusive(source.constData(), middle.constData()) != Outcome::Renamed)
        return false;
    if (renameExclusive(middle.constData(), target.constData()) == Outcome::Renamed)
        return true;
    renameExclusive(middle.constData(), source.constData());
    return false;
}

#else

bool renameWithoutReplacing(const QByteArray &from, const QByteArray &to)
{
    return renameWithoutReplacing(QFile::decodeName(from), QFile::decodeName(to));
}

bool renameWithoutReplacing(const QString &from, const QString &to)
{
    // The system's move refuses an existing target and takes a change of case as a rename.
    if (from.contains(QChar(0)) || to.contains(QChar(0)))
        return false;
    return QFile::rename(from, to);
}

#endif

} // namespace FileRename
