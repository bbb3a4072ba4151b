#include "exchange/csv_format.h"

#include <QRegularExpression>

#include "exchange/contact_reading.h"
#include "exchange/vcard_writer.h"

using namespace Qt::StringLiterals;

namespace {

enum class Column {
    Other,
    Silent, // labels and types of e-mails and numbers: nothing of the person's own
    Name,
    Given,
    Family,
    Mail,
    Phone,
    Notes,
    Address,
    Number,
    Picture
};

// Where a part of an address goes in its one line, in the order a Japanese address is written.
int addressRank(const QString &header)
{
    static const QList<QRegularExpression> ranks = {
        QRegularExpression(u"zip|postal|郵便番号"_s),
        QRegularExpression(u"state|region|province|都道府県"_s),
        QRegularExpression(u"city|市区町村"_s),
        QRegularExpression(u"street|address|番地|住所"_s),
        QRegularExpression(u"country|国"_s)};
    for (int rank = 0; rank < ranks.size(); ++rank) {
        if (ranks.at(rank).match(header).hasMatch())
            return rank;
    }
    return -1;
}

bool isFirstAddress(const QString &header)
{
    return header.startsWith(u"address 1"_s) || header.startsWith(u"home"_s)
           || header.startsWith(u"自宅"_s) || header == u"address"_s || header == u"住所"_s;
}

Column columnOf(const QString &header)
{
    static const QRegularExpression silent(u"label|type|種類"_s);
    static const QRegularExpression mail(u"e-?mail|メール"_s);
    static const QRegularExpression phone(u"phone|mobile|fax|pager|電話|携帯"_s);
    if (header == u"vedrin no"_s)
        return Column::Number;
    if (header == u"vedrin picture"_s)
        return Column::Picture;
    if (header == u"name"_s || header == u"display name"_s || header == u"full name"_s
        || header == u"表示名"_s || header == u"名前"_s || header == u"氏名"_s)
        return Column::Name;
    if (header == u"first name"_s || header == u"given name"_s || header == u"名"_s)
        return Column::Given;
    if (header == u"last name"_s || header == u"family name"_s || header == u"姓"_s)
        return Column::Family;
    if (header == u"notes"_s || header == u"note"_s || header == u"メモ"_s || header == u"備考"_s)
        return Column::Notes;
    if (mail.match(header).hasMatch())
        return silent.match(header).hasMatch() ? Column::Silent : Column::Mail;
    if (phone.match(header).hasMatch())
        return silent.match(header).hasMatch() ? Column::Silent : Column::Phone;
    if (addressRank(header) >= 0 && !silent.match(header).hasMatch())
        return Column::Address;
    return Column::Other;
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

ReadContact contactFromRow(const QStringList &headers, const QList<Column> &columns,
                           const QStringList &row)
{
    ReadContact contact;
    ExchangeEntry &entry = contact.entry;
    QString name;
    QString given;
    QString family;
    QString notes;
    QString formattedAddress;
    QStringList addressParts(5);
    // The first value of a kind is kept, any further one named as dropped.
    const auto keep = [&contact](QString &field, const QString &value, const QString &label) {
        if (field.isEmpty())
            field = value;
        else
            contact.dropped.append(label + u": "_s + value);
    };
    // Google writes several mails, phones or addresses into one cell, separated by " ::: "; a
    // name or a note is one value, whatever it holds.
    const auto keepEach = [&keep](QString &field, const QString &value, const QString &label) {
        for (const QString &part : value.split(u" ::: "_s)) {
            if (!part.isEmpty())
                keep(field, part, label);
        }
    };
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString value = row.value(i);
        if (value.isEmpty())
            continue;
        switch (columns.at(i)) {
        case Column::Name:
            keep(name, value, headers.at(i));
            break;
        case Column::Given:
            keep(given, value, headers.at(i));
            break;
        case Column::Family:
            keep(family, value, headers.at(i));
            break;
        case Column::Mail:
            keepEach(entry.mail, value, headers.at(i));
            break;
        case Column::Phone:
            keepEach(entry.tell, value, headers.at(i));
            break;
        case Column::Notes:
            keep(notes, value, headers.at(i));
            break;
        case Column::Address:
            if (!isFirstAddress(headers.at(i)))
                contact.dropped.append(headers.at(i) + u": "_s + value);
            else if (headers.at(i).endsWith(u"formatted"_s))
                keepEach(formattedAddress, asOneLine(value), headers.at(i));
            else
                addressParts[addressRank(headers.at(i))] += asOneLine(value);
            break;
        case Column::Number:
            entry.number = value.trimmed().toInt();
            break;
        case Column::Picture:
            entry.picturePath = value;
            break;
        case Column::Silent:
            break;
        case Column::Other:
            contact.dropped.append(headers.at(i) + u": "_s + value);
            break;
        }
    }
    entry.name = name.isEmpty() ? joinedName(family, given) : name;
    addressParts.removeAll(QString());
    const QString address = formattedAddress.isEmpty() ? addressParts.join(u' ') : formattedAddress;
    notes = withLineFeeds(notes);
    entry.memo = address.isEmpty() ? notes : notes.isEmpty() ? address : address + u'\n' + notes;
    return contact;
}

} // namespace

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
           + csvRecord({u"Name"_s, u"First Name"_s, u"Last Name"_s, u"E-mail 1 - Value"_s,
                        u"Phone 1 - Value"_s, u"Notes"_s, u"Vedrin No"_s, u"Vedrin Picture"_s});
}

QByteArray csvRow(const ExchangeEntry &entry)
{
    const NameParts parts = splitName(entry.name);
    return csvRecord({entry.name, parts.given, parts.family, entry.mail, entry.tell, entry.memo,
                      QString::number(entry.number), entry.picturePath});
}

QList<QStringList> csvRecords(QStringView text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    const auto endRecord = [&] {
        if (fieldStarted || !record.isEmpty()) {
            record.append(field);
            records.append(record);
        }
        record.clear();
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (i + 1 < text.size() && text.at(i + 1) == u'"')
                field += text.at(++i);
            else
                quoted = false;
        } else if (c == u'"') {
            quoted = true;
            fieldStarted = true;
        } else if (c == u',') {
            record.append(field);
            field.clear();
            fieldStarted = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            endRecord();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    endRecord();
    return records;
}

std::optional<QList<ReadContact>> readCsvContacts(QStringView text)
{
    QList<QStringList> records = csvRecords(text);
    if (records.isEmpty())
        return std::nullopt;
    QStringList headers = records.takeFirst();
    QList<Column> columns;
    bool known = false;
    for (QString &header : headers) {
        header = header.trimmed().toLower();
        columns.append(columnOf(header));
        known = known || (columns.last() != Column::Other && columns.last() != Column::Silent);
    }
    if (!known)
        return std::nullopt;
    QList<ReadContact> contacts;
    for (const QStringList &row : std::as_const(records)) {
        const bool empty = std::all_of(row.begin(), row.end(),
                                       [](const QString &cell) { return cell.trimmed().isEmpty(); });
        if (!empty)
            contacts.append(contactFromRow(headers, columns, row));
    }
    return contacts;
}
