#include "printing/print_selection.h"

#include <QSet>

#include <algorithm>

PrintReadings knownReadings()
{
    return {};
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
