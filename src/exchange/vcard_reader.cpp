#include "exchange/vcard_reader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include <QStringDecoder>

#include "exchange/contact_input.h"
#include "exchange/contact_reading.h"
#include "exchange/vcard_writer.h"
#include "platform/code_page.h"
#include "platform/named_charset.h"

using namespace Qt::StringLiterals;

namespace {

struct ContentLine
{
    QByteArray name; // upper case, without a group
    QList<QByteArray> parameters; // as written: "CHARSET=SHIFT_JIS", "CELL", "SORT-AS=\"a,b\""
    QByteArray value;
};

// The value of the parameter named key in any case, without its quotes.
QByteArray parameterValue(const ContentLine &line, QByteArrayView key)
{
    for (const QByteArray &parameter : line.parameters) {
        const qsizetype equals = parameter.indexOf('=');
        if (equals > 0 && parameter.first(equals).compare(key, Qt::CaseInsensitive) == 0) {
            QByteArray value = parameter.mid(equals + 1).trimmed();
            if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
                value = value.sliced(1, value.size() - 2);
            return value;
        }
    }
    return {};
}

// A bare parameter as 2.1 writes it ("QUOTED-PRINTABLE", "X-IRMC-N"), or the same as a TYPE.
bool hasParameter(const ContentLine &line, QByteArrayView bare)
{
    for (const QByteArray &parameter : line.parameters) {
        if (parameter.compare(bare, Qt::CaseInsensitive) == 0)
            return true;
    }
    for (const QByteArray &type : parameterValue(line, "TYPE").split(',')) {
        if (type.compare(bare, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Whether the bytes hold QUOTED-PRINTABLE in any case: every way of naming the encoding does.
bool mentionsQuotedPrintable(QByteArrayView bytes)
{
    constexpr QByteArrayView name = "QUOTED-PRINTABLE";
    for (qsizetype at = 0; at + name.size() <= bytes.size(); ++at) {
        if ((bytes.at(at) == 'Q' || bytes.at(at) == 'q')
            && bytes.sliced(at, name.size()).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool isQuotedPrintable(const ContentLine &line)
{
    const bool mentioned = std::any_of(line.parameters.begin(), line.parameters.end(),
                                       [](const QByteArray &parameter) {
                                           return mentionsQuotedPrintable(parameter);
                                       });
    return mentioned && (hasParameter(line, "QUOTED-PRINTABLE")
           || parameterValue(line, "ENCODING").compare("QUOTED-PRINTABLE", Qt::CaseInsensitive) == 0);
}

// "group.NAME;PARAM;PARAM=VALUE:value": the name and the parameters; a colon inside a quoted
// parameter value does not end the head. The position of the value, or -1 for no head.
qsizetype splitHead(const QByteArray &logical, ContentLine &line)
{
    bool quoted = false;
    qsizetype colon = -1;
    for (qsizetype i = 0; i < logical.size(); ++i) {
        if (logical.at(i) == '"')
            quoted = !quoted;
        else if (logical.at(i) == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon <= 0)
        return -1;
    QList<QByteArray> head = logical.first(colon).split(';');
    QByteArray name = head.takeFirst().trimmed().toUpper();
    name = name.mid(name.lastIndexOf('.') + 1);
    line.name = name;
    line.parameters.clear();
    for (const QByteArray &parameter : head)
        line.parameters.append(parameter.trimmed());
    return name.isEmpty() ? -1 : colon + 1;
}

QByteArray decodedQuotedPrintable(QByteArrayView value)
{
    QByteArray out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value.at(i);
        if (c == '=' && i + 2 < value.size() && std::isxdigit(static_cast<unsigned char>(value.at(i + 1)))
            && std::isxdigit(static_cast<unsigned char>(value.at(i + 2)))) {
            out += char(QByteArray::fromHex(value.sliced(i + 1, 2).toByteArray()).at(0));
            i += 2;
            continue;
        }
        out += c;
    }
    return out;
}

// The text of a value in the charset the card names; nothing for bytes that are no text in it,
// with the encoding's name for the report.
std::optional<QString> decoded(QByteArrayView bytes, const QByteArray &charset, bool defaultShiftJis,
                               QString *encoding)
{
    const QByteArray name = charset.toUpper();
    const bool shiftJis = name == "SHIFT_JIS" || name == "SHIFT-JIS" || name == "SJIS"
                          || name == "CP932" || name == "WINDOWS-31J" || name == "MS_KANJI";
    if (shiftJis || (name.isEmpty() && defaultShiftJis)) {
        *encoding = u"Shift-JIS"_s;
        return shiftJisText(bytes);
    }
    if (name.isEmpty()) {
        *encoding = u"UTF-8・Shift-JIS"_s;
        return decodeUnlabelled(bytes);
    }
    *encoding = QString::fromLatin1(charset);
    if (name == "UTF-8") {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless
                                                      | QStringDecoder::Flag::ConvertInitialBom);
        QString text = utf8.decode(bytes);
        return utf8.hasError() ? std::nullopt : std::optional<QString>(text);
    }
    const std::optional<std::u16string> text = NamedCharset::toUnicode(
        std::string_view(name.data(), name.size()), std::string_view(bytes.data(), bytes.size()));
    return text ? std::optional<QString>(QString::fromStdU16String(*text)) : std::nullopt;
}

// Splits a structured value at its unescaped semicolons.
QStringList components(const QString &value)
{
    QStringList parts(1);
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) == u'\\' && i + 1 < value.size()) {
            parts.last() += value.at(i);
            parts.last() += value.at(++i);
        } else if (value.at(i) == u';') {
            parts.append(QString());
        } else {
            parts.last() += value.at(i);
        }
    }
    return parts;
}

// 3.0 and 4.0 escape backslash, comma, semicolon and line breaks; 2.1 only the semicolon.
// Written over the value itself, which only ever gets shorter: a long note is held once.
QString unescaped(QString value, bool v21)
{
    if (!value.contains(u'\\'))
        return value;
    QChar *const text = value.data();
    const qsizetype size = value.size();
    qsizetype out = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < size ? text[i + 1] : QChar();
        if (c != u'\\' || i + 1 == size) {
            text[out++] = c;
        } else if (next == u';' || (!v21 && (next == u'\\' || next == u','))) {
            text[out++] = next;
            ++i;
        } else if (!v21 && (next == u'n' || next == u'N')) {
            text[out++] = u'\n';
            ++i;
        } else {
            text[out++] = c;
        }
    }
    value.truncate(out);
    return value;
}

// The first address as one line, in the order a Japanese address is written.
QString addressLine(const QStringList &parts, bool v21)
{
    // PO box; extended; street; locality; region; postal code; country
    static constexpr int order[] = {5, 4, 3, 2, 1, 0, 6};
    QStringList ordered;
    for (const int index : order)
        ordered.append(unescaped(parts.value(index), v21));
    return joinedAddress(ordered);
}

// Where a card gives a reading, in Android's order of precedence.
enum ReadingSource { Phonetic, SortAs, Sound, SortString, readingSourceCount };

} // namespace

class VCardReader::CardBuilder final
{
public:
    explicit CardBuilder(bool defaultShiftJis) : m_defaultShiftJis(defaultShiftJis) {}

    void add(ContentLine &line)
    {
        if (line.name == "VERSION") {
            m_v21 = line.value.trimmed() == "2.1";
            return;
        }
        // What says nothing of the person; a UID names the card only where it came from.
        if (line.name == "PRODID" || line.name == "REV" || line.name == "UID" || line.name == "BEGIN"
            || line.name == "END")
            return;
        QByteArray bytes = std::move(line.value);
        if (isQuotedPrintable(line))
            bytes = decodedQuotedPrintable(bytes);
        QString encoding;
        std::optional<QString> text = decoded(bytes, parameterValue(line, "CHARSET"),
                                              m_v21 && m_defaultShiftJis, &encoding);
        const QString label = QString::fromLatin1(line.name);
        if (!text) {
            m_contact.dropped.append(undecodableValue(label, encoding, bytes));
            return;
        }
        // The bytes go before the text is worked on, so that a long value is held once or twice.
        bytes = QByteArray();
        QString value = std::move(*text);
        if (line.name == "FN" && m_fn.isNull())
            m_fn = withLineFeeds(unescaped(std::move(value), m_v21));
        else if (line.name == "N" && !m_hasN)
            addName(line, value);
        else if (line.name == "EMAIL")
            keepFirst(m_contact.entry.mail, unescaped(value, m_v21), label);
        else if (line.name == "TEL") {
            QString number = unescaped(value, m_v21);
            if (number.startsWith(u"tel:"_s, Qt::CaseInsensitive))
                number = number.mid(4);
            keepFirst(m_contact.entry.tell, number, label);
        } else if (line.name == "ADR")
            keepFirst(m_address, addressLine(components(value), m_v21), label);
        else if (line.name == "NOTE")
            keepFirst(m_note, withLineFeeds(unescaped(std::move(value), m_v21)), label);
        else if (line.name == "X-PHONETIC-LAST-NAME")
            setReading(Phonetic, unescaped(value, m_v21), m_readings[Phonetic].given);
        else if (line.name == "X-PHONETIC-FIRST-NAME")
            setReading(Phonetic, m_readings[Phonetic].family, unescaped(value, m_v21));
        else if (line.name == "SOUND" && hasParameter(line, "X-IRMC-N")) {
            // Phones write "family given;;;;" or "family;given;;;".
            const QStringList parts = components(value);
            const NameParts reading = parts.value(1).isEmpty()
                                          ? splitName(unescaped(parts.value(0), m_v21))
                                          : NameParts{unescaped(parts.value(0), m_v21),
                                                      unescaped(parts.value(1), m_v21)};
            setReading(Sound, reading.family, reading.given);
        } else if (line.name == "SORT-STRING") {
            const NameParts reading = splitName(unescaped(value, m_v21));
            setReading(SortString, reading.family, reading.given);
        } else if (line.name == "X-VEDRIN-NO")
            m_contact.entry.number = value.trimmed().toInt();
        else if (line.name == "X-VEDRIN-PICTURE")
            m_contact.entry.picturePath = unescaped(value, m_v21);
        else
            m_contact.dropped.append(droppedValue(label, unescaped(value, m_v21)));
    }

    ReadContact finish()
    {
        ExchangeEntry &entry = m_contact.entry;
        // Our own export writes an empty structured name for a blank name.
        const bool blankName = entry.number > 0 && m_hasN && m_family.isEmpty() && m_given.isEmpty();
        if (!blankName)
            entry.name = !m_fn.isEmpty() ? m_fn : joinedName();
        entry.memo = m_address.isEmpty() ? m_note
                     : m_note.isEmpty()  ? m_address
                                         : m_address + u'\n' + m_note;
        static constexpr const char16_t *sourceNames[] = {u"X-PHONETIC", u"N;SORT-AS", u"SOUND",
                                                          u"SORT-STRING"};
        for (int source = 0; source < readingSourceCount; ++source) {
            if (!m_hasReading[source])
                continue;
            const std::optional<QString> family = kanaReading(m_readings[source].family);
            const std::optional<QString> given = kanaReading(m_readings[source].given);
            if (family && given) {
                entry.familyReading = *family;
                entry.givenReading = *given;
                break;
            }
            m_contact.dropped.append(droppedValue(
                QString::fromUtf16(sourceNames[source]),
                (m_readings[source].family + u' ' + m_readings[source].given).trimmed()));
        }
        return m_contact;
    }

private:
    void addName(const ContentLine &line, const QString &value)
    {
        m_hasN = true;
        const QStringList parts = components(value);
        m_family = unescaped(parts.value(0), m_v21);
        m_given = unescaped(parts.value(1), m_v21);
        const QByteArray sortAs = parameterValue(line, "SORT-AS");
        if (sortAs.isEmpty())
            return;
        const QStringList reading = decodeUnlabelled(sortAs).value_or(QString()).split(u',');
        setReading(SortAs, reading.value(0), reading.value(1));
    }

    void setReading(ReadingSource source, const QString &family, const QString &given)
    {
        m_hasReading[source] = !family.trimmed().isEmpty() || !given.trimmed().isEmpty();
        m_readings[source] = {family, given};
    }

    void keepFirst(QString &field, const QString &value, const QString &label)
    {
        if (value.isEmpty())
            return;
        if (field.isEmpty())
            field = value;
        else
            m_contact.dropped.append(droppedValue(label, value));
    }

    QString joinedName() const
    {
        if (m_family.isEmpty() || m_given.isEmpty())
            return m_family + m_given;
        return m_family + u' ' + m_given;
    }

    bool m_defaultShiftJis;
    bool m_v21 = false;
    ReadContact m_contact;
    QString m_fn;
    bool m_hasN = false;
    QString m_family;
    QString m_given;
    QString m_address;
    QString m_note;
    std::array<NameParts, readingSourceCount> m_readings;
    std::array<bool, readingSourceCount> m_hasReading{};
};

bool looksLikeVCard(QByteArrayView bytes)
{
    const QByteArray start = bytes.first(qMin<qsizetype>(bytes.size(), 64)).toByteArray();
    return start.trimmed().toUpper().startsWith("BEGIN:VCARD");
}

VCardReader::VCardReader(ContactInput &input, bool shiftJisFile)
    : m_input(input), m_shiftJisFile(shiftJisFile)
{
}

VCardReader::~VCardReader() = default;

bool VCardReader::physicalLine(QByteArray &line)
{
    if (m_pending) {
        line = std::move(*m_pending);
        m_pending.reset();
        return true;
    }
    line.clear();
    QByteArrayView piece = m_input.unread();
    if (piece.isEmpty())
        return false;
    while (true) {
        const auto end = std::find_if(piece.begin(), piece.end(),
                                      [](char c) { return c == '\r' || c == '\n'; });
        const qsizetype length = end - piece.begin();
        line.append(piece.first(length));
        if (end == piece.end()) {
            m_input.consume(length);
            piece = m_input.unread();
            if (piece.isEmpty())
                return true;
            continue;
        }
        m_input.consume(length + 1);
        // CR LF is one line end, whichever pieces its two bytes came in.
        if (*end == '\r') {
            const QByteArrayView after = m_input.unread();
            if (!after.isEmpty() && after.front() == '\n')
                m_input.consume(1);
        }
        return true;
    }
}

bool VCardReader::next(ReadContact &contact)
{
    QByteArray logical;
    QByteArray next;
    while (physicalLine(logical)) {
        // A fold may fall inside the head, as in a long quoted SORT-AS: the head is then whole
        // only once unfolded, and such a line is never quoted-printable.
        ContentLine line;
        const bool quotedPrintable = mentionsQuotedPrintable(logical) && splitHead(logical, line) > 0
                                     && isQuotedPrintable(line);
        while (physicalLine(next)) {
            if (quotedPrintable && logical.endsWith('=')) {
                logical.chop(1);
                logical += next;
            } else if (!next.isEmpty() && (next.at(0) == ' ' || next.at(0) == '\t')) {
                logical += QByteArrayView(next).sliced(1);
            } else {
                m_pending = std::move(next);
                break;
            }
        }
        const qsizetype value = splitHead(logical, line);
        if (value < 0)
            continue;
        // The value keeps the line's bytes: a long note is not copied.
        logical.remove(0, value);
        line.value = std::move(logical);
        logical = QByteArray();
        if (line.name == "BEGIN" && line.value.trimmed().toUpper() == "VCARD") {
            m_card = std::make_unique<CardBuilder>(m_shiftJisFile);
        } else if (line.name == "END" && line.value.trimmed().toUpper() == "VCARD") {
            if (m_card) {
                contact = m_card->finish();
                m_card.reset();
                return true;
            }
        } else if (m_card) {
            m_card->add(line);
        }
    }
    return false;
}
