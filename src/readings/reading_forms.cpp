#include "readings/reading_forms.h"

#include <QList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ReadingForms {

namespace {

bool isKana(char32_t c)
{
    // Hiragana and katakana with their marks, the prolonged sound mark and the middle dot.
    return (c >= 0x3041 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF);
}

bool isLatinOrMark(char32_t c)
{
    // ASCII and the Latin letters with accents, as names in Latin letters have them.
    return (c >= 0x20 && c < 0x7F) || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}

bool isVowel(QChar c)
{
    return c == u'a' || c == u'i' || c == u'u' || c == u'e' || c == u'o';
}

} // namespace

QString normalised(QStringView reading)
{
    return reading.toString().normalized(QString::NormalizationForm_KC).simplified();
}

QString hiragana(QStringView text)
{
    QString result = text.toString();
    for (QChar &c : result) {
        // ァ to ヶ lie 0x60 above ぁ to ゖ.
        if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6)
            c = QChar(c.unicode() - 0x60);
    }
    return result;
}

bool isOwnReading(QStringView name)
{
    const QString text = name.toString().normalized(QString::NormalizationForm_KC);
    bool any = false;
    for (const char32_t c : text.toUcs4()) {
        if (!isKana(c) && !isLatinOrMark(c))
            return false;
        any = any || c != u' ';
    }
    return any;
}

int indexRow(QStringView reading)
{
    const QString kana = hiragana(normalised(reading));
    if (kana.isEmpty())
        return otherRow;
    const char16_t c = kana.at(0).unicode();
    // The first kana of each row from か on; the voiced and small kana lie inside their rows.
    static constexpr char16_t rowStarts[] = {u'か', u'さ', u'た', u'な', u'は',
                                             u'ま', u'ゃ', u'ら', u'ゎ', u'ゔ'};
    if (c < u'ぁ' || c > u'ゖ')
        return otherRow;
    if (c >= u'ゔ') // ゔ is a voiced う; ゕ and ゖ are small か and け
        return c == u'ゔ' ? 0 : 1;
    int row = 0;
    while (row < 9 && c >= rowStarts[row])
        ++row;
    return row;
}

QString searchKey(QStringView text)
{
    return text.toString().normalized(QString::NormalizationForm_KC).toCaseFolded();
}

QString kanaKey(QStringView reading)
{
    QString key = hiragana(searchKey(reading));
    key.remove(u' ');
    return key;
}

QString romajiKey(QStringView latin)
{
    const QString letters =
        latin.toString().normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString key;
    key.reserve(letters.size());
    for (qsizetype i = 0; i < letters.size(); ++i) {
        const QChar c = letters.at(i);
        if (c < u'a' || c > u'z')
            continue;
        const QChar previous = key.isEmpty() ? QChar() : key.back();
        // ou, oo and uu are one long vowel, and so is the oh of passports before a consonant.
        if ((c == u'u' && (previous == u'o' || previous == u'u')) ||
            (c == u'o' && previous == u'o'))
            continue;
        if (c == u'h' && previous == u'o' &&
            (i + 1 == letters.size() || !isVowel(letters.at(i + 1))))
            continue;
        key.append(c);
    }
    return key;
}

QString digitsKey(QStringView text)
{
    QString key;
    for (const QChar c : text) {
        if (c.isDigit())
            key.append(QChar(u'0' + c.digitValue()));
    }
    return key;
}

QString latin(QStringView kana)
{
    // Hepburn for ぁ (U+3041) to ゖ (U+3096); っ, the small ゃ ゅ ょ and the small vowels join
    // what stands beside them below.
    static constexpr const char *syllables[] = {
        "a",  "a",  "i",   "i",  "u",  "u",   "e",  "e",   "o",  "o",  "ka", "ga", "ki", "gi", "ku",
        "gu", "ke", "ge",  "ko", "go", "sa",  "za", "shi", "ji", "su", "zu", "se", "ze", "so", "zo",
        "ta", "da", "chi", "ji", "",   "tsu", "zu", "te",  "de", "to", "do", "na", "ni", "nu", "ne",
        "no", "ha", "ba",  "pa", "hi", "bi",  "pi", "fu",  "bu", "pu", "he", "be", "pe", "ho", "bo",
        "po", "ma", "mi",  "mu", "me", "mo",  "ya", "ya",  "yu", "yu", "yo", "yo", "ra", "ri", "ru",
        "re", "ro", "wa",  "wa", "i",  "e",   "o",  "n",   "vu", "ka", "ke"};
    QString result;
    result.reserve(kana.size() * 3);
    bool doubled = false;
    for (const QChar c : kana) {
        const char16_t code = c.unicode();
        if (code == u'ー') {
            const auto vowel = std::find_if(result.crbegin(), result.crend(), isVowel);
            if (vowel != result.crend())
                result.append(*vowel);
            continue;
        }
        if (code < u'ぁ' || code > u'ゖ') {
            result.append(c);
            continue;
        }
        if (code == u'っ') {
            doubled = true;
            continue;
        }
        QLatin1StringView syllable(syllables[code - u'ぁ']);
        const bool small = code == u'ゃ' || code == u'ゅ' || code == u'ょ' || code == u'ぁ' ||
                           code == u'ぃ' || code == u'ぅ' || code == u'ぇ' || code == u'ぉ';
        if (small && result.size() > 1 && (result.endsWith(u'i') || result.endsWith(u'u'))) {
            // きゃ kya, しゃ sha, ふぁ fa: the vowel before gives way.
            result.chop(1);
            const bool palatal =
                result.endsWith(u"sh") || result.endsWith(u"ch") || result.endsWith(u'j');
            if (palatal || syllable.size() == 1)
                syllable = syllable.last(1);
        }
        if (doubled && !syllable.isEmpty() && !isVowel(QChar(syllable.front())))
            result.append(syllable.startsWith(QLatin1StringView("ch"))
                              ? QChar(u't')
                              : QLatin1Char(syllable.front()));
        doubled = false;
        result.append(syllable);
    }
    return result;
}

} // namespace ReadingForms
