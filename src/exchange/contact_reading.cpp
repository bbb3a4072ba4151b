#include "exchange/contact_reading.h"

#include <algorithm>

#include <QStringDecoder>

#include "exchange/csv_format.h"
#include "exchange/vcard_reader.h"
#include "platform/code_page.h"

using namespace Qt::StringLiterals;

namespace {

constexpr char byteOrderMark[] = "\xEF\xBB\xBF";
constexpr qsizetype chunkSize = 1 << 16;
constexpr qsizetype shownCharacters = 60;
constexpr qsizetype shownBytes = 24;

// The end of a piece of at most chunkSize bytes from at, never inside a UTF-8 sequence.
qsizetype chunkEnd(QByteArrayView bytes, qsizetype at)
{
    qsizetype end = qMin(bytes.size(), at + chunkSize);
    for (int back = 0; back < 3 && end < bytes.size() && end > at
                       && (static_cast<unsigned char>(bytes.at(end)) & 0xC0) == 0x80;
         ++back)
        --end;
    return end;
}

// UTF-16 as UTF-8, a piece at a time, so that the text is never held twice whole.
QByteArray utf8FromUtf16(QByteArrayView bytes, QStringDecoder::Encoding encoding)
{
    QStringDecoder decoder(encoding);
    QByteArray out;
    for (qsizetype at = 0; at < bytes.size(); at += chunkSize)
        out += QString(decoder(bytes.sliced(at, qMin(chunkSize, bytes.size() - at)))).toUtf8();
    return out;
}

bool isJapaneseScript(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const QChar::Script script = c.script();
        return script == QChar::Script_Han || script == QChar::Script_Hiragana
               || script == QChar::Script_Katakana;
    });
}

} // namespace

bool isValidUtf8(QByteArrayView bytes)
{
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype end = chunkEnd(bytes, at);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString piece = decoder.decode(bytes.sliced(at, end - at));
        if (decoder.hasError())
            return false;
        at = end;
    }
    return true;
}

std::optional<QString> shiftJisText(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    text.resize(qsizetype(CodePage932::toUnicode(std::string_view(bytes.data(), bytes.size()),
                                                 reinterpret_cast<char16_t *>(text.data()))));
    const bool failed = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c == QChar::ReplacementCharacter || c.category() == QChar::Other_PrivateUse;
    });
    if (failed)
        return std::nullopt;
    return text;
}

std::optional<QString> decodeUnlabelled(QByteArrayView bytes)
{
    // A byte-order mark inside a value is text; the file's own was dropped before.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return shiftJisText(bytes);
}

QString droppedValue(const QString &label, const QString &value)
{
    QString shown = asOneLine(value);
    if (shown.size() > shownCharacters)
        shown = shown.first(shownCharacters) + u'…';
    return label + u": "_s + shown;
}

QString undecodableValue(const QString &label, const QString &encoding, QByteArrayView bytes)
{
    QByteArray hex = bytes.first(qMin(bytes.size(), shownBytes)).toByteArray().toHex(' ').toUpper();
    if (bytes.size() > shownBytes)
        hex += " …";
    return u"%1 (%2として読めないバイト): %3"_s.arg(label, encoding, QString::fromLatin1(hex));
}

std::optional<QString> kanaReading(const QString &text)
{
    const QString reading = text.normalized(QString::NormalizationForm_KC).trimmed();
    const bool kana = std::all_of(reading.begin(), reading.end(), [](QChar c) {
        const char16_t unit = c.unicode();
        return (unit >= 0x3041 && unit <= 0x309F) || (unit >= 0x30A0 && unit <= 0x30FF)
               || (unit >= 0x31F0 && unit <= 0x31FF);
    });
    if (!kana)
        return std::nullopt;
    return reading;
}

QString joinedAddress(const QStringList &parts)
{
    QString line;
    QString previous;
    for (const QString &part : parts) {
        const QString text = asOneLine(part);
        if (text.isEmpty())
            continue;
        if (!line.isEmpty())
            line += isJapaneseScript(previous) && isJapaneseScript(text) ? u'\u3000' : u' ';
        line += text;
        previous = text;
    }
    return line;
}

ContactReading readContacts(QByteArrayView bytes)
{
    QByteArray fromUtf16;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        fromUtf16 = utf8FromUtf16(bytes, bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                                       : QStringDecoder::Utf16BE);
        bytes = fromUtf16;
    }
    if (bytes.startsWith(byteOrderMark))
        bytes = bytes.sliced(3);
    if (looksLikeVCard(bytes))
        return {ContactFormat::VCard, readVCards(bytes)};
    if (std::optional<QList<ReadContact>> rows = readCsvContacts(bytes))
        return {ContactFormat::Csv, *rows};
    return {};
}
