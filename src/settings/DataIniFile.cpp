#include "settings/DataIniFile.h"

#include "language/MessageTable.h"
#include "language/SafetyTexts.h"
#include "platform/ErrorHandler.h"
#include "platform/TextFile.h"
#include "settings/IniText.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <algorithm>
#include <exception>
#include <iterator>

using namespace IniText;

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// Why a line cannot be stored so that it reads back as this key and value; empty when it can.
QString refusal(QStringView section, QStringView key, QStringView value, QStringView line)
{
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value))
        return QStringLiteral("a name or value holds a line break");
    if (key.contains(u'='))
        return QStringLiteral("the key holds \"=\"");
    if (cutLength(key, DataIniFile::MaxLineLength) >= DataIniFile::MaxLineLength)
        return QStringLiteral("the key is longer than %1 characters").arg(DataIniFile::MaxLineLength - 1);
    if (isHeader(line))
        return QStringLiteral("the line would read as a section header");
    return {};
}

} // namespace

DataIniFile::DataIniFile(QString fileName) : m_fileName(std::move(fileName))
{
    if (!m_fileName.isEmpty())
        load();
}

DataIniFile::~DataIniFile()
{
    try {
        updateFile();
    } catch (const CartlingError &error) {
        // Unwinding from another error: that one is shown, and the handler ends with it either way.
        if (std::uncaught_exceptions() == 0)
            reportError(error);
    }
}

void DataIniFile::load()
{
    auto loaded = TextFile::load(m_fileName, SizeLimit);
    if (!loaded)
        return;
    m_encoding = loaded->encoding;
    m_text = std::move(loaded->text);
    const QString &text = m_text;
    // The section being read. It stays a piece of the text when its lines are already as they are held (CR LF
    // ends, no blank lines between them, none cut); only other sections are rebuilt.
    bool reading = false; // false before the first header and in a dropped duplicate
    QStringView name;
    quint32 tag = 0;
    qsizetype headerStart = 0;
    qsizetype bodyStart = 0;
    qsizetype cleanEnd = 0;
    bool clean = true;
    bool gap = false;
    // Room for every section at once: a header is a line that begins with "[".
    qsizetype headers = text.startsWith(u'[') ? 1 : 0;
    for (qsizetype at = text.indexOf(u'[', 1); at > 0; at = text.indexOf(u'[', at + 1)) {
        if (text[at - 1] == u'\n' || text[at - 1] == u'\r')
            ++headers;
    }
    m_sections.reserve(headers);
    resizeIndex(headers);
    LineScanner lines(text, 0, text.size());
    while (lines.next()) {
        if (isBlank(lines.line)) {
            gap = true;
            continue;
        }
        if (isHeader(lines.line)) {
            if (reading)
                addSection(name, tag, headerStart, bodyStart, cleanEnd, lines.start, clean);
            name = lines.line.sliced(1, lines.line.size() - 2);
            tag = foldedHash(name);
            reading = findSlot(name, tag) < 0;
            if (!reading)
                m_modified = true; // the later of two sections of one name goes, with its lines
            headerStart = lines.start;
            bodyStart = cleanEnd = lines.after;
            clean = lines.crLf && lines.line.size() == lines.rawLength;
            gap = false;
            continue;
        }
        if (gap || !lines.crLf || lines.line.size() != lines.rawLength)
            clean = false;
        cleanEnd = lines.after;
    }
    if (reading)
        addSection(name, tag, headerStart, bodyStart, cleanEnd, text.size(), clean);
    // Something is there, but not one section of it could be read (another encoding, another kind of file):
    // writing back would leave only what is written now.
    m_unreadable = m_sections.empty() && TextEncoding::holdsText(text);
    if (std::none_of(m_sections.begin(), m_sections.end(), [](const Section &s) { return s.store == Store::File; }))
        m_text = QString(); // nothing refers to it
}

void DataIniFile::addSection(QStringView name, quint32 tag, qsizetype headerStart, qsizetype bodyStart,
                             qsizetype cleanEnd, qsizetype rawEnd, bool clean)
{
    Section section;
    section.nameLength = quint32(name.size());
    if (clean) {
        section.store = Store::File;
        section.start = quint32(headerStart);
        section.length = quint32(cleanEnd - headerStart);
    } else {
        section.own = u'[' + name.toString() + u']' + kLineEnd;
        LineScanner lines(m_text, bodyStart, rawEnd);
        while (lines.next()) {
            if (isBlank(lines.line))
                continue;
            section.own += lines.line;
            section.own += kLineEnd;
        }
    }
    m_sections.push_back(std::move(section));
    indexSection(tag, qsizetype(m_sections.size()) - 1);
}

