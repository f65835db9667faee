#include "settings/IniText.h"

#include <cstring>

namespace IniText {

qsizetype cutLength(QStringView text, int characters)
{
    if (text.size() <= characters)
        return text.size();
    qsizetype at = 0;
    for (int count = 0; count < characters && at < text.size(); ++count)
        at += (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) ? 2 : 1;
    return at;
}

bool holdsLineBreak(QStringView text)
{
    // Four characters at a time: a lane below 14 flags the block, which is then looked at character by
    // character. Every name and value stored passes here, thousands of times in a title run.
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        quint64 word;
        std::memcpy(&word, p + i, sizeof word);
        if (((word - 0x000E000E000E000EULL) & ~word & 0x8000800080008000ULL) == 0)
            continue;
        for (qsizetype j = i; j < i + 4; ++j) {
            if (p[j] == u'\r' || p[j] == u'\n')
                return true;
        }
    }
    for (; i < n; ++i) {
        if (p[i] == u'\r' || p[i] == u'\n')
            return true;
    }
    return false;
}

bool isHeader(QStringView line)
{
    return line.size() >= 2 && line.startsWith(u'[') && line.endsWith(u']');
}

bool isBlank(QStringView line)
{
    return line.isEmpty() || (line.size() == 1 && line[0] == QChar(26)); // the end-of-file character alone
}

bool LineScanner::next()
{
    if (m_at >= m_to)
        return false;
    start = m_at;
    qsizetype end = m_at;
    while (end < m_to && m_text[end] != u'\r' && m_text[end] != u'\n')
        ++end;
    rawLength = end - start;
    crLf = end + 1 < m_to && m_text[end] == u'\r' && m_text[end + 1] == u'\n';
    m_at = qMin(m_to, end + (crLf ? 2 : 1));
    after = m_at;
    line = QStringView(m_text).sliced(start, cutLength(QStringView(m_text).sliced(start, rawLength), MaxLineLength));
    return true;
}

BodyLine findKey(QStringView body, qsizetype at, QStringView key)
{
    if (key.contains(u'='))
        return {};
    while (at < body.size()) {
        const qsizetype end = body.indexOf(u'\r', at);
        const QStringView line = body.sliced(at, end - at);
        if (line.size() > key.size() && line[key.size()] == u'=' &&
            (line.first(key.size()) == key || line.first(key.size()).compare(key, Qt::CaseInsensitive) == 0))
            return {at, end - at};
        at = end + 2;
    }
    return {};
}

bool sameName(QStringView a, QStringView b)
{
    return a == b || a.compare(b, Qt::CaseInsensitive) == 0;
}

// Folds case character by character (whole characters outside the basic plane too), the way the
// case-insensitive comparison does, so names that compare equal hash alike.
quint32 foldedHash(QStringView name)
{
    size_t hash = 0xcbf29ce484222325ULL ^ size_t(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t c = name[i].unicode();
        if (c < 0x80) {
            if (c >= u'A' && c <= u'Z')
                c += 0x20;
        } else {
            if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name[i + 1].isLowSurrogate())
                c = QChar::surrogateToUcs4(char16_t(c), name[++i].unicode());
            c = QChar::toCaseFolded(c);
        }
        hash = (hash ^ c) * 0x100000001b3ULL;
    }
    // The multiplications carry differences only upwards; the table picks its bucket from the low bits.
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    hash ^= hash >> 33;
    return quint32(hash);
}

} // namespace IniText
