#pragma once

#include <QString>
#include <QStringView>

// The text rules of the data INI files: lines, headers, keys and how names are matched.
namespace IniText {

// Lines are held cut to this many characters.
inline constexpr int MaxLineLength = 255;

// The length in UTF-16 units of at most `characters` characters of the text: a character outside the basic
// plane is never cut in half.
qsizetype cutLength(QStringView text, int characters);
bool holdsLineBreak(QStringView text);
// "[" ... "]"
bool isHeader(QStringView line);
// Empty, or the end-of-file character alone.
bool isBlank(QStringView line);
// Names match without regard to case.
bool sameName(QStringView a, QStringView b);
// A hash of the name folded to one case, so names that compare equal hash alike.
quint32 foldedHash(QStringView name);

// The lines of a text as read: CR LF, LF and CR end a line, and a last line without an end counts.
class LineScanner
{
public:
    LineScanner(const QString &text, qsizetype from, qsizetype to) : m_text(text), m_at(from), m_to(to) {}

    bool next();

    QStringView line;    // cut to the longest line held
    qsizetype start = 0; // where the line begins in the text
    qsizetype rawLength = 0;
    qsizetype after = 0; // where the next line begins
    bool crLf = false;   // the line ends in CR LF

private:
    const QString &m_text;
    qsizetype m_at;
    qsizetype m_to;
};

// One line of a section's body, without its CR LF; start is -1 when there is none.
struct BodyLine
{
    qsizetype start = -1;
    qsizetype length = 0;
};

// Every line of a block whose lines all end in CR LF, from `at` on.
template <typename F> void forEachLine(QStringView body, qsizetype at, F visit)
{
    while (at < body.size()) {
        const qsizetype end = body.indexOf(u'\r', at); // lines hold no CR, and each ends in CR LF
        visit(body.sliced(at, end - at), at);
        at = end + 2;
    }
}

// The first line of a block whose lines all end in CR LF, from `at` on, whose name part (the text before its
// first "=") equals the key without regard to case.
BodyLine findKey(QStringView body, qsizetype at, QStringView key);

} // namespace IniText
