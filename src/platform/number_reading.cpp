#include "platform/number_reading.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

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
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        negative = text[at] == u'-';
        ++at;
    }
    // The digits from the first one that is not 0, and the power of ten of that first one.
    std::string digits;
    long long power = -1;
    bool point = false;
    bool anyDigit = false;
    for (; at < text.size(); ++at) {
        const char16_t c = text[at];
        if (isDigit(c)) {
            anyDigit = true;
            if (!digits.empty() || c != u'0')
                digits += static_cast<char>(c);
            if (!point && !digits.empty())
                ++power;
            else if (point && digits.empty())
                --power;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return {};
    if (at < text.size() && (text[at] == u'E' || text[at] == u'e' || text[at] == u'D'
                             || text[at] == u'd')) {
        std::size_t next = at + 1;
        bool negativeExponent = false;
        if (next < text.size() && (text[next] == u'+' || text[next] == u'-')) {
            negativeExponent = text[next] == u'-';
            ++next;
        }
        long long exponent = 0;
        for (; next < text.size() && isDigit(text[next]); ++next) {
            if (exponent < 1'000'000'000'000)
                exponent = exponent * 10 + (text[next] - u'0');
        }
        power += negativeExponent ? -exponent : exponent;
    }
    NumberReading reading;
    if (digits.empty())
        return reading;
    // Far outside a double's range either way; from_chars would cut such an exponent short.
    if (power > 400) {
        reading.outOfRange = true;
        return reading;
    }
    if (power < -400)
        return reading;
    // Collected in plain ASCII for from_chars, which ignores the locale: d.ddd, then the power.
    std::string number = negative ? "-" : "";
    number += digits.front();
    number += '.';
    number.append(digits, 1);
    number += 'e';
    number += std::to_string(power);
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), reading.value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // from_chars says "out of range" for both ends: only a large magnitude is a failure.
        reading.outOfRange = power > 0;
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

QString withHalfWidthNumberForms(QStringView text)
{
    constexpr std::u16string_view numberForms = u"0123456789+-.,&HhOoABCDEFabcdef";
    QString narrowed = text.toString();
    for (QChar &c : narrowed) {
        // The full-width forms block lies at a fixed distance from ASCII, as NFKC maps it.
        const char16_t narrow = c.unicode() - 0xFEE0;
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E
            && numberForms.find(narrow) != std::u16string_view::npos)
            c = QChar(narrow);
    }
    return narrowed;
}

NumberReading readLeadingNumber(QStringView text)
{
    std::u16string compact;
    compact.reserve(text.size());
    for (QChar c : withHalfWidthNumberForms(text)) {
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
