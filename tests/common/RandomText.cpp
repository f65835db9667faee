#include "RandomText.h"

#include "platform/TextEncoding.h"

QString randomText(QRandomGenerator &random, Characters from, int maxLength, bool lineBreaks)
{
    static const QString windows1252 = [] {
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all.append(static_cast<char>(b));
        return TextEncoding::fromWindows1252(all);
    }();
    QString text;
    const int length = random.bounded(maxLength + 1);
    while (text.size() < length) {
        char32_t c = 0;
        if (from == Characters::Windows1252) {
            c = windows1252[random.bounded(windows1252.size())].unicode();
        } else {
            const quint32 ranges[] = {0x800, 0x10000, 0x10000, 0x110000};
            c = random.bounded(ranges[random.bounded(4)]);
        }
        if (c == 0 || (c >= 0xD800 && c < 0xE000) || (!lineBreaks && (c == u'\r' || c == u'\n')))
            continue;
        text += QString::fromUcs4(&c, 1);
    }
    return text;
}
