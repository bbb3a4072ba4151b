#include "exchange/roster_import.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <memory>

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

// The text as the roster gives it back: each character without a Shift-JIS form as '?', and
// those with another form as it reads back. Code page 932 agrees with ASCII, so only the others
// are converted.
QString storedForm(const QString &text)
{
    const std::u16string_view units(reinterpret_cast<const char16_t *>(text.utf16()), text.size());
    if (std::all_of(units.begin(), units.end(), [](char16_t unit) { return unit < 0x80; }))
        return text;
    QString stored;
    stored.reserve(text.size());
    for (std::size_t i = 0; i < units.size();) {
        const std::size_t length = QChar::isHighSurrogate(units[i]) && i + 1 < units.size()
                                           && QChar::isLowSurrogate(units[i + 1])
                                       ? 2
                                       : 1;
        if (units[i] < 0x80)
            stored += QChar(units[i]);
        else
            stored += QString::fromStdU16String(
                CodePage932::toUnicode(CodePage932::fromUnicode(units.substr(i, length))));
        i += length;
    }
    return stored;
}

// What the field loses under the roster's rules: characters without a Shift-JIS form, and
// the end that does not fit the field's bytes.
void reportFieldLosses(Field field, const QString &text, const MeiboRecord &record,
                       const std::function<void(const QString &)> &report)
{
    // Each unmapped character named once, in the order of the text; ASCII always has its form.
    QString unmapped = fieldLabel(field) + u"の「"_s;
    const qsizetype start = unmapped.size();
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    CharacterSet named;
    for (qsizetype i = 0; !ascii && i < text.size(); ++i) {
        const qsizetype units = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = QStringView(text).sliced(i, units);
        const char32_t code = units == 2 ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                         : char32_t(text.at(i).unicode());
        i += units - 1;
        // One character always fits a field's bytes: only a missing form keeps it out.
        if (code < 0x80 || MeiboRecord::holdsWhole(field, character) || named.insert(code))
            continue;
        unmapped += character;
    }
    // Written out before the stored form is made: a long text is held once, with one loss.
    if (unmapped.size() > start) {
        unmapped += u"」はShift-JISで表せないので「?」になります"_s;
        report(unmapped);
    }
    unmapped = QString();
    // What is kept, each unmapped character as the '?' it becomes.
    const QString stored = storedForm(text);
    QString kept = record.get(field);
    while (kept.endsWith(u' ') && kept.size() > 0)
        kept.chop(1);
    // Compare with what is kept.
    if (stored.size() > kept.size() && stored.startsWith(kept)
        && !stored.sliced(kept.size()).trimmed().isEmpty())
        report(fieldLabel(field) + u"の終わり「"_s + stored.sliced(kept.size()) + u"」は"_s
               + QString::number(MeiboRecord::width(field)) + u"バイトに入りません"_s);
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
    placement.record = MeiboRecord::fromBytes(record.toBytes());
    return placement;
}

void reportLosses(const ReadContact &contact, const MeiboRecord &record,
                  const std::function<void(const QString &)> &report)
{
    const auto texts = fieldTexts(contact.entry);
    for (int i = 0; i < MeiboRecord::fieldCount; ++i)
        reportFieldLosses(static_cast<Field>(i), texts[i], record, report);
    for (const QString &dropped : contact.dropped)
        report(u"入らない項目: "_s + dropped);
}
