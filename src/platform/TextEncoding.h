#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files are shared with Windows installations: read UTF-8 when the bytes are valid UTF-8,
// otherwise Windows-1252; write Windows-1252 when every character has a byte there, otherwise UTF-8.
namespace TextEncoding {

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);
bool fitsWindows1252(const QString &text);
QString fromWindows1252(const QByteArray &bytes);
QByteArray toWindows1252(const QString &text); // characters without a byte become "?"

// Lines end at CR, LF or CR LF; a last line without an end counts, a final line end adds no line.
QStringList splitLines(const QString &text);
// Every line followed by CR LF, the last one too.
QString joinLines(const QStringList &lines);

} // namespace TextEncoding
