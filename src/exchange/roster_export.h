#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

#include "exchange/exchange_entry.h"
#include "roster/meibo_record.h"

class QFile;

// A field whose bytes form no Shift-JIS text: exported with U+FFFD where they failed.
struct UndecodableField
{
    std::int32_t slot = 0;
    MeiboRecord::Field field = MeiboRecord::Field::Namae;
};

struct RosterEntries
{
    QList<ExchangeEntry> entries;
    QList<UndecodableField> undecodable;
    // Entries in slots past the last one, which no import takes back: left out.
    int pastLastSlot = 0;
};

// The roster's fields as they travel: trailing padding dropped, the memo's line breaks as '\n'.
ExchangeEntry exchangeEntry(std::int32_t slot, const MeiboRecord &record);

// Every slot of the open roster file that is not blank, in slot order, up to the last slot,
// read without changing anything; nothing, with the system's reason, when a read fails.
std::optional<RosterEntries> readRosterEntries(QFile &file, QString *reason);
