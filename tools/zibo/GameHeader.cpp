#include "GameHeader.h"

#include "archive/ZipLibrary.h"
#include "library/RomTitle.h"
#include "platform/PathHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <zip.h>

namespace {

bool isRomMember(const QString &name)
{
    return name.endsWith(QLatin1String(".gb"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".gbc"), Qt::CaseInsensitive);
}

void readArchive(const QString &path, GameHeader &header)
{
    int error = 0;
    zip_t *archive = zip_open(zipFileName(path).constData(), ZIP_RDONLY, &error);
    if (!archive) {
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, error);
        header.problem =
            QStringLiteral("The archive cannot be opened: %1").arg(QString::fromUtf8(zip_error_strerror(&zipError)));
        zip_error_fini(&zipError);
        return;
    }
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char *name = zip_get_name(archive, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        if (!name || !isRomMember(QString::fromUtf8(name)))
            continue;
        header.member = QString::fromUtf8(name);
        zip_file_t *file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        if (!file) {
            header.problem = QStringLiteral("The member %1 cannot be read: %2")
                                 .arg(header.member, QString::fromUtf8(zip_strerror(archive)));
            break;
        }
        char buffer[RomTitle::HeaderSize];
        zip_int64_t total = 0;
        while (total < RomTitle::HeaderSize) {
            const zip_int64_t got = zip_fread(file, buffer + total, zip_uint64_t(RomTitle::HeaderSize - total));
            if (got < 0) {
                header.problem = QStringLiteral("The member %1 cannot be read: %2")
                                     .arg(header.member, QString::fromUtf8(zip_file_strerror(file)));
                break;
            }
            if (got == 0)
                break;
            total += got;
        }
        zip_fclose(file);
        if (header.problem.isEmpty())
            header.bytes = QByteArray(buffer, qsizetype(total));
        break;
    }
    zip_discard(archive);
    if (header.member.isEmpty() && header.problem.isEmpty())
        header.problem = QStringLiteral("The archive holds no .gb or .gbc file.");
}

void readFile(const QString &path, GameHeader &header)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        header.problem = QStringLiteral("The ROM file cannot be read: %1").arg(file.errorString());
        return;
    }
    header.bytes = file.read(RomTitle::HeaderSize);
    if (file.error() != QFileDevice::NoError) {
        header.bytes.clear();
        header.problem = QStringLiteral("The ROM file cannot be read: %1").arg(file.errorString());
    }
}

} // namespace

bool GameHeader::colour() const
{
    return bytes.size() > 0x143 && (static_cast<unsigned char>(bytes[0x143]) & 0x80);
}

bool GameHeader::superGameBoy() const
{
    return bytes.size() > 0x146 && bytes[0x146] == 0x03;
}

GameHeader readGameHeader(const QString &romPath)
{
    GameHeader header;
    const QFileInfo info(romPath);
    if (romPath.isEmpty())
        header.problem = QStringLiteral("No ROM file was given.");
    else if (!info.exists())
        header.problem = QStringLiteral("The ROM file was not found.");
    else if (!info.isFile())
        header.problem = QStringLiteral("The ROM path is not a file.");
    else if (isArchive(QDir::fromNativeSeparators(romPath)))
        readArchive(romPath, header);
    else
        readFile(romPath, header);

    if (header.problem.isEmpty())
        header.title = headerTitle(header.bytes);
    else
        header.title = info.fileName();
    return header;
}
