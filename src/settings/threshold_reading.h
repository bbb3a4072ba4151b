#pragma once

#include <QLocale>
#include <QStringView>

#include <optional>

// The whole text as a number in the user's number format: blanks around it, a sign, group
// separators between any two digits of the whole part ("1,5000" is 15000), the locale's decimal
// point and an E or D exponent. Nothing when the text is anything else.
std::optional<double> readThresholdNumber(QStringView text,
                                          const QLocale &locale = QLocale::system());
