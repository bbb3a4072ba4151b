#include "exchange/contact_reading.h"

#include <algorithm>

#include <QBuffer>
#include <QStringDecoder>

#include "exchange/contact_stream.h"
#include "platform/code_page.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype shownCharacters = 60;
constexpr qsizetype shownBytes = 24;

bool isJapaneseScript(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const QChar::Script script = c.script();
        return script == QChar::Script_Han || script == QChar::Script_Hiragana
               || script == QChar::Script_Katakana;
    });
}

} // namespace

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

ContactReading readContacts(QByteArrayView bytes, qsizetype pieceSize)
{
    QByteArray data = bytes.toByteArray();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    ContactStream whole(buffer, data.size(), true, pieceSize);
    whole.skipRest();
    ContactStream stream(buffer, data.size(), whole.isUtf8(), pieceSize);
    ContactReading reading{stream.format(), {}};
    for (ReadContact contact; stream.next(contact);)
        reading.contacts.append(contact);
    return reading;
}