DataIniFile::Text DataIniFile::textAt(qsizetype slot) const
{
    const Slot &at = m_slots[slot];
    if (at.place == Own) {
        const Section &section = m_sections[at.section];
        return {QStringView(section.own), section.nameLength};
    }
    // A piece begins with its header line, "[", the name, "]" and CR LF; names hold no CR.
    const QString &store = at.place & AddedPiece ? m_added : m_text;
    const QStringView text = QStringView(store).sliced(at.place & ~AddedPiece, at.length);
    qsizetype cr = 1;
    while (text[cr] != u'\r')
        ++cr;
    return {text, cr - 2};
}

QString &DataIniFile::ownText(qsizetype slot)
{
    Slot &at = m_slots[slot];
    Section &section = m_sections[at.section];
    if (section.store != Store::Own) {
        section.own = textOf(section).toString();
        section.store = Store::Own;
        at.place = Own;
    }
    return section.own;
}

// The slot of the section of that name, or -1.
qsizetype DataIniFile::findSlot(QStringView name, quint32 tag) const
{
    if (m_slots.empty())
        return -1;
    const size_t mask = m_slots.size() - 1;
    for (size_t at = tag & mask;; at = (at + 1) & mask) {
        const Slot &slot = m_slots[at];
        if (slot.section == Empty)
            return -1;
        if (slot.tag == tag && slot.section < Removed && sameName(textAt(qsizetype(at)).name(), name))
            return qsizetype(at);
    }
}

qsizetype DataIniFile::indexSection(quint32 tag, qsizetype section)
{
    if ((m_slotsUsed + 1) * 2 > qsizetype(m_slots.size()))
        resizeIndex(qsizetype(m_sections.size()) - m_erased); // the new section included
    const size_t mask = m_slots.size() - 1;
    size_t at = tag & mask;
    while (m_slots[at].section != Empty)
        at = (at + 1) & mask;
    const Section &added = m_sections[section];
    const quint32 place = added.store == Store::Own     ? Own
                          : added.store == Store::Added ? added.start | AddedPiece
                                                        : added.start;
    m_slots[at] = {tag, quint32(section), place, added.length};
    ++m_slotsUsed;
    return qsizetype(at);
}

// A fresh table, at most half full with `sections` sections, holding the sections of the old one. The tags
// alone place them, so the sections themselves are not touched; removed slots are left behind.
void DataIniFile::resizeIndex(qsizetype sections)
{
    size_t size = 64;
    while (size < size_t(sections) * 2 + 2)
        size *= 2;
    std::vector<Slot> old(size);
    old.swap(m_slots);
    m_slotsUsed = 0;
    const size_t mask = size - 1;
    for (const Slot &slot : old) {
        if (slot.section >= Removed)
            continue;
        size_t at = slot.tag & mask;
        while (m_slots[at].section != Empty)
            at = (at + 1) & mask;
        m_slots[at] = slot;
        ++m_slotsUsed;
    }
}

qsizetype DataIniFile::slotOf(QStringView section) const
{
    const QStringView name = QStringView(section).first(cutLength(section, MaxSectionNameLength));
    return findSlot(name, foldedHash(name));
}

void DataIniFile::append(QStringView name, quint32 tag, QStringView line)
{
    // Made in one piece, with its one line and the empty line that follows it in the file: a title run adds
    // thousands of sections, and these follow each other in the added text as they will in the file.
    Section added;
    added.nameLength = quint32(name.size());
    added.length = quint32(name.size() + line.size() + 6);
    char16_t *at = nullptr;
    if (m_added.size() + added.length + 2 < AddedPiece - 1) {
        added.store = Store::Added;
        added.start = quint32(m_added.size());
        m_added.resize(m_added.size() + added.length + 2);
        at = reinterpret_cast<char16_t *>(m_added.data()) + added.start;
    } else {
        added.own = QString(added.length, Qt::Uninitialized);
        at = reinterpret_cast<char16_t *>(added.own.data());
    }
    *at++ = u'[';
    // copy_n rather than memcpy: an empty view may hold no storage at all.
    at = std::copy_n(name.utf16(), name.size(), at);
    at = std::copy_n(u"]\r\n", 3, at);
    at = std::copy_n(line.utf16(), line.size(), at);
    at = std::copy_n(u"\r\n", 2, at);
    if (added.store == Store::Added)
        std::copy_n(u"\r\n", 2, at);
    m_sections.push_back(std::move(added));
    indexSection(tag, qsizetype(m_sections.size()) - 1);
}

