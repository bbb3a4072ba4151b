#include "printing/print_selection.h"

#include <QCollator>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <memory>

#include "exchange/roster_export.h"
#include "platform/ordinary_file.h"
#include "readings/reading_file.h"
#include "roster/roster_file.h"

using namespace Qt::StringLiterals;

PrintReadings knownReadings()
{
    const auto file = std::make_shared<ReadingFile>(ReadingFile::load());
    const auto collator = std::make_shared<QCollator>(QLocale(QLocale::Japanese, QLocale::Japan));
    return {[file](std::int32_t slot, const QString &name) { return file->reading(slot, name); },
            [collator](const QString &first, const QString &second) {
                return collator->compare(first, second) < 0;
            }};
}

std::optional<QList<ExchangeEntry>> readRosterForPrinting(QString *reason)
{
    QFile file(RosterFile::fileName());
    if (!file.exists())
        return QList<ExchangeEntry>();
    switch (openOrdinaryFile(file, QIODevice::ReadOnly)) {
    case OrdinaryOpen::NotOrdinary:
        *reason = u"not an ordinary file"_s;
        return std::nullopt;
    case OrdinaryOpen::Failed:
        *reason = file.errorString();
        return std::nullopt;
    case OrdinaryOpen::Opened:
        break;
    }
    std::optional<RosterEntries> roster = readRosterEntries(file, reason);
    if (!roster)
        return std::nullopt;
    return roster->entries;
}

QList<PrintEntry> chooseEntries(const QList<ExchangeEntry> &entries, const PrintChoice &choice,
                                const PrintReadings &readings)
{
    const QSet<std::int32_t> chosen(choice.chosen.cbegin(), choice.chosen.cend());
    QList<PrintEntry> out;
    for (const ExchangeEntry &entry : entries) {
        const bool wanted =
            choice.which == PrintChoice::Which::All
            || (choice.which == PrintChoice::Which::Range && entry.number >= choice.from
                && entry.number <= choice.to)
            || (choice.which == PrintChoice::Which::Chosen && chosen.contains(entry.number));
        if (!wanted)
            continue;
        PrintEntry printed{entry, {}};
        if (readings.readingOf)
            printed.reading = readings.readingOf(entry.number, entry.name);
        out.append(printed);
    }
    if (choice.order == PrintOrder::Yomi && readings.comesBefore) {
        // Entries without a reading go last, as a printed index puts them.
        std::stable_sort(out.begin(), out.end(), [&](const PrintEntry &a, const PrintEntry &b) {
            if (a.reading.isEmpty() || b.reading.isEmpty())
                return !a.reading.isEmpty() && b.reading.isEmpty();
            return readings.comesBefore(a.reading, b.reading);
        });
    }
    return out;
}
