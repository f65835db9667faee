#include "library/RomTitle.h"

#include "platform/ErrorHandler.h"
#include "platform/FileAttributes.h"

#include <QDir>
#include <QFile>

QString headerTitle(const QByteArray &header)
{
    QString title;
    const qsizetype end = qMin(header.size(), RomTitle::Offset + RomTitle::Length);
    for (qsizetype i = RomTitle::Offset; i < end; ++i) {
        const auto byte = static_cast<unsigned char>(header[i]);
        // Colour games keep their flag 0x80 in the last title byte; it reads as a blank.
        if (byte == 128)
            title += u' ';
        else if (byte >= 32 && byte < 128)
            title += QChar(byte);
    }
    return title;
}

QString romtitle(const QString &path)
{
    FileAttributes::makePlainArchive(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw CartlingError(QStringLiteral("Unable to read the ROM file %1: %2")
                                .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    QByteArray header;
    while (header.size() < RomTitle::HeaderSize) {
        const QByteArray part = file.read(RomTitle::HeaderSize - header.size());
        if (part.isEmpty()) {
            if (file.error() != QFileDevice::NoError) {
                throw CartlingError(QStringLiteral("Unable to read the ROM file %1: %2")
                                        .arg(QDir::toNativeSeparators(path), file.errorString()));
            }
            break;
        }
        header += part;
    }
    return headerTitle(header);
}
