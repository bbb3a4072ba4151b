#include "exchange/roster_export.h"

#include <QFile>

#include "roster/roster_file.h"

using namespace Qt::StringLiterals;
using Field = MeiboRecord::Field;

namespace {

QString withoutPadding(const QString &field)
{
    qsizetype end = field.size();
    while (end > 0 && field.at(end - 1) == u' ')
        --end;
    return field.left(end);
}

} // namespace

ExchangeEntry exchangeEntry(std::int32_t slot, const MeiboRecord &record)
{
    ExchangeEntry entry;
    entry.number = slot;
    entry.name = withoutPadding(record.get(Field::Namae));
    entry.mail = withoutPadding(record.get(Field::Mail));
    entry.tell = withoutPadding(record.get(Field::Tell));
    entry.memo = withLineFeeds(withoutPadding(record.get(Field::Memo)));
    entry.picturePath = withoutPadding(record.get(Field::PicturePath));
    return entry;
}

std::optional<RosterEntries> readRosterEntries(QFile &file, QString *reason)
{
    RosterEntries roster;
    std::int32_t slot = 0;
    while (true) {
        const QByteArray bytes = file.read(MeiboRecord::byteSize);
        if (file.error() != QFileDevice::NoError) {
            *reason = file.errorString();
            return std::nullopt;
        }
        if (bytes.isEmpty())
            break;
        ++slot;
        const MeiboRecord record = MeiboRecord::fromBytes(bytes);
        bool blank = true;
        for (int i = 0; i < MeiboRecord::fieldCount; ++i) {
            const auto field = static_cast<Field>(i);
            blank = blank && record.isBlank(field);
            // Code page 932 maps no character to U+FFFD, so one here marks bytes that failed.
            if (slot <= RosterFile::lastSlot && record.get(field).contains(QChar::ReplacementCharacter))
                roster.undecodable.append({slot, field});
        }
        if (!blank && slot > RosterFile::lastSlot)
            ++roster.pastLastSlot;
        else if (!blank)
            roster.entries.append(exchangeEntry(slot, record));
    }
    return roster;
}
