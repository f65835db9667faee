#include "ScreenImage.h"

#include "GameHeader.h"

#include <QFont>
#include <QPainter>
#include <QSaveFile>
#include <array>

namespace ScreenImage {

namespace {

// Dark to light, as the original screen's four greens, or four shades of one hue for colour games.
std::array<QColor, 4> palette(const GameHeader &game)
{
    if (!game.colour())
        return {QColor(0x0f, 0x38, 0x0f), QColor(0x30, 0x62, 0x30), QColor(0x8b, 0xac, 0x0f), QColor(0x9b, 0xbc, 0x0f)};
    const int hue = int(qHash(game.title) % 360);
    return {QColor::fromHsv(hue, 200, 60), QColor::fromHsv(hue, 180, 130), QColor::fromHsv(hue, 90, 220),
            QColor::fromHsv(hue, 40, 250)};
}

} // namespace

QImage render(const GameHeader &game)
{
    const auto colours = palette(game);
    QImage screen(Width, Height, QImage::Format_RGB888);
    screen.fill(colours[3]);

    QPainter painter(&screen);
    // A skyline whose heights follow the title, so every game's screenshot looks different.
    const QByteArray seed = game.title.toUtf8() + game.member.toUtf8();
    for (int column = 0; column < Width / 8; ++column) {
        const int value = seed.isEmpty() ? 3 : static_cast<unsigned char>(seed[column % seed.size()]) + column * 7;
        const int height = 12 + value % 28;
        painter.fillRect(column * 8, Height - height, 8, height, colours[column % 2 ? 1 : 2]);
    }
    painter.fillRect(0, 0, Width, 14, colours[0]);

    QFont font;
    font.setPixelSize(10);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(colours[3]);
    QString flags = game.colour() ? QStringLiteral("COLOR") : QStringLiteral("DMG");
    if (game.superGameBoy())
        flags += QStringLiteral(" SGB");
    painter.drawText(QRect(4, 0, Width - 8, 14), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("ZIBO"));
    painter.drawText(QRect(4, 0, Width - 8, 14), Qt::AlignVCenter | Qt::AlignRight, flags);

    font.setPixelSize(14);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(colours[0]);
    const QString title = game.title.trimmed().isEmpty() ? QStringLiteral("NO TITLE") : game.title;
    painter.drawText(QRect(4, 20, Width - 8, 70), Qt::AlignCenter | Qt::TextWordWrap, title);
    painter.end();
    return screen;
}

bool save(const QImage &screen, const QString &path, QString *error)
{
    QSaveFile file(path);
    // Qt writes images without an alpha channel as 24 bits per pixel, as the emulator's bitmaps are.
    const QImage picture = screen.convertToFormat(QImage::Format_RGB888);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "BMP") || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace ScreenImage
