#include "settings/threshold_reading.h"

#include <QString>

#include <cmath>

#include "platform/number_reading.h"

namespace {

bool isExponentLetter(QChar c)
{
    return c == u'E' || c == u'e' || c == u'D' || c == u'd';
}

} // namespace

std::optional<double> readThresholdNumber(QStringView typed, const QLocale &locale)
{
    const QString narrowed = withHalfWidthNumberForms(typed);
    const QStringView text = narrowed;
    // QLocale wants a group separator every third digit; here it may stand between any two digits
    // of the whole part. The exponent letter may be D as well as E.
    const QString group = locale.groupSeparator();
    const QString decimalPoint = locale.decimalPoint();
    QString plain;
    plain.reserve(text.size());
    bool wholePart = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QStringView rest = text.sliced(i);
        if (wholePart && i > 0 && text[i - 1].isDigit() && rest.startsWith(group)
            && rest.size() > group.size() && rest[group.size()].isDigit()) {
            i += group.size() - 1;
            continue;
        }
        if (rest.startsWith(decimalPoint) || isExponentLetter(text[i]))
            wholePart = false;
        plain += isExponentLetter(text[i]) ? QChar(u'e') : text[i];
    }
    bool ok = false;
    const double value = locale.toDouble(plain, &ok);
    // QLocale also reads "inf" and "nan", which hold no digits and so are no number here.
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}
