#include "mainwindow/GameFilterModel.h"

#include "library/SearchText.h"
#include "platform/PathHelpers.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <algorithm>

GameFilterModel::GameFilterModel(RomListModel &source, QObject *parent) : QAbstractListModel(parent), m_source(source)
{
    connect(&m_source, &QAbstractItemModel::modelReset, this, [this] {
        m_folded.clear();
        ++m_generation;
        rebuild();
    });
    connect(&m_source, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &, const QModelIndex &, const QList<int> &roles) {
                if (!m_shown.empty())
                    emit dataChanged(index(0), index(int(m_shown.size()) - 1), roles);
            });
    rebuild();
}

void GameFilterModel::setTitleSource(std::function<Titles()> titles)
{
    m_loadTitles = std::move(titles);
    titlesChanged();
}

void GameFilterModel::setRecordSource(std::function<QHash<QString, PlayRecord>()> records)
{
    m_loadRecords = std::move(records);
    recordsChanged();
}

// ---- What is shown ----

void GameFilterModel::setFilterText(const QString &typed)
{
    m_typed = typed;
    QStringList words = SearchText::words(typed);
    if (words == m_words)
        return;
    // Words that each contain one of the words before can only keep fewer of the rows shown now.
    const bool narrower = std::all_of(m_words.cbegin(), m_words.cend(), [&words](const QString &old) {
        return std::any_of(words.cbegin(), words.cend(), [&old](const QString &word) { return word.contains(old); });
    });
    m_words = std::move(words);
    m_wordBytes.clear();
    for (const QString &word : m_words)
        m_wordBytes.append(word.toUtf8());
    if (narrower)
        narrow();
    else
        rebuild();
}

void GameFilterModel::setRows(Rows rows)
{
    if (rows == m_rows)
        return;
    m_rows = rows;
    rebuild();
}

void GameFilterModel::setShowTitles(bool on)
{
    if (on == m_showTitles)
        return;
    m_showTitles = on;
    rebuild();
}

void GameFilterModel::titlesChanged()
{
    m_titlesLoaded = false;
    m_titles.clear();
    m_folded.clear();
    ++m_generation;
    if (m_showTitles || !m_words.isEmpty())
        rebuild();
}

void GameFilterModel::recordsChanged()
{
    m_recordsLoaded = false;
    m_records.clear();
    if (m_rows != Rows::All)
        rebuild();
}

int GameFilterModel::rowOf(int sourceRow) const
{
    const auto found = std::find(m_shown.cbegin(), m_shown.cend(), sourceRow);
    return found == m_shown.cend() ? -1 : int(found - m_shown.cbegin());
}

bool GameFilterModel::readDueFolder()
{
    // Its reset brings us back through the source's modelReset, which must not rebuild meanwhile.
    const int generation = m_generation;
    m_flushing = true;
    m_source.count();
    m_flushing = false;
    return m_generation != generation;
}

