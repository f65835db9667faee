#pragma once

#include "platform/TextEncoding.h"
#include "settings/IniText.h"

#include <QString>
#include <QStringList>
#include <vector>

// The in-memory INI file that the data files (titles, internal names, Game Genie codes) are read and written
// through: the whole file is loaded when the object is made, reads and writes work on memory, and the file is
// written back whole, atomically and in the encoding it was read in, when something changed.
//
// On disk after a write-back: every section that holds a line, in order, as "[name]", its lines as held and
// one empty line, each line ended by CR LF. Lines are held as read but cut to 255 characters; lines before the
// first section are dropped; of two sections whose names differ only in case the later one is dropped with its
// lines. Section and key names are matched without regard to case and taken as they stand (not trimmed).
class DataIniFile
{
public:
    static constexpr int MaxLineLength = IniText::MaxLineLength;
    // A longer name would make a header line that reads back cut, so names are cut to this length.
    static constexpr int MaxSectionNameLength = MaxLineLength - 2;
    // Far beyond any collection of titles or codes; a larger file is refused unread.
    static constexpr qint64 SizeLimit = 32 * 1024 * 1024;

    // Loads the file; a missing file is an empty one, an empty name loads and writes nothing. Raises
    // CartlingError naming the file when it cannot be read (no regular file, larger than SizeLimit, a read
    // error).
    explicit DataIniFile(QString fileName);
    // Writes the file back if something changed (updateFile). A failure cannot be raised from here, so it is
    // reported as an error message (unless another error is already on its way); callers that want a failed
    // write to end their operation call updateFile() themselves first.
    ~DataIniFile();
    DataIniFile(const DataIniFile &) = delete;
    DataIniFile &operator=(const DataIniFile &) = delete;

    const QString &fileName() const { return m_fileName; }
    bool isModified() const { return m_modified; }
    // The encoding the file was read in (or last written in); a new file starts as Windows-1252.
    TextEncoding::Encoding encoding() const { return m_encoding; }

    // The value of the section's first line whose name (the text before its first "=") is the key, or `def`.
    QString readString(const QString &section, const QString &key, const QString &def) const;
    // With a key: sets "key=value" (cut to 255 characters), in place when the key exists and the text differs,
    // else appended to the section, which is made at the end when missing. With an empty key: erases the
    // section when the section or the value is not empty, else writes the file back. Raises CartlingError
    // for a name or value holding a line break and for a line that would not read back as this key and value
    // (a key holding "=", or a line that would read as a section header); the file is then unchanged.
    void writeString(QStringView section, QStringView key, QStringView value);
    void writeString(const QString &section, const QString &key, const QString &value)
    {
        writeString(QStringView(section), QStringView(key), QStringView(value));
    }
    // Raises the error writeString would raise for this line in the file `fileName`, without any file.
    static void checkStorable(const QString &fileName, const QString &section, const QString &key,
                              const QString &value);
    // Decimal, or hexadecimal after "0x"/"0X"; `def` when the value is missing, empty or not a number.
    int readInteger(const QString &section, const QString &key, int def) const;
    void writeInteger(const QString &section, const QString &key, int value);
    // readInteger with the default 1 or 0, not zero; written as "1" or "0".
    bool readBool(const QString &section, const QString &key, bool def) const;
    void writeBool(const QString &section, const QString &key, bool value);

    // The names of the section's lines that hold "=", in order.
    QStringList readSection(const QString &section) const;
    // The section names in file order.
    QStringList readSections() const;
    // The section's lines, whole.
    QStringList readSectionValues(const QString &section) const;
    bool sectionExists(QStringView section) const;
    bool sectionExists(const QString &section) const { return sectionExists(QStringView(section)); }
    void eraseSection(const QString &section);
    void deleteKey(const QString &section, const QString &key);
    // Gives the lines of section `from` (those holding "=") to a new section `to` and erases `from`. Nothing
    // changes, and false is returned, when `from` has no such line, `to` has a section (in any case), or one of the
    // lines could not be stored under `to` (a name holding a line break).
    bool moveSection(const QString &from, const QString &to);

