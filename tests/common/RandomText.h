#pragma once

#include <QRandomGenerator>
#include <QString>

// Where random texts take their characters from.
enum class Characters
{
    Windows1252, // the 255 characters Windows-1252 has besides NUL
    Unicode,     // any of Unicode: every plane, the Basic Multilingual Plane more often
};

// A random text of up to `maxLength` UTF-16 units (one more when its last character lies beyond the plane),
// never NUL or half a surrogate pair. Without `lineBreaks` it holds no CR or LF, which no line of a stored file
// can hold.
QString randomText(QRandomGenerator &random, Characters from, int maxLength, bool lineBreaks = false);
