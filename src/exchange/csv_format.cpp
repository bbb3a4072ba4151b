#include "exchange/csv_format.h"

#include <algorithm>

#include <QHash>
#include <QRegularExpression>

#include "exchange/contact_input.h"
#include "exchange/contact_reading.h"
#include "exchange/vcard_writer.h"

using namespace Qt::StringLiterals;

namespace {

enum class Kind {
    Other,
    Silent, // labels and types of e-mails, numbers and addresses, group labels
    Name,
    Given,
    Family,
    GivenReading,
    FamilyReading,
    Mail,
    Phone,
    Notes,
    Address,          // a part of the first address
    FormattedAddress, // the first address whole
    Number,
    Picture
};

// Where an address part goes in its one line, in the order a Japanese address is written.
enum AddressRank { PostalCode, Region, City, Street, SecondLine, ThirdLine, Country, rankCount };

struct Column
{
    Kind kind = Kind::Other;
    int rank = 0; // for Kind::Address
};

// The columns each address book names, by their whole name in lower case: Google Contacts (now
// and before), Outlook, Thunderbird, plain Japanese names, and our own.
const QHash<QString, Column> &knownColumns()
{
    static const QHash<QString, Column> columns = [] {
        QHash<QString, Column> known;
        const auto add = [&known](Kind kind, std::initializer_list<const char16_t *> names,
                                  int rank = 0) {
            for (const char16_t *name : names)
                known.insert(QString::fromUtf16(name), {kind, rank});
        };
        add(Kind::Number, {u"vedrin no"});
        add(Kind::Picture, {u"vedrin picture"});
        add(Kind::Name, {u"name", u"display name", u"full name", u"表示名", u"名前", u"氏名"});
        add(Kind::Given, {u"first name", u"given name", u"名"});
        add(Kind::Family, {u"last name", u"family name", u"surname", u"姓"});
        add(Kind::GivenReading, {u"phonetic first name", u"given name yomi", u"given yomi"});
        add(Kind::FamilyReading, {u"phonetic last name", u"family name yomi", u"surname yomi"});
        add(Kind::Notes, {u"notes", u"note", u"メモ", u"備考"});
        add(Kind::Silent, {u"labels", u"group membership", u"e-mail type", u"e-mail display name",
                           u"e-mail 2 type", u"e-mail 2 display name", u"e-mail 3 type",
                           u"e-mail 3 display name"});
        add(Kind::Mail, {u"e-mail", u"email", u"e-mail address", u"e-mail 2 address",
                         u"e-mail 3 address", u"primary email", u"secondary email", u"メール",
                         u"メールアドレス", u"電子メール アドレス", u"電子メール 2 アドレス"});
        add(Kind::Phone, {u"phone", u"telephone", u"primary phone", u"home phone", u"home phone 2",
                          u"mobile phone", u"mobile number", u"work phone", u"business phone",
                          u"business phone 2", u"company main phone", u"other phone",
                          u"car phone", u"pager", u"pager number", u"fax number", u"home fax",
                          u"business fax", u"電話", u"電話番号", u"携帯電話", u"自宅電話",
                          u"勤務先電話", u"携帯"});
        add(Kind::Address, {u"home zipcode", u"home postal code", u"郵便番号"}, PostalCode);
        add(Kind::Address, {u"home state", u"都道府県"}, Region);
        add(Kind::Address, {u"home city", u"市区町村"}, City);
        add(Kind::Address, {u"home address", u"home street", u"address", u"住所", u"番地"}, Street);
        add(Kind::Address, {u"home address 2", u"home street 2", u"建物名"}, SecondLine);
        add(Kind::Address, {u"home street 3", u"home address po box"}, ThirdLine);
        add(Kind::Address, {u"home country", u"home country/region", u"国"}, Country);
        return known;
    }();
    return columns;
}

// Google's numbered columns: "E-mail 2 - Value", "Phone 1 - Label", "Address 1 - City".
Column numberedColumn(const QString &header)
{
    static const QRegularExpression numbered(
        u"^(e-mail|phone|address) (\\d+) - (value|label|type|formatted|street|city|po box|region|"
        u"postal code|country|extended address)$"_s);
    const QRegularExpressionMatch match = numbered.match(header);
    if (!match.hasMatch())
        return {};
    const QString group = match.captured(1);
    const QString part = match.captured(3);
    if (part == u"label"_s || part == u"type"_s)
        return {Kind::Silent};
    if (group != u"address"_s)
        return {part == u"value"_s ? (group == u"phone"_s ? Kind::Phone : Kind::Mail) : Kind::Other};
    if (match.captured(2) != u"1"_s)
        return {};
    static const QHash<QString, int> ranks = {
        {u"postal code"_s, PostalCode}, {u"region"_s, Region},          {u"city"_s, City},
        {u"street"_s, Street},          {u"extended address"_s, SecondLine},
        {u"po box"_s, ThirdLine},       {u"country"_s, Country}};
    if (part == u"formatted"_s)
        return {Kind::FormattedAddress};
    return ranks.contains(part) ? Column{Kind::Address, ranks.value(part)} : Column{};
}

Column columnOf(const QString &header)
{
    const QString name = header.trimmed().toLower();
    const auto known = knownColumns().constFind(name);
    return known != knownColumns().constEnd() ? *known : numberedColumn(name);
}

// A name's parts joined as the person writes them: family first where either part is
// Japanese, given first otherwise.
QString joinedName(const QString &family, const QString &given)
{
    if (family.isEmpty() || given.isEmpty())
        return family + given;
    const auto ascii = [](const QString &text) {
        return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    };
    return ascii(family) && ascii(given) ? given + u' ' + family : family + u' ' + given;
}

} // namespace