    // Room for `sections` more sections of a line or two without growing: for a run that adds one per file.
    void reserve(qsizetype sections);

    // Writes the file back when something changed and the name is not empty; raises CartlingError naming the
    // file when the write fails, and the file on disk then stays as it was. A file that held text of which no
    // section could be read is never written back: that is refused the same way.
    void updateFile();

private:
    [[noreturn]] static void refuse(const QString &fileName, QStringView section, QStringView key, const QString &why);
    // Where a section's text is kept: a piece of the file's text as loaded, a piece of the text that new
    // sections are added to, or a text of its own once it has changed. Pieces save an allocation per section,
    // and pieces that follow each other are encoded in one run when the file is written.
    enum class Store : quint8
    {
        File,
        Added,
        Own,
    };
    // A section as it is written: its header line and its lines, each followed by CR LF, in one block, so
    // that a lookup touches one piece of memory.
    struct Section
    {
        QString own;       // the text, while the store is Own
        quint32 start = 0; // the text as a piece of its store
        quint32 length = 0;
        quint32 nameLength = 0;
        Store store = Store::Own;
        bool erased = false;
    };
    // The index: open addressing on the names' hashes. The tag picks the bucket, so the table grows from its
    // own slots without touching the sections. A section that is a piece is reached from its slot alone, one
    // fetch from memory fewer for a lookup in a large file.
    struct Slot
    {
        quint32 tag = 0;
        quint32 section = Empty; // position in m_sections, or Empty, or Removed
        quint32 place = Own;     // the piece's start, with AddedPiece for the added text; Own for an own text
        quint32 length = 0;
    };
    static constexpr quint32 Empty = 0xFFFFFFFF;
    static constexpr quint32 Removed = 0xFFFFFFFE;
    static constexpr quint32 Own = 0xFFFFFFFF;
    static constexpr quint32 AddedPiece = 0x80000000;
    // A section's text and where its name ends.
    struct Text
    {
        QStringView text;
        qsizetype nameLength = 0;

        QStringView name() const { return text.sliced(1, nameLength); }
        qsizetype bodyStart() const { return nameLength + 4; } // after "[", the name, "]" and CR LF
    };

    const QString &storeText(Store store) const { return store == Store::File ? m_text : m_added; }
    QStringView textOf(const Section &section) const
    {
        return section.store == Store::Own
                   ? QStringView(section.own)
                   : QStringView(storeText(section.store)).sliced(section.start, section.length);
    }
    QStringView nameOf(const Section &section) const { return textOf(section).sliced(1, section.nameLength); }
    Text textAt(qsizetype slot) const;
    // The section's own text, copied from its store first if need be, to be changed.
    QString &ownText(qsizetype slot);

    void load();
    void addSection(QStringView name, quint32 tag, qsizetype headerStart, qsizetype bodyStart, qsizetype cleanEnd,
                    qsizetype rawEnd, bool clean);
    qsizetype findSlot(QStringView name, quint32 tag) const;
    // Enters the section in the index; gives its slot.
    qsizetype indexSection(quint32 tag, qsizetype section);
    void resizeIndex(qsizetype sections);
    // The slot of the section, or -1.
    qsizetype slotOf(QStringView section) const;
    // A new section at the end, holding the line.
    void append(QStringView name, quint32 tag, QStringView line);
    void compact();
    // The file's text in its encoding, encoded piece by piece where the encoding allows.
    TextEncoding::Encoded encoded() const;

    QString m_fileName;
    QString m_text;                  // the file's text as loaded
    QString m_added;                 // the text of sections added since, each followed by CR LF
    std::vector<Section> m_sections; // file order, erased sections left as gaps until compacted
    std::vector<Slot> m_slots;       // a power of two in size, at most half in use
    qsizetype m_slotsUsed = 0;       // including Removed ones
    qsizetype m_erased = 0;
    bool m_modified = false;
    bool m_unreadable = false;
    TextEncoding::Encoding m_encoding = TextEncoding::Encoding::Windows1252;
};
