#include "exchange/vcard_reader.h"

#include <cctype>
#include <optional>

#include "exchange/contact_reading.h"
#include "platform/code_page.h"

using namespace Qt::StringLiterals;

namespace {

struct ContentLine
{
    QByteArray name; // upper case, without a group
    QList<QByteArray> parameters; // upper case, as written: "CHARSET=SHIFT_JIS", "CELL"
    QByteArray value;
};

QByteArray parameterValue(const ContentLine &line, QByteArrayView key)
{
    for (const QByteArray &parameter : line.parameters) {
        const qsizetype equals = parameter.indexOf('=');
        if (equals > 0 && parameter.first(equals) == key)
            return parameter.mid(equals + 1);
    }
    return {};
}

bool isQuotedPrintable(const ContentLine &line)
{
    return line.parameters.contains("QUOTED-PRINTABLE")
           || parameterValue(line, "ENCODING") == "QUOTED-PRINTABLE";
}

// "group.NAME;PARAM;PARAM=VALUE:value"; a colon inside a quoted parameter value does not end
// the head.
bool splitHead(const QByteArray &logical, ContentLine &line)
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
        return false;
    QList<QByteArray> head = logical.first(colon).split(';');
    QByteArray name = head.takeFirst().trimmed().toUpper();
    name = name.mid(name.lastIndexOf('.') + 1);
    line.name = name;
    line.parameters.clear();
    for (const QByteArray &parameter : head)
        line.parameters.append(parameter.trimmed().toUpper());
    line.value = logical.mid(colon + 1);
    return !name.isEmpty();
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

QString decoded(QByteArrayView bytes, QByteArrayView charset, bool defaultShiftJis)
{
    const QByteArray name = charset.toByteArray().toUpper();
    const bool shiftJis = name == "SHIFT_JIS" || name == "SHIFT-JIS" || name == "SJIS"
                          || name == "CP932" || name == "WINDOWS-31J" || name == "MS_KANJI";
    if (shiftJis || (name.isEmpty() && defaultShiftJis))
        return QString::fromStdU16String(
            CodePage932::toUnicode(std::string_view(bytes.data(), bytes.size())));
    if (name == "ISO-8859-1" || name == "US-ASCII")
        return QString::fromLatin1(bytes);
    return decodeUnlabelled(bytes);
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
QString unescaped(const QString &value, bool v21)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(i + 1);
        if (next == u';') {
            out += next;
            ++i;
        } else if (!v21 && (next == u'\\' || next == u',')) {
            out += next;
            ++i;
        } else if (!v21 && (next == u'n' || next == u'N')) {
            out += u'\n';
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

// The first address as one line, in the order a Japanese address is written.
QString addressLine(const QStringList &parts, bool v21)
{
    // PO box; extended; street; locality; region; postal code; country
    static constexpr int order[] = {5, 4, 3, 2, 1, 0, 6};
    QStringList kept;
    for (const int index : order) {
        if (index >= parts.size())
            continue;
        const QString part = asOneLine(unescaped(parts.at(index), v21));
        if (!part.isEmpty())
            kept.append(part);
    }
    return kept.join(u' ');
}

class CardBuilder final
{
public:
    explicit CardBuilder(bool defaultShiftJis) : m_defaultShiftJis(defaultShiftJis) {}

    void add(const ContentLine &line)
    {
        if (line.name == "VERSION") {
            m_v21 = line.value.trimmed() == "2.1";
            return;
        }
        if (line.name == "PRODID" || line.name == "BEGIN" || line.name == "END")
            return;
        QByteArray bytes = line.value;
        if (isQuotedPrintable(line))
            bytes = decodedQuotedPrintable(bytes);
        const QString value = decoded(bytes, parameterValue(line, "CHARSET"),
                                      m_v21 && m_defaultShiftJis);
        if (line.name == "FN" && m_fn.isNull())
            m_fn = withLineFeeds(unescaped(value, m_v21));
        else if (line.name == "N" && !m_hasN) {
            m_hasN = true;
            const QStringList parts = components(value);
            m_family = unescaped(parts.value(0), m_v21);
            m_given = unescaped(parts.value(1), m_v21);
        } else if (line.name == "EMAIL")
            keepFirst(m_contact.entry.mail, unescaped(value, m_v21), u"EMAIL"_s);
        else if (line.name == "TEL") {
            QString number = unescaped(value, m_v21);
            if (number.startsWith(u"tel:"_s, Qt::CaseInsensitive))
                number = number.mid(4);
            keepFirst(m_contact.entry.tell, number, u"TEL"_s);
        } else if (line.name == "ADR")
            keepFirst(m_address, addressLine(components(value), m_v21), u"ADR"_s);
        else if (line.name == "NOTE")
            keepFirst(m_note, withLineFeeds(unescaped(value, m_v21)), u"NOTE"_s);
        else if (line.name == "X-VEDRIN-NO")
            m_contact.entry.number = value.trimmed().toInt();
        else if (line.name == "X-VEDRIN-PICTURE")
            m_contact.entry.picturePath = unescaped(value, m_v21);
        else
            m_contact.dropped.append(QString::fromLatin1(line.name));
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
        return m_contact;
    }

private:
    void keepFirst(QString &field, const QString &value, const QString &label)
    {
        if (value.isEmpty())
            return;
        if (field.isEmpty())
            field = value;
        else
            m_contact.dropped.append(label + u": "_s + value);
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
};

QList<QByteArray> physicalLines(QByteArrayView bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) != '\r' && bytes.at(i) != '\n')
            continue;
        lines.append(bytes.sliced(start, i - start).toByteArray());
        if (bytes.at(i) == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(bytes.sliced(start).toByteArray());
    return lines;
}

} // namespace

bool looksLikeVCard(QByteArrayView bytes)
{
    const QByteArray start = bytes.first(qMin<qsizetype>(bytes.size(), 64)).toByteArray();
    return start.trimmed().toUpper().startsWith("BEGIN:VCARD");
}

QList<ReadContact> readVCards(QByteArrayView bytes)
{
    // 2.1 cards without a charset are Shift-JIS, as phones write them, unless the file is UTF-8.
    const bool shiftJisFile = !isValidUtf8(bytes);
    QList<ReadContact> contacts;
    std::optional<CardBuilder> card;
    const QList<QByteArray> lines = physicalLines(bytes);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray logical = lines.at(i);
        ContentLine line;
        if (!splitHead(logical, line))
            continue;
        // Folded lines begin with a blank; quoted-printable lines end with a soft break.
        while (i + 1 < lines.size()) {
            const QByteArray &next = lines.at(i + 1);
            if (isQuotedPrintable(line) && logical.endsWith('=')) {
                logical.chop(1);
                logical += next;
            } else if (!next.isEmpty() && (next.at(0) == ' ' || next.at(0) == '\t')) {
                logical += next.mid(1);
            } else {
                break;
            }
            ++i;
        }
        splitHead(logical, line);
        if (line.name == "BEGIN" && line.value.trimmed().toUpper() == "VCARD") {
            card.emplace(shiftJisFile);
        } else if (line.name == "END" && line.value.trimmed().toUpper() == "VCARD") {
            if (card)
                contacts.append(card->finish());
            card.reset();
        } else if (card) {
            card->add(line);
        }
    }
    return contacts;
}
