#pragma once

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

} // namespace SearchText
