#include "exchange/stored_characters.h"

#include <algorithm>

#include "platform/code_page.h"

namespace {

constexpr std::uint32_t askedBit = 1u << 31;
constexpr std::uint32_t unmappedBit = 1u << 16;

std::u16string_view unitsOf(QStringView text)
{
    return std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()),
                               std::size_t(text.size()));
}

constexpr std::uint32_t uncommonBit = 1u << 17;

bool encodesAsUnmapped(QStringView character)
{
    return !CodePage932::fitsWhole(unitsOf(character), std::size_t(-1));
}

QString roundTrip(std::u16string_view units)
{
    return QString::fromStdU16String(CodePage932::toUnicode(CodePage932::fromUnicode(units)));
}

} // namespace

std::uint32_t &StoredCharacters::known(char16_t unit)
{
    auto &block = m_blocks[unit / blockSize];
    if (!block)
        block = std::make_unique<std::array<std::uint32_t, blockSize>>();
    return (*block)[unit % blockSize];
}

std::uint32_t StoredCharacters::form(char16_t unit)
{
    std::uint32_t &entry = known(unit);
    if (entry == 0) {
        const QChar character(unit);
        const QString back = roundTrip(unitsOf(QStringView(&character, 1)));
        // A form that reads back as anything but one unit is converted each time.
        entry = askedBit | (encodesAsUnmapped(QStringView(&character, 1)) ? unmappedBit : 0)
                | (back.size() == 1 ? back.at(0).unicode() : uncommonBit);
    }
    return entry;
}

bool StoredCharacters::isUnmapped(QStringView character)
{
    if (character.size() == 1 && character.at(0).unicode() < 0x80)
        return false;
    if (character.size() == 1)
        return (form(character.at(0).unicode()) & unmappedBit) != 0;
    return encodesAsUnmapped(character);
}

QString StoredCharacters::storedForm(const QString &text)
{
    const std::u16string_view units = unitsOf(text);
    // Code page 932 agrees with ASCII.
    if (std::all_of(units.begin(), units.end(), [](char16_t unit) { return unit < 0x80; }))
        return text;
    QString stored;
    stored.reserve(text.size());
    for (std::size_t i = 0; i < units.size();) {
        const bool pair = QChar::isHighSurrogate(units[i]) && i + 1 < units.size()
                          && QChar::isLowSurrogate(units[i + 1]);
        const std::uint32_t known = pair || units[i] < 0x80 ? 0 : form(units[i]);
        if (pair || (known & uncommonBit) != 0)
            stored += roundTrip(units.substr(i, pair ? 2 : 1));
        else
            stored += units[i] < 0x80 ? QChar(units[i]) : QChar(char16_t(known & 0xFFFF));
        i += pair ? 2 : 1;
    }
    return stored;
}
