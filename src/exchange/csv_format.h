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

// Rows of a header that names columns of Google Contacts, Outlook, Thunderbird or our own
// export, each known by its whole name; nothing when the header names none of them. UTF-8, else
// Shift-JIS, where a cell that is no Shift-JIS text is reported with its bytes.
std::optional<QList<ReadContact>> readCsvContacts(QByteArrayView bytes);
