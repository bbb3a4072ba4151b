#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

#include "exchange/contact_reading.h"
#include "roster/meibo_record.h"

// Where one read card or row goes, and what the roster cannot keep of it.
struct ImportPlacement
{
    ExchangeEntry entry;
    std::int32_t slot = 0; // 0: no free slot up to the last one, left out
    // The roster number asked for, when an earlier entry of the same file already took it.
    std::int32_t takenInFile = 0;
    MeiboRecord record;    // the entry as its slot will hold it
    QStringList losses;
};

// The field's name in messages: 名前, メール, 電話, メモ or 画像.
QString fieldLabel(MeiboRecord::Field field);

// Each entry goes to the slot of its roster number when that slot is free (blank or never
// written) or replace is set, otherwise to the lowest free slot from 1 up; never past the last
// slot, and never to a slot an earlier entry of the same import took. occupied[n - 1] tells whether slot n holds an entry.
QList<ImportPlacement> placeEntries(const QList<ReadContact> &contacts, QList<bool> occupied,
                                    bool replace, std::int32_t lastSlot);

