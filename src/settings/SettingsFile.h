#pragma once

#include "settings/Keys.h"

#include <QString>
#include <optional>

// The settings file: six operations that go to the file itself every time. Nothing is cached outside a read
// batch, so a read sees the file as it is now; a write has reached the file (atomically) when it returns. A file
// that cannot be read (no regular file, far too large) reads as all defaults.
// Section and key names match without regard to case or surrounding blanks; values are taken as they stand.
class SettingsFile
{
public:
    // A handle holds nothing but the path; the default is the base folder's Cartling.ini.
    explicit SettingsFile(QString path = {});

    const QString &path() const { return m_path; }

    // Up to 2,047 characters of the value; the default when the file, section or key is missing.
    QString readString(const QString &section, const QString &key, const QString &def) const;
    // Decimal, or hexadecimal after "0x"/"0X"; empty or not a number gives the default.
    int readInteger(const QString &section, const QString &key, int def) const;
    // An integer read with the default's 1 or 0; true when not 0.
    bool readBool(const QString &section, const QString &key, bool def) const;

    // Replaces the value in place, appends a missing key to its section and a missing section to the file.
    // The file keeps the encoding it was read in as far as the text allows (TextEncoding), and its owner and
    // mode. Each write holds the lock file "<file>.lock" beside it from reading to writing, so concurrent
    // writers (another Cartling on the same folder) lose nothing.
    // Raises CartlingError "Unable to write to <path>" when the file or its folder refuses the write; the
    // same followed by ": <reason>." when the path is no regular file, a link to no file, far too large or
    // unreadable, or stays locked; and refuses names or values holding a line break, so no write can add
    // lines to the file. A file holding text in which not one section reads is refused with a message naming
    // it, and left as it is.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    // The same through the key table.
    QString read(const StringKey &key) const { return readString(key.section, key.name, key.def); }
    QString read(const StringKey &key, const QString &def) const { return readString(key.section, key.name, def); }
    int read(const IntKey &key) const { return readInteger(key.section, key.name, key.def); }
    int read(const IntKey &key, int def) const { return readInteger(key.section, key.name, def); }
    bool read(const BoolKey &key) const { return readBool(key.section, key.name, key.def); }
    void write(const StringKey &key, const QString &value) { writeString(key.section, key.name, value); }
    void write(const IntKey &key, int value) { writeInteger(key.section, key.name, value); }
    void write(const BoolKey &key, bool value) { writeBool(key.section, key.name, value); }

    static constexpr int MaxValueLength = 2047;

    // While one lives, reads on this thread share one reading of each settings file for as long as the file
    // stays the same (the same file, size, modification and change times, checked at every read): start-up
    // reads the file some eighty times within milliseconds.
    class ReadBatch
    {
    public:
        ReadBatch();
        ~ReadBatch();
        ReadBatch(const ReadBatch &) = delete;
        ReadBatch &operator=(const ReadBatch &) = delete;
    };

    // The integer rule of INI values: decimal, or hexadecimal after "0x"/"0X", blanks around allowed;
    // nothing for an empty value, one that is not a number or one beyond the range of int.
    static std::optional<int> parseInteger(const QString &value);

private:
    std::optional<QStringList> lines() const;

    QString m_path;
};
