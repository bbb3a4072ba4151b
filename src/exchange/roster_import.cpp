#include "exchange/roster_import.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <memory>

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

// Characters already named, a bit each in the planes they come from: a long text of distinct
// characters costs a few kilobytes, where a hash set would cost dozens of bytes a character.
class CharacterSet final
{
public:
    // Whether the character was there; it is from now on.
    bool insert(char32_t code)
    {
        std::unique_ptr<std::bitset<planeSize>> &plane = m_planes[(code / planeSize) % planeCount];
        if (!plane)
            plane = std::make_unique<std::bitset<planeSize>>();
        const bool there = plane->test(code % planeSize);
        plane->set(code % planeSize);
        return there;
    }

private:
    static constexpr std::size_t planeSize = 0x10000;
    static constexpr std::size_t planeCount = 17;
    std::array<std::unique_ptr<std::bitset<planeSize>>, planeCount> m_planes;
};

// A long text is looked at this many units at a time.
constexpr qsizetype pieceUnits = 4096;

// The pieces of the text, never between the halves of a surrogate pair.
template <typename Visit>
void forEachPiece(QStringView text, Visit visit)
{
    for (qsizetype at = 0; at < text.size();) {
        qsizetype length = qMin(pieceUnits, text.size() - at);
        if (at + length < text.size() && text.at(at + length - 1).isHighSurrogate())
            --length;
        visit(text.sliced(at, length));
        at += length;
    }
}

// What the field loses under the roster's rules: characters without a Shift-JIS form, and
// the end that does not fit the field's bytes. Each loss is written a piece at a time, so that
// a long text of distinct characters is held once, not again in its losses.
void reportFieldLosses(Field field, const QString &text, const MeiboRecord &record,
                       StoredCharacters &characters, LossWriter &writer)
{
    // Each unmapped character named once, in the order of the text; ASCII always has its form.
    QString unmapped;
    bool named = false;
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    CharacterSet seen;
    for (qsizetype i = 0; !ascii && i < text.size(); ++i) {
        const qsizetype units = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = QStringView(text).sliced(i, units);
        const char32_t code = units == 2 ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                         : char32_t(text.at(i).unicode());
        i += units - 1;
        // One character always fits a field's bytes: only a missing form keeps it out.
        if (!characters.isUnmapped(character) || seen.insert(code))
            continue;
        if (!named)
            writer.write(fieldLabel(field) + u"の「"_s);
        named = true;
        unmapped += character;
        if (unmapped.size() >= pieceUnits) {
            writer.write(unmapped);
            unmapped.clear();
        }
    }
    if (named) {
        writer.write(unmapped + u"」はShift-JISで表せないので「?」になります"_s);
        writer.endLoss();
    }
    unmapped = QString();

    // What is kept of the text, each unmapped character as the '?' it becomes, against what
    // the slot holds: the rest is lost when the kept part is where the text starts.
    const QString &padded = record.get(field);
    qsizetype keptSize = padded.size();
    while (keptSize > 0 && padded.at(keptSize - 1) == u' ')
        --keptSize;
    const QStringView kept = QStringView(padded).first(keptSize);
    qsizetype storedSize = 0;
    bool startsWithKept = true;
    bool blankRest = true;
    forEachPiece(text, [&](QStringView piece) {
        const QString stored = characters.storedForm(piece.toString());
        const qsizetype within = qBound<qsizetype>(0, kept.size() - storedSize, stored.size());
        startsWithKept = startsWithKept
                         && (within == 0
                             || QStringView(stored).first(within) == kept.sliced(storedSize, within));
        blankRest = blankRest && QStringView(stored).sliced(within).trimmed().isEmpty();
        storedSize += stored.size();
    });
    if (storedSize <= kept.size() || !startsWithKept || blankRest)
        return;
    writer.write(fieldLabel(field) + u"の終わり「"_s);
    storedSize = 0;
    forEachPiece(text, [&](QStringView piece) {
        const QString stored = characters.storedForm(piece.toString());
        const qsizetype within = qBound<qsizetype>(0, kept.size() - storedSize, stored.size());
        writer.write(QStringView(stored).sliced(within));
        storedSize += stored.size();
    });
    writer.write(u"」は"_s + QString::number(MeiboRecord::width(field)) + u"バイトに入りません"_s);
    writer.endLoss();
}

// The texts for the five fields; the memo's line breaks as the program stores them.
std::array<QString, MeiboRecord::fieldCount> fieldTexts(const ExchangeEntry &entry)
{
    QString memo = entry.memo;
    if (memo.contains(u'\n'))
        memo.replace(u'\n', u"\r\n"_s);
    return {entry.name, entry.mail, entry.tell, memo, entry.picturePath};
}

} // namespace

ImportPlacer::ImportPlacer(QList<bool> occupied, bool replace, std::int32_t lastSlot)
    : m_occupied(std::move(occupied)), m_replace(replace), m_lastSlot(lastSlot)
{
}

bool ImportPlacer::isFree(std::int32_t slot) const
{
    return slot > m_occupied.size() || !m_occupied.at(slot - 1);
}

void ImportPlacer::take(std::int32_t slot)
{
    if (m_occupied.size() < slot)
        m_occupied.resize(slot, false);
    m_occupied[slot - 1] = true;
    if (m_placedHere.size() < slot)
        m_placedHere.resize(slot, false);
    m_placedHere[slot - 1] = true;
}

ImportPlacement ImportPlacer::place(const ExchangeEntry &entry)
{
    ImportPlacement placement;
    const std::int32_t wanted = entry.number;
    const bool inRange = wanted >= 1 && wanted <= m_lastSlot;
    if (inRange && wanted <= m_placedHere.size() && m_placedHere.at(wanted - 1))
        placement.takenInFile = wanted;
    if (inRange && placement.takenInFile == 0 && (m_replace || isFree(wanted))) {
        placement.slot = wanted;
    } else {
        while (m_lowestFree <= m_lastSlot && !isFree(m_lowestFree))
            ++m_lowestFree;
        placement.slot = m_lowestFree <= m_lastSlot ? m_lowestFree : 0;
    }
    // Left out: nothing is stored, so there is nothing to lose.
    if (placement.slot == 0)
        return placement;
    take(placement.slot);
    const auto texts = fieldTexts(entry);
    MeiboRecord record;
    for (int i = 0; i < MeiboRecord::fieldCount; ++i)
        record.set(static_cast<Field>(i), texts[i]);
    // What the file will hold, read back.
    placement.record = MeiboRecord::fromBytes(record.toBytes(
        [this](std::u16string_view character) { return m_characters.bytes(character); }));
    return placement;
}

void ImportPlacer::reportLosses(const ReadContact &contact, const MeiboRecord &record,
                                LossWriter &writer)
{
    const auto texts = fieldTexts(contact.entry);
    for (int i = 0; i < MeiboRecord::fieldCount; ++i)
        reportFieldLosses(static_cast<Field>(i), texts[i], record, m_characters, writer);
    for (const QString &dropped : contact.dropped) {
        writer.write(u"入らない項目: "_s + dropped);
        writer.endLoss();
    }
}
