#include "readings/reading_forms.h"

#include <memory>

#include <unicode/translit.h>
#include <unicode/unistr.h>

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
    const QString letters = latin.toString().normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString key;
    key.reserve(letters.size());
    for (qsizetype i = 0; i < letters.size(); ++i) {
        const QChar c = letters.at(i);
        if (c < u'a' || c > u'z')
            continue;
        const QChar previous = key.isEmpty() ? QChar() : key.back();
        // ou, oo and uu are one long vowel, and so is the oh of passports before a consonant.
        if ((c == u'u' && (previous == u'o' || previous == u'u')) || (c == u'o' && previous == u'o'))
            continue;
        if (c == u'h' && previous == u'o'
            && (i + 1 == letters.size() || !isVowel(letters.at(i + 1))))
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

QStringList latin(const QStringList &kana)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::Transliterator> transliterator(icu::Transliterator::createInstance(
        icu::UnicodeString(u"Hiragana-Latin"), UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !transliterator)
        return kana;
    // Runs of a few hundred characters, line by line (no reading holds a line break): each call
    // costs much to start, and one over a long text moves its tail at every replacement.
    QStringList result;
    result.reserve(kana.size());
    for (qsizetype first = 0; first < kana.size();) {
        qsizetype end = first;
        QString joined;
        while (end < kana.size() && joined.size() < 512)
            joined += kana.at(end++) + u'\n';
        icu::UnicodeString text(reinterpret_cast<const UChar *>(joined.utf16()),
                                int32_t(joined.size()));
        transliterator->transliterate(text);
        QStringList lines =
            QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length()).split(u'\n');
        lines.removeLast();
        if (lines.size() != end - first)
            return kana;
        result += lines;
        first = end;
    }
    return result;
}

} // namespace ReadingForms
