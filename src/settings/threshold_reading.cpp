#include "settings/threshold_reading.h"

#include <cmath>

std::optional<double> readThresholdNumber(QStringView text, const QLocale &locale)
{
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    // QLocale also reads "inf" and "nan", which hold no digits and so are no number here.
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}
