#include "printing/postal_address.h"

using namespace Qt::StringLiterals;

namespace {

bool isHyphen(QChar c)
{
    return c == u'-' || c == u'－' || c == u'ー' || c == u'‐' || c == u'−';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'　';
}

// Reads count digits from at; false, with at unchanged, when they are not there.
bool readDigits(const QString &text, qsizetype &at, int count, QString &digits)
{
    if (at + count > text.size())
        return false;
    QString read;
    for (int i = 0; i < count; ++i) {
        const int value = digitValue(text.at(at + i));
        if (value < 0)
            return false;
        read += QChar(u'0' + value);
    }
    digits += read;
    at += count;
    return true;
}

} // namespace

PostalAddress readPostalAddress(const QString &memo)
{
    PostalAddress address;
    qsizetype at = 0;
    while (at < memo.size() && isBlank(memo.at(at)))
        ++at;
    const qsizetype start = at;
    const bool mark = at < memo.size() && memo.at(at) == u'〒';
    if (mark)
        ++at;
    while (at < memo.size() && (memo.at(at) == u' ' || memo.at(at) == u'　'))
        ++at;
    QString digits;
    qsizetype end = at;
    bool found = readDigits(memo, end, 3, digits);
    if (found && end < memo.size() && isHyphen(memo.at(end)))
        ++end;
    found = found && readDigits(memo, end, 4, digits);
    // Digits running on make it some other number, a telephone number say.
    if (found && end < memo.size() && digitValue(memo.at(end)) >= 0)
        found = false;
    if (found) {
        address.code = PostalAddress::Code::Found;
        address.digits = digits;
        at = end;
    } else if (mark || (at < memo.size() && digitValue(memo.at(at)) >= 0)) {
        // Looks like a code, but is not one: the whole memo stays the address.
        address.code = PostalAddress::Code::Malformed;
        at = mark ? start + 1 : start;
    }
    QString column;
    for (; at <= memo.size(); ++at) {
        const QChar c = at < memo.size() ? memo.at(at) : u'\n';
        if (c == u'\n' || c == u'\r' || c == u'　') {
            if (!column.trimmed().isEmpty())
                address.columns.append(column.trimmed());
            column.clear();
        } else {
            column += c;
        }
    }
    return address;
}

int digitValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'０' && c <= u'９')
        return c.unicode() - u'０';
    return -1;
}

QString writtenPostalCode(const QString &digits)
{
    return digits.size() == 7 ? digits.left(3) + u'-' + digits.mid(3) : digits;
}
