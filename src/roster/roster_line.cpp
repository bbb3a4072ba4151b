#include "roster/roster_line.h"

#include <charconv>

#include "roster/meibo_record.h"

using namespace Qt::StringLiterals;

QString rosterLine(std::int32_t slot, QByteArrayView slotBytes)
{
    char digits[12];
    const qsizetype count = std::to_chars(digits, digits + sizeof digits, slot).ptr - digits;
    // From 1000 on the number simply takes more than three characters.
    const qsizetype padding = qMax<qsizetype>(0, 3 - count);
    QString line;
    // Allocated once: a fill builds up to 32767 lines.
    line.reserve(padding + count + 3 + MeiboRecord::width(MeiboRecord::Field::Namae));
    line.fill(u' ', padding);
    line += QLatin1StringView(digits, count);
    line += u":  "_s;
    MeiboRecord::appendNamae(line, slotBytes);
    return line;
}
