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
#include <optional>

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

// The masks in use are "*" and an extension: what such a pattern asks the name to end with, compared at once
// rather than by the general matcher (most of what a start with a large folder does beside reading it).
std::optional<QStringView> plainEnd(QStringView pattern)
{
    if (!pattern.startsWith(u'*'))
        return std::nullopt;
    const QStringView end = pattern.mid(1);
    if (end.contains(u'*') || end.contains(u'?'))
        return std::nullopt;
    return end;
}

bool endsWithoutCase(QStringView name, QStringView end)
{
    return name.size() >= end.size() && std::equal(end.begin(), end.end(), name.end() - end.size(), sameChar);
}

// Sorts the names in ascending order without regard to case, as QString::compare gives it; each name is folded
// once, not at every comparison.
void sortWithoutCase(QStringList &names)
{
    std::vector<std::pair<QString, qsizetype>> keys;
    keys.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString &name = names[i];
        QString key(name.size(), Qt::Uninitialized);
        char16_t *out = reinterpret_cast<char16_t *>(key.data());
        for (qsizetype j = 0; j < name.size(); ++j)
            out[j] = folded(name[j]);
        keys.emplace_back(std::move(key), i);
    }
    std::stable_sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const auto &key : keys)
        sorted.append(std::move(names[key.second]));
    names = std::move(sorted);
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
        const auto end = plainEnd(p);
        for (const QString &name : names) {
            if (end ? endsWithoutCase(name, *end) : matches(p, name))
                entries.append(name);
        }
    }
    sortWithoutCase(entries);
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
    if (const auto end = plainEnd(pattern))
        return endsWithoutCase(name, *end);
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