class CsvReader::RowReader final
{
public:
    RowReader(const QStringList &headers, const QList<Column> &columns, bool utf8)
        : m_headers(headers), m_columns(columns), m_utf8(utf8)
    {
    }

    ReadContact contact(const QList<QByteArray> &row) const
    {
        Row read;
        // Only the cells the row has: a header of many columns costs a short row nothing.
        for (qsizetype i = 0; i < qMin(row.size(), m_columns.size()); ++i) {
            if (row.at(i).isEmpty() || m_columns.at(i).kind == Kind::Silent)
                continue;
            // In a UTF-8 file every cell is UTF-8, a byte-order mark at its start included.
            const std::optional<QString> value =
                m_utf8 ? decodeUnlabelled(row.at(i)) : shiftJisText(row.at(i));
            if (value)
                read.add(m_headers.at(i), m_columns.at(i), *value);
            else
                read.contact.dropped.append(undecodableValue(m_headers.at(i), u"Shift-JIS"_s, row.at(i)));
        }
        return read.finish();
    }

private:
    struct Row
    {
        ReadContact contact;
        QString name, given, family, givenReading, familyReading, notes, formattedAddress;
        QStringList addressParts = QStringList(rankCount);

        // The first value of a kind is kept, any further one named as dropped.
        void keep(QString &field, const QString &value, const QString &label)
        {
            if (field.isEmpty())
                field = value;
            else
                contact.dropped.append(droppedValue(label, value));
        }
        // Google writes several mails, phones or addresses into one cell, separated by " ::: ";
        // a name or a note is one value, whatever it holds.
        void keepEach(QString &field, const QString &value, const QString &label)
        {
            for (const QString &part : value.split(u" ::: "_s)) {
                if (!part.isEmpty())
                    keep(field, part, label);
            }
        }
        void add(const QString &header, Column column, const QString &value)
        {
            ExchangeEntry &entry = contact.entry;
            switch (column.kind) {
            case Kind::Name: keep(name, value, header); break;
            case Kind::Given: keep(given, value, header); break;
            case Kind::Family: keep(family, value, header); break;
            case Kind::GivenReading: keep(givenReading, value, header); break;
            case Kind::FamilyReading: keep(familyReading, value, header); break;
            case Kind::Mail: keepEach(entry.mail, value, header); break;
            case Kind::Phone: keepEach(entry.tell, value, header); break;
            case Kind::Notes: keep(notes, value, header); break;
            case Kind::FormattedAddress: keepEach(formattedAddress, asOneLine(value), header); break;
            case Kind::Address:
                addressParts[column.rank] = joinedAddress({addressParts.at(column.rank), value});
                break;
            case Kind::Number: entry.number = value.trimmed().toInt(); break;
            case Kind::Picture: entry.picturePath = value; break;
            case Kind::Silent: break;
            case Kind::Other: contact.dropped.append(droppedValue(header, value)); break;
            }
        }
        ReadContact finish()
        {
            ExchangeEntry &entry = contact.entry;
            entry.name = name.isEmpty() ? joinedName(family, given) : name;
            const std::optional<QString> familyKana = kanaReading(familyReading);
            const std::optional<QString> givenKana = kanaReading(givenReading);
            if (familyKana && givenKana) {
                entry.familyReading = *familyKana;
                entry.givenReading = *givenKana;
            } else {
                contact.dropped.append(droppedValue(u"よみ"_s, familyReading + u' ' + givenReading));
            }
            const QString address =
                formattedAddress.isEmpty() ? joinedAddress(addressParts) : formattedAddress;
            notes = withLineFeeds(notes);
            entry.memo = address.isEmpty() ? notes : notes.isEmpty() ? address : address + u'\n' + notes;
            return contact;
        }
    };