void GameFilterModel::rebuild()
{
    // A read of the folder that is due comes first.
    if (m_flushing)
        return;
    readDueFolder();

    beginResetModel();
    m_shown.clear();
    const int total = m_source.rowCount();
    m_shown.reserve(size_t(total));
    for (int row = 0; row < total; ++row) {
        if (keeps(row))
            m_shown.push_back(row);
    }
    if (m_rows == Rows::RecentlyPlayed) {
        std::vector<QDateTime> last(static_cast<size_t>(total));
        for (int row : m_shown)
            last[size_t(row)] = recordMap().value(PlayRecords::key(stemOf(m_source.caption(row)))).lastPlayed;
        std::stable_sort(m_shown.begin(), m_shown.end(),
                         [&last](int a, int b) { return last[size_t(a)] > last[size_t(b)]; });
    } else if (m_showTitles) {
        std::vector<QString> keys(static_cast<size_t>(total));
        for (int row : m_shown)
            keys[size_t(row)] = SearchText::fold(shownText(row));
        std::stable_sort(m_shown.begin(), m_shown.end(),
                         [&keys](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    }
    endResetModel();
}

void GameFilterModel::narrow()
{
    // Rows of a list read before a due read are no rows of the new one: a refresh followed by a letter typed
    // before the list was read again narrowed stale rows and crashed.
    if (readDueFolder()) {
        rebuild();
        return;
    }
    beginResetModel();
    m_shown.erase(std::remove_if(m_shown.begin(), m_shown.end(), [&](int row) { return !keeps(row); }), m_shown.end());
    endResetModel();
}

bool GameFilterModel::keeps(int sourceRow) const
{
    if (m_rows != Rows::All) {
        const PlayRecord record = recordMap().value(PlayRecords::key(stemOf(m_source.caption(sourceRow))));
        if (m_rows == Rows::Favourites ? !record.favourite : !record.played())
            return false;
    }
    return m_wordBytes.isEmpty() || SearchText::containsAll(foldedText(sourceRow), m_wordBytes);
}

namespace {

QByteArray foldedEntry(const QString &caption, const GameFilterModel::Titles &titles)
{
    // The file name and the title, apart, so that no word is found across the two.
    return (SearchText::fold(caption) + u'\n' + SearchText::fold(titles.value(stemOf(caption).toCaseFolded())))
        .toUtf8();
}

} // namespace

void GameFilterModel::prepareForTyping()
{
    if (m_preparing || (!m_folded.empty() && m_titlesLoaded))
        return;
    m_preparing = true;
    const int generation = m_generation;
    const QStringList captions = m_source.captions();
    std::function<Titles()> titles = m_loadTitles;
    if (m_titlesLoaded)
        titles = [loaded = m_titles] { return loaded; };
    const QPointer<GameFilterModel> self(this);
    QThreadPool::globalInstance()->start([self, generation, captions, titles] {
        const Titles read = titles ? titles() : Titles();
        std::vector<QByteArray> folded;
        folded.reserve(size_t(captions.size()));
        for (const QString &caption : captions)
            folded.push_back(foldedEntry(caption, read));
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, generation, read, folded = std::move(folded)]() mutable {
                if (!self)
                    return;
                self->m_preparing = false;
                if (self->m_generation != generation)
                    return;
                if (!self->m_titlesLoaded) {
                    self->m_titles = read;
                    self->m_titlesLoaded = true;
                }
                self->m_folded = std::move(folded);
            },
            Qt::QueuedConnection);
    });
}

// ---- Titles and records, read when first needed ----

const GameFilterModel::Titles &GameFilterModel::titleMap() const
{
    if (!m_titlesLoaded) {
        m_titles = m_loadTitles ? m_loadTitles() : Titles();
        m_titlesLoaded = true;
    }
    return m_titles;
}

const QHash<QString, PlayRecord> &GameFilterModel::recordMap() const
{
    if (!m_recordsLoaded) {
        m_records = m_loadRecords ? m_loadRecords() : QHash<QString, PlayRecord>();
        m_recordsLoaded = true;
    }
    return m_records;
}

QString GameFilterModel::titleOf(int sourceRow) const
{
    return titleMap().value(stemOf(m_source.caption(sourceRow)).toCaseFolded());
}

QString GameFilterModel::shownText(int sourceRow) const
{
    const QString title = titleOf(sourceRow);
    return title.isEmpty() ? m_source.caption(sourceRow) : title;
}

QByteArrayView GameFilterModel::foldedText(int sourceRow) const
{
    if (m_folded.size() != size_t(m_source.rowCount()))
        m_folded.assign(size_t(m_source.rowCount()), QByteArray());
    QByteArray &folded = m_folded[size_t(sourceRow)];
    if (folded.isNull())
        folded = foldedEntry(m_source.caption(sourceRow), titleMap());
    return folded;
}

// ---- The model ----

int GameFilterModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant GameFilterModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_shown.size())
        return {};
    const int row = sourceRow(index.row());
    const QModelIndex source = m_source.index(row);
    if (!m_showTitles)
        return source.data(role);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return shownText(row);
    case Qt::ToolTipRole: {
        // The file name, which the title hides, then what features say of the file.
        QStringList lines = source.data(role).toString().split(u'\n');
        lines[0] = m_source.caption(row);
        return lines.join(u'\n');
    }
    default:
        return source.data(role);
    }
}

Qt::ItemFlags GameFilterModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || size_t(index.row()) >= m_shown.size())
        return QAbstractListModel::flags(index);
    return m_source.flags(m_source.index(sourceRow(index.row())));
}

bool GameFilterModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || size_t(index.row()) >= m_shown.size())
        return false;
    return m_source.setData(m_source.index(sourceRow(index.row())), value, role);
}