void DataIniFile::reserve(qsizetype sections)
{
    m_sections.reserve(m_sections.size() + sections);
    if ((m_slotsUsed + sections) * 2 > qsizetype(m_slots.size()))
        resizeIndex(qsizetype(m_sections.size()) - m_erased + sections);
    // A name, a short line and the ends of both make some sixty characters.
    m_added.reserve(m_added.size() + sections * 64);
}

// Erased sections leave gaps so that erasing stays cheap; they are swept out once they are the majority.
void DataIniFile::compact()
{
    if (m_erased < 1024 || m_erased * 2 < qsizetype(m_sections.size()))
        return;
    std::vector<quint32> renumbered(m_sections.size(), Removed);
    std::vector<Section> kept;
    kept.reserve(m_sections.size() - m_erased);
    for (size_t i = 0; i < m_sections.size(); ++i) {
        if (m_sections[i].erased)
            continue;
        renumbered[i] = quint32(kept.size());
        kept.push_back(std::move(m_sections[i]));
    }
    m_sections = std::move(kept);
    m_erased = 0;
    for (Slot &slot : m_slots) {
        if (slot.section < Removed)
            slot.section = renumbered[slot.section];
    }
    resizeIndex(qsizetype(m_sections.size()));
}

QString DataIniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const qsizetype slot = slotOf(section);
    if (slot < 0)
        return def;
    const Text found = textAt(slot);
    const BodyLine line = findKey(found.text, found.bodyStart(), key);
    if (line.start < 0)
        return def;
    return found.text.sliced(line.start + key.size() + 1, line.length - key.size() - 1).toString();
}

void DataIniFile::writeString(QStringView section, QStringView key, QStringView value)
{
    if (key.isEmpty()) {
        if (!section.isEmpty() || !value.isEmpty())
            eraseSection(section.toString());
        else
            updateFile();
        return;
    }
    // The line as held, made where no allocation is needed: no line is longer than this many UTF-16 units.
    char16_t entry[2 * MaxLineLength];
    const qsizetype whole = qMin<qsizetype>(key.size() + 1 + value.size(), std::size(entry));
    const qsizetype keyPart = qMin(key.size(), whole);
    std::copy_n(key.utf16(), keyPart, entry);
    if (keyPart < whole) {
        entry[keyPart] = u'=';
        std::copy_n(value.utf16(), whole - keyPart - 1, entry + keyPart + 1);
    }
    const QStringView line = QStringView(entry, whole).first(cutLength(QStringView(entry, whole), MaxLineLength));
    if (const QString why = refusal(section, key, value, line); !why.isEmpty())
        refuse(m_fileName, section, key, why);
    const QStringView name = section.first(cutLength(section, MaxSectionNameLength));
    const quint32 tag = foldedHash(name);
    const qsizetype slot = findSlot(name, tag);
    if (slot < 0) {
        append(name, tag, line);
        m_modified = true;
        return;
    }
    const Text target = textAt(slot);
    const BodyLine old = findKey(target.text, target.bodyStart(), key);
    if (old.start >= 0 && target.text.sliced(old.start, old.length) == line)
        return;
    QString &own = ownText(slot);
    if (old.start >= 0) {
        own.replace(old.start, old.length, line.data(), line.size());
    } else {
        own += line;
        own += kLineEnd;
    }
    m_modified = true;
}

void DataIniFile::checkStorable(const QString &fileName, const QString &section, const QString &key,
                                const QString &value)
{
    if (key.isEmpty())
        return;
    QString entry = key + u'=' + value;
    entry.truncate(cutLength(entry, MaxLineLength));
    if (const QString why = refusal(section, key, value, entry); !why.isEmpty())
        refuse(fileName, section, key, why);
}

void DataIniFile::refuse(const QString &fileName, QStringView section, QStringView key, const QString &why)
{
    throw CartlingError(QStringLiteral("Cannot store \"%1\" in section \"%2\" of \"%3\": %4.")
                            .arg(key.toString(), section.toString(), QDir::toNativeSeparators(fileName), why));
}

int DataIniFile::readInteger(const QString &section, const QString &key, int def) const
{
    return SettingsFile::parseInteger(readString(section, key, QString())).value_or(def);
}

void DataIniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

bool DataIniFile::readBool(const QString &section, const QString &key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void DataIniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList DataIniFile::readSection(const QString &section) const
{
    QStringList names;
    if (const qsizetype slot = slotOf(section); slot >= 0) {
        const Text found = textAt(slot);
        forEachLine(found.text, found.bodyStart(), [&](QStringView line, qsizetype) {
            if (const qsizetype eq = line.indexOf(u'='); eq >= 0)
                names.append(line.first(eq).toString());
        });
    }
    return names;
}

QStringList DataIniFile::readSections() const
{
    QStringList names;
    names.reserve(qsizetype(m_sections.size()) - m_erased);
    for (const Section &section : m_sections) {
        if (!section.erased)
            names.append(nameOf(section).toString());
    }
    return names;
}

QStringList DataIniFile::readSectionValues(const QString &section) const
{
    QStringList lines;
    if (const qsizetype slot = slotOf(section); slot >= 0) {
        const Text found = textAt(slot);
        forEachLine(found.text, found.bodyStart(), [&](QStringView line, qsizetype) { lines.append(line.toString()); });
    }
    return lines;
}

bool DataIniFile::sectionExists(QStringView section) const
{
    return slotOf(section) >= 0;
}

void DataIniFile::eraseSection(const QString &section)
{
    const qsizetype slot = slotOf(section);
    if (slot < 0)
        return;
    Section &found = m_sections[m_slots[slot].section];
    m_slots[slot].section = Removed;
    found.erased = true;
    found.store = Store::Own;
    found.own = QString();
    ++m_erased;
    m_modified = true;
    compact();
}

bool DataIniFile::moveSection(const QString &from, const QString &to)
{
    if (!sectionExists(from) || sectionExists(to))
        return false;
    QList<std::pair<QString, QString>> lines;
    for (const QString &key : readSection(from)) {
        if (key.isEmpty())
            continue;
        lines.append({key, readString(from, key, QString())});
        // Every line checked before the first is written: a move goes all the way or not at all.
        try {
            checkStorable(m_fileName, to, key, lines.last().second);
        } catch (const CartlingError &) {
            return false;
        }
    }
    if (lines.isEmpty())
        return false;
    for (const auto &[key, value] : lines)
        writeString(to, key, value);
    eraseSection(from);
    return true;
}

void DataIniFile::deleteKey(const QString &section, const QString &key)
{
    const qsizetype slot = slotOf(section);
    if (slot < 0)
        return;
    const Text found = textAt(slot);
    const BodyLine line = findKey(found.text, found.bodyStart(), key);
    if (line.start < 0)
        return;
    ownText(slot).remove(line.start, line.length + kLineEnd.size());
    m_modified = true;
}

TextEncoding::Encoded DataIniFile::encoded() const
{
    // Unchanged sections that followed each other in the file, each with the empty line after it, make one
    // piece: most of a file goes to the encoder in a few long runs.
    std::vector<QStringView> pieces;
    pieces.reserve(2 * m_sections.size());
    const auto add = [&pieces](QStringView piece) {
        if (!pieces.empty() && pieces.back().data() + pieces.back().size() == piece.data())
            pieces.back() = QStringView(pieces.back().data(), pieces.back().size() + piece.size());
        else
            pieces.push_back(piece);
    };
    for (const Section &section : m_sections) {
        QStringView text = textOf(section);
        if (section.erased || text.size() <= qsizetype(section.nameLength) + 4) // no header without lines
            continue;
        const QString &store = storeText(section.store);
        const qsizetype end = qsizetype(section.start) + text.size();
        if (section.store != Store::Own && end + 1 < store.size() && store[end] == u'\r' && store[end + 1] == u'\n') {
            add(QStringView(store).sliced(section.start, text.size() + kLineEnd.size()));
        } else {
            add(text);
            add(kLineEnd);
        }
    }
    return TextEncoding::encodeAs(pieces, m_encoding);
}

void DataIniFile::updateFile()
{
    if (!m_modified || m_fileName.isEmpty()) {
        m_modified = false;
        return;
    }
    if (m_unreadable) {
        throw CartlingError(messageTable().text(SafetyText::UnreadableFile).arg(QDir::toNativeSeparators(m_fileName)));
    }
    const TextEncoding::Encoded encoded = this->encoded();
    TextFile::save(m_fileName, encoded.bytes); // raises TextFile::Error naming the file
    m_encoding = encoded.encoding;
    m_modified = false;
}
