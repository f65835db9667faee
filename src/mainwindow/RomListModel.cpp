#include "mainwindow/RomListModel.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

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

bool sameChar(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

} // namespace

RomListModel::RomListModel(QObject *parent) : QAbstractListModel(parent) {}

int RomListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant RomListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const Entry &e = m_entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return e.caption;
    case Qt::ToolTipRole:
        return QDir::toNativeSeparators(e.fullPath);
    default:
        return {};
    }
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
    QStringList names;
    if (!m_folder.isEmpty()) {
        QDirIterator it(m_folder, QDir::Files | QDir::Hidden | QDir::System);
        while (it.hasNext()) {
            it.next();
            names.append(it.fileName());
        }
    }
    QVector<Entry> entries;
    const QStringList patterns = m_mask.split(u';', Qt::SkipEmptyParts);
    for (const QString &pattern : patterns) {
        const QString p = pattern.trimmed();
        for (const QString &name : std::as_const(names)) {
            if (matches(p, name))
                entries.append({name, m_folder + name});
        }
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.caption.compare(b.caption, Qt::CaseInsensitive) < 0;
    });
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
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
