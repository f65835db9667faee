#include "emulator/MgbaCheats.h"

#include "platform/PathHelpers.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

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

// One set of the file as read: its lines as they are (the directive lines before its name included), and
// what mGBA makes of it.
struct Set
{
    QByteArray bytes;
    bool ours = false; // one of Cartling's, by the mark ending its name
    bool enabled = true;
    QStringList codes;
};

// The file cut as mGBA reads it: a line starting with "#" (after blanks) opens a set, "!" lines are
// directives ("!disabled" switches the next set off), any other line belongs to the open set. `leading`
// gets the lines before the first set name, `trailing` the directive lines after the last line of a set.
QList<Set> sets(const QByteArray &existing, QByteArray *leading = nullptr, QByteArray *trailing = nullptr)
{
    QList<Set> found;
    QByteArray before;
    QByteArray pending;
    bool nextDisabled = false;
    for (qsizetype from = 0; from < existing.size();) {
        const qsizetype end = existing.indexOf('\n', from);
        const qsizetype next = end < 0 ? existing.size() : end + 1;
        const QByteArray line = existing.mid(from, next - from);
        from = next;
        const QByteArray text = line.trimmed();
        if (text.startsWith('!')) {
            nextDisabled = nextDisabled || text.mid(1).trimmed().compare("disabled", Qt::CaseInsensitive) == 0;
            pending += line;
        } else if (text.startsWith('#')) {
            found.append({pending + line, text.mid(1).trimmed().endsWith(Mark), !nextDisabled, {}});
            pending.clear();
            nextDisabled = false;
        } else {
            (found.isEmpty() ? before : found.last().bytes) += pending + line;
            pending.clear();
            if (!found.isEmpty() && !text.isEmpty())
                found.last().codes.append(QString::fromUtf8(text));
        }
    }
    if (leading)
        *leading = before;
    if (trailing)
        *trailing = pending;
    return found;
}

// Appends a piece, first ending the last line when the file so far does not.
void append(QByteArray &out, const QByteArray &piece)
{
    if (!out.isEmpty() && !out.endsWith('\n') && !piece.isEmpty())
        out += '\n';
    out += piece;
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
        bytes += "# " + cutToBytes(name, MaxNameBytes) + Mark + '\n' + cutToBytes(code, MaxNameBytes) + '\n';
    }
    return bytes;
}

QList<CodeChoice> choices(const QByteArray &existing)
{
    QList<CodeChoice> found;
    for (const Set &set : sets(existing)) {
        if (set.ours && !set.codes.isEmpty())
            found.append({set.codes.join(u' '), set.enabled});
    }
    return found;
}

QByteArray merged(const QByteArray &existing, const CodeSet &rows, const QString &unnamed)
{
    QByteArray leading;
    QByteArray trailing;
    const QList<Set> found = sets(existing, &leading, &trailing);
    QByteArray out = leading;
    append(out, file(rows, unnamed));
    for (const Set &set : found) {
        if (!set.ours)
            append(out, set.bytes);
    }
    append(out, trailing);
    return out;
}

QString path(const QString &baseFolder, const QString &rom)
{
    return baseFolder + QStringLiteral("/Trucos/") + stemOf(rom) + QStringLiteral(".cheats");
}

bool read(const QString &path, QByteArray *existing)
{
    existing->clear();
    QFile in(path);
    if (!in.exists())
        return true;
    if (!in.open(QIODevice::ReadOnly))
        return false;
    *existing = in.readAll();
    return in.error() == QFileDevice::NoError;
}

bool write(const QString &path, const CodeSet &rows, const QString &unnamed)
{
    QByteArray existing;
    if (!read(path, &existing))
        return false;
    QDir().mkpath(folderOf(path));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(merged(existing, rows, unnamed));
    return out.commit();
}

} // namespace MgbaCheats
