#pragma once

#include <QString>
#include <QStringList>

// What a postcard needs from an entry's memo: the postal code at its start and the address after it.
struct PostalAddress
{
    enum class Code { Found, Missing, Malformed };

    Code code = Code::Missing;
    QString digits;        // the seven ASCII digits when found
    QStringList columns;   // the address: the street first, then building and room
};

// "〒", three digits, a hyphen, four digits, each part but the digits optional, full-width digits
// alike; a line break or a full-width space starts the next column of the address.
PostalAddress readPostalAddress(const QString &memo);

// 0 to 9 for an ASCII or a full-width digit, -1 for anything else.
int digitValue(QChar c);

// The code as it is written: 123-4567.
QString writtenPostalCode(const QString &digits);
