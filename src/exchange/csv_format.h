#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct ReadContact;
struct ExchangeEntry;

// RFC 4180: fields separated by commas, quoted where they hold a comma, a quote, a line break or
// blanks at either end, records ended by CR LF.
QByteArray csvRecord(const QStringList &fields);

// The header and the rows of our export, in UTF-8 with a byte-order mark, which Excel needs to
// read UTF-8. The columns are those Google Contacts writes, and ours for number and picture.
QByteArray csvHeader();
QByteArray csvRow(const ExchangeEntry &entry);

// The records of CSV text; quoted fields may hold line breaks.
QList<QStringList> csvRecords(QStringView text);

// Rows of a header that names columns of Google Contacts, Outlook (English or Japanese),
// Thunderbird or our own export; nothing when the header names none of them.
std::optional<QList<ReadContact>> readCsvContacts(QStringView text);
