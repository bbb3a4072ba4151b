#include "platform/number_reading.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

NumberReading readRadix(const std::u16string &text, std::size_t at, int radix)
{
    NumberReading reading;
    for (; at < text.size(); ++at) {
        const char16_t c = text[at];
        int digit = -1;
        if (isDigit(c))
            digit = c - u'0';
        else if (radix == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (radix == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        if (digit < 0 || digit >= radix)
            break;
        reading.value = reading.value * radix + digit;
    }
    reading.outOfRange = std::isinf(reading.value);
    return reading;
}

NumberReading readDecimal(const std::u16string &text, std::size_t at)
{
    // Collected in plain ASCII for from_chars, which ignores the locale.
    std::string number;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        if (text[at] == u'-')
            number += '-';
        ++at;
    }
    bool point = false;
    bool anyDigit = false;
    long significantIntegerDigits = 0;
    for (; at < text.size(); ++at) {
        const char16_t c = text[at];
        if (isDigit(c)) {
            anyDigit = true;
            number += static_cast<char>(c);
            if (!point && (significantIntegerDigits > 0 || c != u'0'))
                ++significantIntegerDigits;
        } else if (c == u'.' && !point) {
            point = true;
            number += '.';
        } else {
            break;
        }
    }
    if (!anyDigit)
        return {};
    long exponent = 0;
    if (at < text.size() && (text[at] == u'E' || text[at] == u'e' || text[at] == u'D'
                             || text[at] == u'd')) {
        std::size_t next = at + 1;
        bool negative = false;
        if (next < text.size() && (text[next] == u'+' || text[next] == u'-')) {
            negative = text[next] == u'-';
            ++next;
        }
        for (; next < text.size() && isDigit(text[next]); ++next) {
            if (exponent < 100000)
                exponent = exponent * 10 + (text[next] - u'0');
        }
        if (negative)
            exponent = -exponent;
        number += 'e';
        number += std::to_string(exponent);
    }
    NumberReading reading;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), reading.value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // from_chars says "out of range" for both ends: only a large magnitude is a failure.
        if (significantIntegerDigits + exponent > 0)
            reading.outOfRange = true;
        else
            reading.value = 0.0;
    }
    return reading;
}

template <typename Integer>
std::optional<Integer> roundTo(const NumberReading &reading)
{
    if (reading.outOfRange)
        return std::nullopt;
    // nearbyint in the default rounding mode takes an exact half to the even neighbour.
    const double rounded = std::nearbyint(reading.value);
    if (rounded < std::numeric_limits<Integer>::min()
        || rounded > std::numeric_limits<Integer>::max())
        return std::nullopt;
    return static_cast<Integer>(rounded);
}

} // namespace

NumberReading readLeadingNumber(QStringView text)
{
    std::u16string compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (!isSkipped(c))
            compact += c.unicode();
    }
    if (compact.size() >= 2 && compact[0] == u'&') {
        const char16_t kind = compact[1];
        if (kind == u'H' || kind == u'h')
            return readRadix(compact, 2, 16);
        if (kind == u'O' || kind == u'o')
            return readRadix(compact, 2, 8);
    }
    return readDecimal(compact, 0);
}

std::optional<std::int32_t> roundToInt32(const NumberReading &reading)
{
    return roundTo<std::int32_t>(reading);
}

std::optional<std::int16_t> roundToInt16(const NumberReading &reading)
{
    return roundTo<std::int16_t>(reading);
}
