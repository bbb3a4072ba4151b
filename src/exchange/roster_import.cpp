#include "exchange/roster_import.h"

#include <array>

#include <QSet>

#include "platform/code_page.h"

using namespace Qt::StringLiterals;
using Field = MeiboRecord::Field;

QString fieldLabel(Field field)
{
    switch (field) {
    case Field::Namae:
        return u"名前"_s;
    case Field::Mail:
        return u"メール"_s;
    case Field::Tell:
        return u"電話"_s;
    case Field::Memo:
        return u"メモ"_s;
    case Field::PicturePath:
        return u"画像"_s;
    }
    return {};
}

namespace {

// What the field loses under the roster's rules: characters without a Shift-JIS form, and
// the end that does not fit the field's bytes.
QStringList fieldLosses(Field field, const QString &text, const MeiboRecord &record)
{
    QStringList losses;
    // What is kept, each unmapped character as the '?' it becomes.
    const QString stored = QString::fromStdU16String(CodePage932::toUnicode(CodePage932::fromUnicode(
        std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()), text.size()))));
    QString unmapped;
    // Each one named once; a set, since searching the text named so far grows with its square.
    QSet<char32_t> named;
    // A text that comes back whole has no unmapped character, and needs no look at each one.
    for (qsizetype i = 0; stored != text && i < text.size(); ++i) {
        const qsizetype units = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = QStringView(text).sliced(i, units);
        const char32_t code = units == 2 ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                         : char32_t(text.at(i).unicode());
        // One character always fits a field's bytes: only a missing form keeps it out.
        if (!named.contains(code) && !MeiboRecord::holdsWhole(field, character)) {
            named.insert(code);
            unmapped += character;
        }
        i += units - 1;
    }
    if (!unmapped.isEmpty())
        losses.append(fieldLabel(field) + u"の「"_s + unmapped
                      + u"」はShift-JISで表せないので「?」になります"_s);
    QString kept = record.get(field);
    while (kept.endsWith(u' ') && kept.size() > 0)
        kept.chop(1);
    // Compare with what is kept.
    if (stored.size() > kept.size() && stored.startsWith(kept)
        && !stored.sliced(kept.size()).trimmed().isEmpty())
        losses.append(fieldLabel(field) + u"の終わり「"_s + stored.sliced(kept.size())
                      + u"」は"_s + QString::number(MeiboRecord::width(field))
                      + u"バイトに入りません"_s);
    return losses;
}

// The texts for the five fields; the memo's line breaks as the program stores them.
std::array<QString, MeiboRecord::fieldCount> fieldTexts(const ExchangeEntry &entry)
{
    QString memo = entry.memo;
    memo.replace(u'\n', u"\r\n"_s);
    return {entry.name, entry.mail, entry.tell, memo, entry.picturePath};
}

} // namespace

QList<ImportPlacement> placeEntries(const QList<ReadContact> &contacts, QList<bool> occupied,
                                    bool replace, std::int32_t lastSlot)
{
    const auto isFree = [&occupied](std::int32_t slot) {
        return slot > occupied.size() || !occupied.at(slot - 1);
    };
    // Slots this import fills: even replace never writes one entry over another of the file.
    QList<bool> placedHere;
    const auto take = [&occupied, &placedHere](std::int32_t slot) {
        if (occupied.size() < slot)
            occupied.resize(slot, false);
        occupied[slot - 1] = true;
        if (placedHere.size() < slot)
            placedHere.resize(slot, false);
        placedHere[slot - 1] = true;
    };
    std::int32_t lowestFree = 1;
    QList<ImportPlacement> placements;
    for (const ReadContact &contact : contacts) {
        ImportPlacement placement;
        placement.entry = contact.entry;
        const std::int32_t wanted = contact.entry.number;
        const bool inRange = wanted >= 1 && wanted <= lastSlot;
        if (inRange && wanted <= placedHere.size() && placedHere.at(wanted - 1))
            placement.takenInFile = wanted;
        if (inRange && placement.takenInFile == 0 && (replace || isFree(wanted))) {
            placement.slot = wanted;
        } else {
            while (lowestFree <= lastSlot && !isFree(lowestFree))
                ++lowestFree;
            placement.slot = lowestFree <= lastSlot ? lowestFree : 0;
        }
        // Left out: nothing is stored, so there is nothing to lose.
        if (placement.slot == 0) {
            placements.append(placement);
            continue;
        }
        take(placement.slot);
        const auto texts = fieldTexts(contact.entry);
        MeiboRecord record;
        for (int i = 0; i < MeiboRecord::fieldCount; ++i)
            record.set(static_cast<Field>(i), texts[i]);
        // What the file will hold, read back.
        placement.record = MeiboRecord::fromBytes(record.toBytes());
        for (int i = 0; i < MeiboRecord::fieldCount; ++i)
            placement.losses += fieldLosses(static_cast<Field>(i), texts[i], placement.record);
        for (const QString &dropped : contact.dropped)
            placement.losses.append(u"入らない項目: "_s + dropped);
        placements.append(placement);
    }
    return placements;
}
