#pragma once

#include <QByteArray>
#include <QString>

// The internal title of a cartridge: the 16 header bytes at 0x134..0x143 of a ROM image.
namespace RomTitle {

inline constexpr qsizetype Offset = 0x134;
inline constexpr qsizetype Length = 16;
// A title never needs more than this much of the file.
inline constexpr qsizetype HeaderSize = 330;

} // namespace RomTitle

// The title kept from the header bytes `header` (the file's first bytes): 32..127 taken as they are,
// 128 as a blank, every other byte dropped without a gap, nothing trimmed. A header shorter than the
// title gives the title of the bytes it has; nothing beyond the data is read.
QString headerTitle(const QByteArray &header);

// The title of a ROM file. Gives the file the plain archive attribute first, as every read of a user's
// file does, and reads at most the header. Raises CartlingError naming the file when it cannot be read or is
// no regular file (a folder, a pipe).
QString readCartridgeTitle(const QString &path);

// Reads the titles of many ROM files one after the other, each as readCartridgeTitle does. Files of one folder
// are opened through that folder, so the system does not walk the whole path again for every file.
class CartridgeTitleReader
{
public:
    CartridgeTitleReader() = default;
    ~CartridgeTitleReader();
    CartridgeTitleReader(const CartridgeTitleReader &) = delete;
    CartridgeTitleReader &operator=(const CartridgeTitleReader &) = delete;

    QString read(const QString &path);
    // The same without an allocation: the title stays valid until the next read.
    QStringView readView(const QString &path);

private:
    QStringView ownCopy(const QString &title);

    char16_t m_title[RomTitle::Length];
    QString m_folder;
    int m_folderHandle = -1; // -1 also when the folder could not be opened: whole paths are used then
    bool m_folderTried = false;
};
