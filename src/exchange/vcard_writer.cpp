#include "exchange/vcard_writer.h"

#include <QHash>

#include "exchange/exchange_entry.h"
#include "platform/code_page.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype foldWidth = 75;
constexpr qsizetype quotedPrintableWidth = 76;

// Longer lines continue on lines that begin with a space; a UTF-8 sequence is never split.
QByteArray folded(QByteArrayView line)
{
    QByteArray out;
    qsizetype start = 0;
    qsizetype room = foldWidth;
    while (line.size() - start > room) {
        qsizetype end = start + room;
        while (end > start + 1 && (static_cast<unsigned char>(line.at(end)) & 0xC0) == 0x80)
            --end;
        out += line.sliced(start, end - start);
        out += "\r\n ";
        start = end;
        room = foldWidth - 1;
    }
    out += line.sliced(start);
    out += "\r\n";
    return out;
}

// Text escaped as the version asks: 3.0 and 4.0 escape commas and semicolons everywhere (4.0
// readers cut plain text at a bare one); 2.1 only those of a structured value.
QString escaped(QStringView text, VCardVersion version, bool component)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (version == VCardVersion::V21) {
            if (unit == u';' && component)
                out += u'\\';
            out += c;
            continue;
        }
        if (unit == u'\\' || unit == u',' || unit == u';')
            out += u'\\';
        if (unit == u'\n')
            out += u"\\n"_s;
        else
            out += c;
    }
    return out;
}

// Kana as 2.1's readers take a reading: half-width katakana, voiced marks as their own
// characters; what has no half-width form stays as it is.
QString halfWidthKatakana(const QString &reading)
{
    static const QHash<char16_t, QChar> halfWidth = [] {
        QHash<char16_t, QChar> forms;
        for (char16_t unit = 0xFF61; unit <= 0xFF9F; ++unit) {
            const QString full = QString(QChar(unit)).normalized(QString::NormalizationForm_KC);
            forms.insert(full.at(0).unicode(), QChar(unit));
        }
        forms.insert(u'\u3000', QChar(u' '));
        return forms;
    }();
    QString out;
    for (const QChar c : reading.normalized(QString::NormalizationForm_D)) {
        char16_t unit = c.unicode();
        if (unit >= 0x3041 && unit <= 0x3096)
            unit += 0x60; // hiragana to katakana
        out += halfWidth.value(unit, QChar(unit));
    }
    return out;
}

std::string shiftJis(const QString &text)
{
    return CodePage932::fromUnicode(
        std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()), text.size()));
}

QByteArray hexByte(unsigned char byte)
{
    constexpr char digits[] = "0123456789ABCDEF";
    const char triple[] = {'=', digits[byte >> 4], digits[byte & 0xF]};
    return QByteArray(triple, sizeof triple);
}

// Quoted-printable with soft line breaks, none of them inside an =XX triple.
QByteArray quotedPrintable(QByteArrayView bytes, qsizetype usedOnFirstLine)
{
    QByteArray out;
    qsizetype column = usedOnFirstLine;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes.at(i));
        const bool last = i + 1 == bytes.size();
        const bool literal = (byte > 0x20 && byte < 0x7F && byte != '=') || (byte == ' ' && !last);
        const QByteArray piece = literal ? QByteArray(1, char(byte)) : hexByte(byte);
        if (column + piece.size() > quotedPrintableWidth - 1) {
            out += "=\r\n";
            column = 0;
        }
        out += piece;
        column += piece.size();
    }
    return out + "\r\n";
}

// A 2.1 property: Shift-JIS, marked as such where it leaves ASCII, quoted-printable where a
// value holds a line break or another control character.
QByteArray shiftJisProperty(QByteArray head, const QString &value)
{
    QString crlfValue = value;
    crlfValue.replace(u'\n', u"\r\n"_s);
    const std::string bytes = shiftJis(crlfValue);
    bool ascii = true;
    bool control = false;
    for (const char byte : bytes) {
        ascii = ascii && static_cast<unsigned char>(byte) < 0x80;
        control = control || static_cast<unsigned char>(byte) < 0x20;
    }
    if (!ascii)
        head += ";CHARSET=SHIFT_JIS";
    if (!control)
        return head + ':' + QByteArray(bytes.data(), qsizetype(bytes.size())) + "\r\n";
    head += ";ENCODING=QUOTED-PRINTABLE:";
    return head + quotedPrintable(QByteArrayView(bytes.data(), qsizetype(bytes.size())), head.size());
}

