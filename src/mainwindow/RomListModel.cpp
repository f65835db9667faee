#include "mainwindow/RomListModel.h"

#include "language/MessageTable.h"
#include "language/SafetyTexts.h"
#include "library/FileOperations.h"
#include "library/GameRename.h"
#include "platform/Messages.h"
#include "platform/NameEncoding.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <cstring>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace {

// Folder names compare as the file system does: without regard to case only where it ignores case.
constexpr Qt::CaseSensitivity kFolderCase =
#ifdef Q_OS_WIN
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

QString withSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

// The character as compared without regard to case; plain ASCII letters, by far the most common in file
// names, take the short way.
char16_t folded(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
    return c.toCaseFolded().unicode();
}

bool sameChar(QChar a, QChar b)
{
    return a == b || folded(a) == folded(b);
}

// Ascending order without regard to case, as QString::compare gives it, without building folded copies.
bool lessWithoutCase(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = folded(a[i]), y = folded(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

} // namespace

RomListModel::RomListModel(QObject *parent) : QAbstractListModel(parent) {}

int RomListModel::rowCount(const QModelIndex &parent) const
{
    // The views see the entries of the last reset; a pending re-read reaches them with its own reset.
    return parent.isValid() ? 0 : int(m_names.size());
}

QVariant RomListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_names.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_names.at(index.row());
    case Qt::ToolTipRole: {
        QString tip = QDir::toNativeSeparators(m_folder + m_names.at(index.row()));
        for (const RowNote &note : notesFor(index.row())) {
            if (!note.tooltip.isEmpty())
                tip += u'\n' + note.tooltip;
        }
        return tip;
    }
    case Qt::AccessibleDescriptionRole: {
        QStringList lines;
        for (const RowNote &note : notesFor(index.row()))
            lines.append(note.tooltip);
        lines.removeAll(QString());
        return lines.isEmpty() ? QVariant() : QVariant(lines.join(QStringLiteral(", ")));
    }
    case MarksRole: {
        QStringList marks;
        for (const RowNote &note : notesFor(index.row()))
            marks.append(note.mark);
        marks.removeAll(QString());
        return marks.join(u' ');
    }
    case FullPathRole:
        return m_folder + m_names.at(index.row());
    case RawNameRole:
        return m_rawNames.value(m_names.at(index.row()));
    default:
        return {};
    }
}

std::vector<RomListModel::RowNote> RomListModel::notesFor(int row) const
{
    std::vector<RowNote> notes;
    const QString &name = m_names.at(row);
    const QByteArray raw = m_rawNames.value(name);
    // A name that is not text names no file: said on the row itself, whatever features are in use.
    if (!raw.isEmpty()) {
        notes.push_back({QStringLiteral("\u26A0"),
                         messageTable().text(SafetyText::UndecodableNameTip).arg(NameEncoding::windowsReading(raw))});
    }
    if (m_rowNotes.empty())
        return notes;
    const Entry entry{name, m_folder + name, raw};
    notes.reserve(notes.size() + m_rowNotes.size());
    for (const RowNotes &feature : m_rowNotes)
        notes.push_back(feature(entry));
    return notes;
}

void RomListModel::notesChanged()
{
    if (!m_names.isEmpty())
        emit dataChanged(index(0), index(int(m_names.size()) - 1), {Qt::ToolTipRole, MarksRole});
}

Qt::ItemFlags RomListModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractListModel::flags(index);
    return index.isValid() ? flags | Qt::ItemIsEditable : flags;
}

bool RomListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_names.size())
        return false;
    const QString path = m_folder + m_names.at(index.row());
    if (!FileOperations::renameByHand(path, value.toString()))
        return false;
    reread();
    // The game's saves, shots and records follow.
    GameRename rename(GameRename::Lists::Records);
    rename.follow(path, m_folder + value.toString());
    if (!rename.notes().isEmpty())
        showMessage(rename.notes().join(u'\n'));
    return true;
}

int RomListModel::count() const
{
    readIfAsked();
    return int(m_names.size());
}

RomListModel::Entry RomListModel::entry(int row) const
{
    readIfAsked();
    const QString &name = m_names.at(row);
    return {name, m_folder + name, m_rawNames.value(name)};
}

const QString &RomListModel::caption(int row) const
{
    readIfAsked();
    return m_names.at(row);
}

const QStringList &RomListModel::captions() const
{
    readIfAsked();
    return m_names;
}

bool RomListModel::setFolder(const QString &folder)
{
    if (folder.isEmpty() || withSlash(folder).compare(m_folder, kFolderCase) == 0)
        return false;
    if (!QFileInfo(folder).isDir())
        return false;
    m_folder = withSlash(QDir::cleanPath(QDir(folder).absolutePath()));
    QDir::setCurrent(m_folder);
    reread();
    return true;
}

void RomListModel::setMask(const QString &mask)
{
    if (mask == m_mask)
        return;
    m_mask = mask;
    reread();
}

void RomListModel::reread()
{
    m_readAsked = true;
    if (m_readScheduled)
        return;
    m_readScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_readScheduled = false;
        readIfAsked();
    });
}

void RomListModel::readIfAsked() const
{
    // Reading is part of answering what the list holds, so it counts as a const operation.
    if (m_readAsked)
        const_cast<RomListModel *>(this)->readNow();
}

void RomListModel::readNow()
{
    m_readAsked = false;
    QHash<QString, QByteArray> rawNames;
    const QStringList names = m_folder.isEmpty() ? QStringList() : fileNames(m_folder, &rawNames);
    QStringList entries;
    const QStringList patterns = m_mask.split(u';', Qt::SkipEmptyParts);
    for (const QString &pattern : patterns) {
        const QString p = pattern.trimmed();
        for (const QString &name : names) {
            if (matches(p, name))
                entries.append(name);
        }
    }
    std::stable_sort(entries.begin(), entries.end(), lessWithoutCase);
    beginResetModel();
    m_names = std::move(entries);
    m_rawNames = std::move(rawNames);
    endResetModel();
}

QStringList RomListModel::fileNames(const QString &folder, QHash<QString, QByteArray> *undecodable)
{
    QStringList names;
#ifdef Q_OS_UNIX
    // One pass over the folder; the entry's type from the folder itself where the file system gives it, so
    // that only links and entries of unknown type cost a look at the file.
    const QByteArray encoded = QFile::encodeName(folder);
    DIR *dir = ::opendir(encoded.constData());
    if (!dir)
        return names;
    const int fd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        bool folderEntry = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info;
            // A link counts as what it points to; a broken link is listed like any other file.
            folderEntry = ::fstatat(fd, name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        if (folderEntry)
            continue;
        names.append(QFile::decodeName(name));
        if (undecodable && !NameEncoding::isText(QByteArray::fromRawData(name, qsizetype(std::strlen(name)))))
            undecodable->insert(names.last(), QByteArray(name));
    }
    ::closedir(dir);
#else
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
#endif
    return names;
}

bool RomListModel::matches(QStringView pattern, QStringView name)
{
    // Iterative glob with one backtrack point: linear for the masks in use.
    qsizetype p = 0, n = 0, star = -1, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || (pattern[p] != u'*' && sameChar(pattern[p], name[n])))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            mark = n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}