    QStringList m_headers;
    QList<Column> m_columns;
    bool m_utf8;
};

QByteArray csvRecord(const QStringList &fields)
{
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ',';
        const QString &field = fields.at(i);
        const bool quoted = field.contains(u',') || field.contains(u'"') || field.contains(u'\n')
                            || field.contains(u'\r') || field.startsWith(u' ')
                            || field.endsWith(u' ');
        if (!quoted) {
            out += field.toUtf8();
            continue;
        }
        QString doubled = field;
        doubled.replace(u"\""_s, u"\"\""_s);
        out += '"' + doubled.toUtf8() + '"';
    }
    return out + "\r\n";
}

QByteArray csvHeader()
{
    return "\xEF\xBB\xBF"
           + csvRecord({u"Name"_s, u"First Name"_s, u"Last Name"_s, u"Phonetic First Name"_s,
                        u"Phonetic Last Name"_s, u"E-mail 1 - Value"_s, u"Phone 1 - Value"_s,
                        u"Notes"_s, u"Vedrin No"_s, u"Vedrin Picture"_s});
}

QByteArray csvRow(const ExchangeEntry &entry)
{
    const NameParts parts = splitName(entry.name);
    return csvRecord({entry.name, parts.given, parts.family, entry.givenReading,
                      entry.familyReading, entry.mail, entry.tell, entry.memo,
                      QString::number(entry.number), entry.picturePath});
}

CsvReader::CsvReader(ContactInput &input, bool utf8) : m_input(input)
{
    QList<QByteArray> record;
    do {
        if (!nextRecord(record))
            return;
    } while (record.size() == 1 && record.first().trimmed().isEmpty());
    QStringList headers;
    QList<Column> columns;
    bool known = false;
    for (const QByteArray &cell : std::as_const(record)) {
        headers.append(decodeUnlabelled(cell).value_or(QString::fromLatin1(cell)).trimmed());
        columns.append(columnOf(headers.last()));
        known = known || (columns.last().kind != Kind::Other && columns.last().kind != Kind::Silent);
    }
    if (known)
        m_rows = std::make_unique<RowReader>(headers, columns, utf8);
}

CsvReader::~CsvReader() = default;

bool CsvReader::next(ReadContact &contact)
{
    if (!m_rows)
        return false;
    QList<QByteArray> record;
    while (nextRecord(record)) {
        const bool empty = std::all_of(record.begin(), record.end(),
                                       [](const QByteArray &cell) { return cell.trimmed().isEmpty(); });
        if (!empty) {
            contact = m_rows->contact(record);
            return true;
        }
    }
    return false;
}

// Commas, quotes and line ends are ASCII and never the second byte of a UTF-8 or Shift-JIS
// character, so the fields are cut before they are decoded.
bool CsvReader::nextRecord(QList<QByteArray> &record)
{
    record.clear();
    QByteArrayView piece = m_input.unread();
    if (piece.isEmpty())
        return false;
    QByteArray field;
    bool quoted = false;
    qsizetype at = 0;
    // The byte after the one at at, from the next piece when this one ends there.
    const auto following = [this, &piece, &at]() -> int {
        if (at + 1 < piece.size())
            return static_cast<unsigned char>(piece.at(at + 1));
        m_input.consume(at + 1);
        piece = m_input.unread();
        at = -1;
        return piece.isEmpty() ? -1 : static_cast<unsigned char>(piece.at(0));
    };
    while (true) {
        if (at == piece.size()) {
            m_input.consume(at);
            piece = m_input.unread();
            at = 0;
            if (piece.isEmpty())
                break;
        }
        const char c = piece.at(at);
        if (quoted) {
            if (c != '"') {
                // A quoted field often runs on: the bytes up to its next quote at once.
                const qsizetype quote = piece.indexOf('"', at);
                const qsizetype end = quote < 0 ? piece.size() : quote;
                field += piece.sliced(at, end - at);
                at = end;
                continue;
            }
            if (following() == '"') {
                field += '"';
                ++at;
            } else {
                quoted = false;
            }
            ++at;
        } else if (c == '"') {
            quoted = true;
            ++at;
        } else if (c == ',') {
            record.append(field);
            field.clear();
            ++at;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && following() == '\n')
                ++at;
            ++at;
            m_input.consume(at);
            record.append(field);
            return true;
        } else {
            qsizetype end = at + 1;
            while (end < piece.size() && piece.at(end) != '"' && piece.at(end) != ','
                   && piece.at(end) != '\r' && piece.at(end) != '\n')
                ++end;
            field += piece.sliced(at, end - at);
            at = end;
        }
    }
    record.append(field);
    return true;
}
