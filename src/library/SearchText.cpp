#include "library/SearchText.h"

namespace SearchText {

QString fold(QStringView text)
{
    // Plain ASCII, by far the most common in file names and titles, needs no decomposition.
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return text.toString().toLower();
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString folded;
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
