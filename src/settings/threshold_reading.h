#pragma once

#include <QLocale>
#include <QStringView>

#include <optional>

// The whole text as a number in the user's number format: blanks around it, a sign, thousands
// separators, the locale's decimal point and an exponent. Nothing when the text is anything else.
std::optional<double> readThresholdNumber(QStringView text,
                                          const QLocale &locale = QLocale::system());
