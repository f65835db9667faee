#pragma once

#include "library/PlayRecords.h"
#include "mainwindow/RomListModel.h"
#include "mainwindow/Views.h"

#include <QAbstractListModel>
#include <QHash>
#include <functional>
#include <vector>

// The rows of the ROM list as the list shows them: the entries of the ROM list model narrowed to those in
// which every typed word occurs (in the file name or the game's title, without regard to case or accents),
// showing titles in place of file names when asked, and in two views of their own the favourites and the
// games played, most recent first. With no words typed, titles off and the ordinary views, it shows exactly
// the ROM list model's rows.
class GameFilterModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using Rows = ViewRows;
    // Titles by stem folded to one case, as the title list holds them.
    using Titles = QHash<QString, QString>;

    explicit GameFilterModel(RomListModel &source, QObject *parent = nullptr);

    RomListModel &source() const { return m_source; }
    // Where titles and play records come from: asked for when first needed and again after titlesChanged()
    // or recordsChanged(), never per keystroke. Without a source there are none. The title source may be
    // asked on a worker thread.
    void setTitleSource(std::function<Titles()> titles);
    void setRecordSource(std::function<QHash<QString, PlayRecord>()> records);

    void setFilterText(const QString &typed);
    const QString &filterText() const { return m_typed; }
    void setRows(Rows rows);
    Rows rows() const { return m_rows; }
    void setShowTitles(bool on);
    bool showTitles() const { return m_showTitles; }
    // Reads the titles and folds every file name and title on a worker thread, so that the first word typed
    // finds them ready; a word typed before they are does the work itself.
    void prepareForTyping();

    // The title list or the play records changed on disk.
    void titlesChanged();
    void recordsChanged();

    // The source row of a shown row, and the shown row of a source row (-1 when it is not shown).
    int sourceRow(int row) const { return m_shown.at(size_t(row)); }
    int rowOf(int sourceRow) const;
    RomListModel::Entry entry(int row) const { return m_source.entry(sourceRow(row)); }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    // Reads the source's folder when a read is due; true when it was read (and the source reset).
    bool readDueFolder();
    // The shown rows made again from the source (a reset of the views).
    void rebuild();
    // Only the rows shown now can match words that narrow the ones before.
    void narrow();
    bool keeps(int sourceRow) const;
    const Titles &titleMap() const;
    const QHash<QString, PlayRecord> &recordMap() const;
    QString titleOf(int sourceRow) const;
    QString shownText(int sourceRow) const;
    QByteArrayView foldedText(int sourceRow) const;

    RomListModel &m_source;
    std::function<Titles()> m_loadTitles;
    std::function<QHash<QString, PlayRecord>()> m_loadRecords;
    QString m_typed;
    QStringList m_words;
    QList<QByteArray> m_wordBytes; // the words in UTF-8, as the folded texts are held
    Rows m_rows = Rows::All;
    bool m_showTitles = false;
    std::vector<int> m_shown;
    bool m_flushing = false;

    mutable Titles m_titles;
    mutable bool m_titlesLoaded = false;
    mutable QHash<QString, PlayRecord> m_records;
    mutable bool m_recordsLoaded = false;
    // Each source row's file name and title, folded for matching; made once per read of the folder.
    mutable std::vector<QByteArray> m_folded;
    // Counts the reads of the folder and of the titles, so that folding done for an older one is dropped.
    int m_generation = 0;
    bool m_preparing = false;
};
