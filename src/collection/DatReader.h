#pragma once

#include "collection/DatIndex.h"

#include <QString>
#include <exception>

class QIODevice;

// Reads a DAT file in the Logiqx XML form that No-Intro publishes (a <datafile> of <game> or <machine> elements,
// each with <rom name size crc sha1> entries) or in clrmamepro's text form (ClrMameReader), told apart by their
// content, or a ZIP archive holding one such file. The reader takes nothing on trust: a document type that declares
// entities is refused before any entity is used, and the file, the entries and their names are bounded, so a hostile
// DAT costs at most the limits' memory.
namespace DatReader {

struct Limits
{
    qint64 maxBytes = qint64(128) << 20; // the DAT itself, or as inflated from its archive
    qsizetype maxRoms = 1'000'000;       // No-Intro's largest DATs hold about a tenth of this
    qsizetype maxNameBytes = qint64(64) << 20;
};

// A DAT that cannot be used. The message is made when it is shown, in the language of that moment, so the error
// may be raised on a worker thread.
class DatError : public std::exception
{
public:
    enum class Kind
    {
        NotReadable, // missing, unreadable, not a DAT, entity declarations, an error in the XML or the text
        TooLarge,    // past a limit
    };
    DatError(Kind kind, QString path, qint64 line, const Limits &limits)
        : m_kind(kind), m_path(std::move(path)), m_line(line), m_limits(limits)
    {
    }
    Kind kind() const { return m_kind; }
    const QString &path() const { return m_path; }
    // The message naming the file.
    QString message() const;
    const char *what() const noexcept override { return "unusable DAT file"; }

private:
    Kind m_kind;
    QString m_path;
    qint64 m_line;
    Limits m_limits;
};

// The DAT's entries. Raises DatError when it cannot be read, is not a DAT or passes a limit.
DatIndex read(const QString &path, const Limits &limits = {});

// The same for a DAT already open; `path` names it in messages.
DatIndex read(QIODevice &device, const QString &path, const Limits &limits = {});

} // namespace DatReader
