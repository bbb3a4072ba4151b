#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>

#include "exchange/contact_reading.h"
#include "exchange/stored_characters.h"
#include "roster/meibo_record.h"

// Where one read card or row goes.
struct ImportPlacement
{
    std::int32_t slot = 0; // 0: no free slot up to the last one, left out
    // The roster number asked for, when an earlier entry of the same file already took it.
    std::int32_t takenInFile = 0;
    MeiboRecord record;    // the entry as its slot will hold it
};

// The field's name in messages: 名前, メール, 電話, メモ or 画像.
QString fieldLabel(MeiboRecord::Field field);

// Where the losses of an entry go, each a piece at a time and then ended: a loss of a long
// text of distinct characters is never held whole.
class LossWriter
{
public:
    virtual ~LossWriter() = default;
    virtual void write(QStringView piece) = 0;
    virtual void endLoss() = 0;
};

// Places the entries of one import, one at a time. Each goes to the slot of its roster number
// when that slot is free (blank or never written) or replace is set, otherwise to the lowest
// free slot from 1 up; never past the last slot, and never to a slot an earlier entry of the
// same import took. occupied[n - 1] tells whether slot n holds an entry.
class ImportPlacer final
{
public:
    ImportPlacer(QList<bool> occupied, bool replace, std::int32_t lastSlot);

    ImportPlacement place(const ExchangeEntry &entry);
    // What the roster cannot keep of the contact as the record holds it: characters without a
    // Shift-JIS form, ends that do not fit a field's bytes, items the roster has no place for.
    void reportLosses(const ReadContact &contact, const MeiboRecord &record, LossWriter &writer);

private:
    bool isFree(std::int32_t slot) const;
    void take(std::int32_t slot);

    QList<bool> m_occupied;
    // Slots this import fills: even replace never writes one entry over another of the file.
    QList<bool> m_placedHere;
    bool m_replace;
    std::int32_t m_lastSlot;
    std::int32_t m_lowestFree = 1;
    StoredCharacters m_characters;
};
