#include "emulator/MgbaCheats.h"

#include "platform/PathHelpers.h"

#include <QDir>
#include <QSaveFile>

namespace MgbaCheats {

namespace {

// A code or name on one line of its own: control characters (line breaks above all) become blanks, and
// blanks around it go, since mGBA drops them too.
QString oneLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    return line.simplified();
}

QByteArray cutToBytes(const QString &text, int maxBytes)
{
    QString cut = text;
    while (cut.toUtf8().size() > maxBytes)
        cut.chop(cut.size() >= 2 && cut[cut.size() - 1].isLowSurrogate() ? 2 : 1);
    return cut.toUtf8();
}

} // namespace

QByteArray file(const CodeSet &rows, const QString &unnamed)
{
    QByteArray bytes;
    for (int n = 1; n <= int(rows.size()); ++n) {
        const CodeRow &row = rows[n - 1];
        const QString code = oneLine(row.code);
        // A code line starting like a directive or a set name would be read as one.
        if (code.isEmpty() || code.startsWith(u'#') || code.startsWith(u'!'))
            continue;
        QString name = oneLine(row.description);
        if (name.isEmpty())
            name = unnamed + QString::number(n);
        if (!row.active)
            bytes += "!disabled\n";
        bytes += "# " + cutToBytes(name, MaxNameBytes) + '\n' + cutToBytes(code, MaxNameBytes) + '\n';
    }
    return bytes;
}

QString path(const QString &baseFolder, const QString &rom)
{
    return baseFolder + QStringLiteral("/Trucos/") + stemOf(rom) + QStringLiteral(".cheats");
}

bool write(const QString &path, const CodeSet &rows, const QString &unnamed)
{
    QDir().mkpath(folderOf(path));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(file(rows, unnamed));
    return out.commit();
}

} // namespace MgbaCheats
