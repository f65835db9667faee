#pragma once

#include "TestSupport.h"

#include "collection/DatReader.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One <rom> of a DAT made in a test; its CRC-32, SHA-1 and size are taken from `bytes` unless overridden.
struct DatRom
{
    QString game;
    QByteArray bytes;
    QString sha1 = {};    // hexadecimal; empty: of the bytes
    qint64 size = -1;     // -1: of the bytes
    QString romName = {}; // empty: the game's name + ".gb"
};

// A Logiqx DAT as No-Intro writes it, naming itself `name`.
QByteArray datXml(const QString &name, const QList<DatRom> &roms);

// The same DAT in clrmamepro's text form, as libretro writes it.
QByteArray datClrMame(const QString &name, const QList<DatRom> &roms);

// A ZIP archive of the members (name, bytes), deflated, built with libzip.
void writeZip(const QString &path, const QList<std::pair<QString, QByteArray>> &members, bool stored = false);

// A ROM image whose bytes differ for each seed, with a header whose two checksums hold.
QByteArray seededRom(int seed, int size = 32 * 1024);

// A base folder with a ROM folder "roms".
class CollectionTest : public BaseFolderTest
{
protected:
    void SetUp() override;
    QString rom(const QString &name) const { return path("roms/" + name); }
    void writeRom(const QString &name, const QByteArray &bytes) const { writeFile("roms/" + name, bytes); }
    // The message of the refusal of the DAT `name`, or "" when it was read.
    QString refusal(const QString &name, const DatReader::Limits &limits = {}) const
    {
        try {
            DatReader::read(path(name), limits);
        } catch (const DatReader::DatError &error) {
            return error.message();
        }
        return {};
    }
};
