#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <vector>

// The entries of the ROM list: the files of one folder that match a mask of ";"-separated patterns.
class RomListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    struct Entry
    {
        QString caption;  // file name with its extension
        QString fullPath; // the list's folder (ending in "/") followed by the file name
        // The name's bytes when they are not text (not UTF-8, from another system); empty for every other name.
        // Such an entry carries a mark and a tooltip line, and only these bytes name its file.
        QByteArray rawName;
    };

    // The entry's full path, for the list widget.
    static constexpr int FullPathRole = Qt::UserRole;
    // The marks that features give the entry, joined, drawn at the row's end.
    static constexpr int MarksRole = Qt::UserRole + 1;
    // Entry::rawName.
    static constexpr int RawNameRole = Qt::UserRole + 2;

    // What a feature shows on a row besides its caption: a short mark and a line for the row's tooltip.
    // Both empty when the feature has nothing to say about the file.
    struct RowNote
    {
        QString mark;
        QString tooltip;
    };
    using RowNotes = std::function<RowNote(const Entry &entry)>;

    // The list's own mask before any view is applied.
    static inline const QString InitialMask = QStringLiteral("*.gb;*.zip;*.gbc;*.cgb;*.sgb");

    explicit RomListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // The end of an in-place edit of a caption: a name that differs from the old one without regard to case
    // and that no entry of the folder holds renames the file, its saves, shots and play records follow it
    // (GameRename), and the list is read again. Only what stayed behind is reported.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Ignored when the folder is the current one or does not exist; otherwise makes it the process's
    // current folder (programs started later inherit it) and re-reads the list. True when it switched.
    bool setFolder(const QString &folder);
    // Ignored when unchanged; otherwise re-reads the list.
    void setMask(const QString &mask);
    // Each pattern from left to right adds the files it matches (a file matching two is listed twice);
    // then entries are sorted by caption without regard to case. Folders are not listed; hidden files are.
    // Re-reads asked for within one turn of the event loop are done once: the folder is read when the
    // entries are next asked for, or when control returns to the event loop, whichever comes first. The
    // views see the model reset at that moment.
    void reread();

    // A feature's notes on every row; asked for only as rows are shown.
    void addRowNotes(RowNotes notes) { m_rowNotes.push_back(std::move(notes)); }
    // A feature's notes changed: the views show every row again.
    void notesChanged();

    const QString &folder() const { return m_folder; }
    const QString &mask() const { return m_mask; }
    int count() const;
    Entry entry(int row) const;
    // The entry's file name, without building its path.
    const QString &caption(int row) const;
    // Every entry's file name, in order.
    const QStringList &captions() const;

    // The names of the folder's entries that are not folders, in the folder's own order. Names that are not
    // text go into `undecodable` too, by the name as read, with their bytes.
    static QStringList fileNames(const QString &folder, QHash<QString, QByteArray> *undecodable = nullptr);

    // Wildcard match of one pattern ("*" and "?") without regard to case.
    static bool matches(QStringView pattern, QStringView name);

private:
    std::vector<RowNote> notesFor(int row) const;
    // Carries out a re-read that was asked for, if any.
    void readIfAsked() const;
    void readNow();

    QString m_folder;
    QString m_mask = InitialMask;
    QStringList m_names;                   // the entries' captions; the full path is the folder and the caption
    QHash<QString, QByteArray> m_rawNames; // the bytes of the captions that are not text
    std::vector<RowNotes> m_rowNotes;
    bool m_readAsked = false;
    bool m_readScheduled = false;
};
