#pragma once

#include <QFont>

// ＭＳ Ｐゴシック where Windows has it, otherwise a metric-compatible proportional Gothic.
QFont japaneseGothicFont(qreal pointSize, bool bold = false);
