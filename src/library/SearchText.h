#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

// Matching typed words against names and titles the way people search: without regard to case or accents
// ("pokemon" finds "Pokémon", "senor" finds "Señor"), every word somewhere, in any order.
namespace SearchText {

// The text folded for matching: small letters, accents and other combining marks removed.
QString fold(QStringView text);
// The typed text as folded words; none for a text of blanks.
QStringList words(QStringView typed);
// Whether every folded word occurs in the folded text.
bool containsAll(QStringView foldedText, const QStringList &foldedWords);
// The same on the UTF-8 forms, which a search of a large list runs over: a word occurs in a text exactly when
// its bytes occur in the text's bytes.
bool containsAll(QByteArrayView foldedText, const QList<QByteArray> &foldedWords);

} // namespace SearchText
