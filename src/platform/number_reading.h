#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// The number that a text box's text begins with, as every command that takes a number reads it.
struct NumberReading
{
    double value = 0.0;
    bool outOfRange = false; // larger than a double can hold
};

// The text with the full-width forms an input method commits of digits, signs, full stop, comma
// and the letters of &H, &O, E and D (hexadecimal digits included) in their half-width forms.
QString withHalfWidthNumberForms(QStringView text);

// Read after withHalfWidthNumberForms. Spaces, tabs and line feeds are skipped anywhere; then a sign, digits with one decimal point
// and an E or D exponent, or &H / &O for hexadecimal / octal. No leading number reads as 0.
NumberReading readLeadingNumber(QStringView text);

// Rounded to the nearest whole number, an exact half to the even neighbour; nothing when the
// result lies outside the target's range.
std::optional<std::int32_t> roundToInt32(const NumberReading &reading);
std::optional<std::int16_t> roundToInt16(const NumberReading &reading);
