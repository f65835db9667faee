#include "library/SearchText.h"

#include <cstring>

namespace SearchText {

namespace {

// Latin-1's letters without their accents, small; zero where a letter has no plain form of one character.
constexpr char kLatin1Plain[64] = {
    'a', 'a', 'a', 'a', 'a', 'a', 0,   'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i', // C0..CF
    0,   'n', 'o', 'o', 'o', 'o', 'o', 0,   0,   'u', 'u', 'u', 'u', 'y', 0,   0,   // D0..DF
    'a', 'a', 'a', 'a', 'a', 'a', 0,   'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i', // E0..EF
    0,   'n', 'o', 'o', 'o', 'o', 'o', 0,   0,   'u', 'u', 'u', 'u', 'y', 0,   'y', // F0..FF
};

// The folded character of Latin-1, or 0 when it needs the general way.
char16_t foldedLatin1(char16_t c)
{
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    // Past Latin-1 the table has no entry: the general way folds those.
    if (c >= 0xC0 && c <= 0xFF)
        return char16_t(kLatin1Plain[c - 0xC0]);
    return 0;
}

} // namespace

QString fold(QStringView text)
{
    // Latin-1, by far the most common in file names and titles, takes a table instead of a decomposition.
    QString folded(text.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(folded.data());
    bool plain = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = foldedLatin1(text[i].unicode());
        if (c == 0) {
            plain = false;
            break;
        }
        out[i] = c;
    }
    if (plain)
        return folded;
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    folded.clear();
    folded.reserve(decomposed.size());
    for (QChar c : decomposed) {
        const QChar::Category category = c.category();
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
            category == QChar::Mark_Enclosing)
            continue;
        folded += c;
    }
    return folded.toCaseFolded();
}

QStringList words(QStringView typed)
{
    QStringList result;
    for (QStringView word : typed.split(u' ', Qt::SkipEmptyParts)) {
        const QString folded = fold(word.trimmed());
        if (!folded.isEmpty())
            result.append(folded);
    }
    return result;
}

bool containsAll(QStringView foldedText, const QStringList &foldedWords)
{
    for (const QString &word : foldedWords) {
        if (!foldedText.contains(word))
            return false;
    }
    return true;
}

} // namespace SearchText

bool SearchText::containsAll(QByteArrayView foldedText, const QList<QByteArray> &foldedWords)
{
    for (const QByteArray &word : foldedWords) {
        if (!::memmem(foldedText.data(), size_t(foldedText.size()), word.constData(), size_t(word.size())))
            return false;
    }
    return true;
}
