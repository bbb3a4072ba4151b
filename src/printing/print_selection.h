#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

#include "exchange/exchange_entry.h"

// What is printed: postcard addresses (はがき宛名) or the roster (名簿).
enum class PrintKind { Postcards, Roster };

// The order of printed entries.
enum class PrintOrder { Number, Yomi };

// What the readings give the printing. Empty functions mean no readings are known: the よみ
// column stays empty and the あいうえお order falls back to the number order.
struct PrintReadings
{
    // The reading of the entry in that slot, empty when it has none.
    std::function<QString(std::int32_t slot, const QString &name)> readingOf;
    // Whether the first reading comes before the second in あいうえお order.
    std::function<bool(const QString &first, const QString &second)> comesBefore;
};

// The confirmed readings of yomi.txt, which the windows and the console tool print with.
PrintReadings knownReadings();

// One entry as the printing takes it.
struct PrintEntry
{
    ExchangeEntry entry;
    QString reading;
};

// The entries of meibo.dat, read without changing it; nothing, with the system's reason, when it
// cannot be read. No file is an empty roster.
std::optional<QList<ExchangeEntry>> readRosterForPrinting(QString *reason);

// Which entries are printed.
struct PrintChoice
{
    enum class Which { All, Range, Chosen };

    Which which = Which::All;
    std::int32_t from = 1;
    std::int32_t to = 32767;
    // The slots chosen elsewhere, for Which::Chosen.
    QList<std::int32_t> chosen;
    PrintOrder order = PrintOrder::Number;
};

// The chosen entries, each with its reading, in the chosen order; entries of equal reading,
// and all of them without readings, stay in number order.
QList<PrintEntry> chooseEntries(const QList<ExchangeEntry> &entries, const PrintChoice &choice,
                                const PrintReadings &readings);
