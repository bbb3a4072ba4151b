#pragma once

#include <QString>
#include <QStringView>

// The forms a reading and a search take: the one stored, and the keys that make hiragana,
// katakana, half-width kana, romaji and digits meet.
namespace ReadingForms {

// A reading as stored: NFKC (half-width katakana become full-width), every run of blanks one
// space, none at either end.
QString normalised(QStringView reading);
// Katakana as hiragana; everything else unchanged.
QString hiragana(QStringView text);
// Whether a name needs no guess: nothing in it but kana, Latin letters, digits and marks.
bool isOwnReading(QStringView name);
// The gojūon row of a reading's first kana: 0 あ to 9 わ, 10 for anything else.
int indexRow(QStringView reading);
constexpr int otherRow = 10;

// Width and case ignored: NFKC, case-folded.
QString searchKey(QStringView text);
// A reading for searching: hiragana of the search key, without blanks.
QString kanaKey(QStringView reading);
// Romaji for searching: without marks, blanks and apostrophes, and with long vowels as one
// (satō, satou, satoh and sato all become sato).
QString romajiKey(QStringView latin);
// The digits alone.
QString digitsKey(QStringView text);
// Hiragana spelt in Latin letters (Hepburn); everything else unchanged.
QString latin(QStringView kana);

} // namespace ReadingForms
