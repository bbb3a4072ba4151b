#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class ContactInput;
struct ReadContact;
struct ExchangeEntry;

// RFC 4180: fields separated by commas, quoted where they hold a comma, a quote, a line break or
// blanks at either end, records ended by CR LF.
QByteArray csvRecord(const QStringList &fields);

// The header and the rows of our export, in UTF-8 with a byte-order mark, which Excel needs to
// read UTF-8. The columns are those Google Contacts writes, and ours for number and picture.
QByteArray csvHeader();
QByteArray csvRow(const ExchangeEntry &entry);

// The rows of a header that names columns of Google Contacts, Outlook, Thunderbird or our own
// export, each known by its whole name, one at a time. UTF-8, else Shift-JIS, where a cell that
// is no Shift-JIS text is reported with its bytes.
class CsvReader final
{
public:
    // Reads the header.
    CsvReader(ContactInput &input, bool utf8);
    ~CsvReader();
    Q_DISABLE_COPY_MOVE(CsvReader)

    // Whether the header names any column we know; without one there are no rows.
    bool knowsColumns() const { return m_rows != nullptr; }
    // The next row that is not blank; false at the end of the file.
    bool next(ReadContact &contact);

private:
    class RowReader;

    // The next RFC 4180 record, its quoted fields perhaps over several lines.
    bool nextRecord(QList<QByteArray> &record);

    ContactInput &m_input;
    std::unique_ptr<RowReader> m_rows;
};