QByteArray property(VCardVersion version, const QByteArray &head, const QString &value)
{
    if (version == VCardVersion::V21)
        return shiftJisProperty(head, value);
    return folded(head + ':' + value.toUtf8());
}

QByteArray photoProperty(VCardVersion version, const EmbeddedPhoto &photo)
{
    const QByteArray base64 = photo.bytes.toBase64();
    switch (version) {
    case VCardVersion::V21: {
        QByteArray out = "PHOTO;ENCODING=BASE64;TYPE=" + photo.format.toUpper() + ":\r\n";
        for (qsizetype at = 0; at < base64.size(); at += 72)
            out += ' ' + base64.mid(at, 72) + "\r\n";
        return out + "\r\n";
    }
    case VCardVersion::V30:
        return folded("PHOTO;ENCODING=b;TYPE=" + photo.format.toUpper() + ':' + base64);
    case VCardVersion::V40:
        return folded("PHOTO:data:image/" + photo.format.toLower() + ";base64," + base64);
    }
    return {};
}

QString formattedName(const ExchangeEntry &entry)
{
    for (const QString &candidate : {entry.name, entry.mail, entry.tell}) {
        if (!candidate.isEmpty())
            return candidate;
    }
    return u"No. "_s + QString::number(entry.number);
}

} // namespace

NameParts splitName(const QString &name)
{
    const auto isSpace = [](QChar c) { return c == u' ' || c == u'\u3000'; };
    qsizetype spaces = 0;
    qsizetype at = -1;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (isSpace(name.at(i))) {
            ++spaces;
            at = i;
        }
    }
    if (spaces != 1 || at == 0 || at == name.size() - 1)
        return {name, {}};
    return {name.left(at), name.mid(at + 1)};
}

QByteArray vCard(const ExchangeEntry &entry, VCardVersion version, const EmbeddedPhoto &photo)
{
    const auto text = [version](const QString &value) { return escaped(value, version, false); };
    const NameParts parts = splitName(entry.name);
    QByteArray card = "BEGIN:VCARD\r\n";
    card += version == VCardVersion::V21   ? "VERSION:2.1\r\n"
            : version == VCardVersion::V30 ? "VERSION:3.0\r\n"
                                           : "VERSION:4.0\r\n";
    card += property(version, "FN", text(formattedName(entry)));
    const QString name = escaped(parts.family, version, true) + u';'
                         + escaped(parts.given, version, true) + u";;;"_s;
    const bool hasReading = !entry.familyReading.isEmpty() || !entry.givenReading.isEmpty();
    const QString reading = (entry.familyReading + u' ' + entry.givenReading).trimmed();
    if (version == VCardVersion::V40 && hasReading)
        card += property(version,
                         "N;SORT-AS=\"" + (entry.familyReading + u',' + entry.givenReading).toUtf8()
                             + '"',
                         name);
    else
        card += property(version, "N", name);
    // Readings where phones look for them: 2.1 in the phones' own property, "family given" in
    // one component; the others in the properties phones read and in the sort string.
    if (version == VCardVersion::V21 && hasReading)
        card += property(version, "SOUND;X-IRMC-N",
                         entry.familyReading.isEmpty()
                             ? u';' + halfWidthKatakana(entry.givenReading) + u";;;"_s
                             : halfWidthKatakana(reading) + u";;;;"_s);
    if (version != VCardVersion::V21 && !entry.familyReading.isEmpty())
        card += property(version, "X-PHONETIC-LAST-NAME", text(entry.familyReading));
    if (version != VCardVersion::V21 && !entry.givenReading.isEmpty())
        card += property(version, "X-PHONETIC-FIRST-NAME", text(entry.givenReading));
    if (version == VCardVersion::V30 && hasReading)
        card += property(version, "SORT-STRING", text(reading));
    if (!entry.uid.isEmpty())
        card += property(version, "UID",
                         version == VCardVersion::V40 ? u"urn:uuid:"_s + entry.uid : entry.uid);
    if (!entry.mail.isEmpty())
        card += property(version, version == VCardVersion::V21 ? "EMAIL;INTERNET" : "EMAIL",
                         text(entry.mail));
    if (!entry.tell.isEmpty())
        card += property(version, "TEL", text(entry.tell));
    if (!entry.memo.isEmpty())
        card += property(version, "NOTE", text(entry.memo));
    card += property(version, "X-VEDRIN-NO", QString::number(entry.number));
    if (!entry.picturePath.isEmpty())
        card += property(version, "X-VEDRIN-PICTURE", text(entry.picturePath));
    if (!photo.bytes.isEmpty())
        card += photoProperty(version, photo);
    return card + "END:VCARD\r\n";
}
