#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A language file: one text per line in the order of the language table, read in the shared text encoding.
// Lines end at CR, LF or CR LF; a last line without an end counts.
class LanguageFile
{
public:
    // A file with fewer lines is refused.
    static constexpr int MinimumLines = 126;

    // Reads the file; raises CartlingError naming it when it does not exist, is no regular file, is larger
    // than TextFile::SizeLimit or cannot be read.
    static LanguageFile read(const QString &path);
    static LanguageFile fromBytes(const QByteArray &bytes);
    static LanguageFile fromText(const QString &text);

    const QStringList &lines() const { return m_lines; }
    // True for a text file of at least MinimumLines lines. A file holding NUL characters is no text file and
    // is refused whatever its line count, so that binary junk never becomes the program's captions.
    bool accepted() const;
    // The language table after loading this file: its lines, and beyond its end the built-in entries, so
    // that a short file leaves the texts it lacks as built in.
    QStringList table() const;

    // The built-in table as a language file: Windows-1252, every line ended by CR LF.
    static QByteArray builtinFileBytes();

private:
    QStringList m_lines;
    bool m_binary = false;
};
