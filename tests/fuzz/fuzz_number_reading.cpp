// The shared number reading and the threshold reading on any text: no crash, no undefined
// behaviour, and the rounded values stay within their ranges.
#include <QLocale>
#include <QString>

#include <cmath>
#include <cstdint>

#include "fuzz_check.h"
#include "platform/number_reading.h"
#include "settings/threshold_reading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const NumberReading reading = readLeadingNumber(text);
    const auto wide = roundToInt32(reading);
    require(!wide || !reading.outOfRange);
    // A value that fits 16 bits rounds the same way in 32.
    const auto narrow = roundToInt16(reading);
    require(!narrow || (wide && *wide == *narrow));
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::Japanese, QLocale::Japan),
                                  QLocale(QLocale::German, QLocale::Germany)})
        require(std::isfinite(readThresholdNumber(text, locale).value_or(0)));
    return 0;
}
