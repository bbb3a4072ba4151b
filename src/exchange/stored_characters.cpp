#include "exchange/stored_characters.h"

#include <algorithm>

#include "platform/code_page.h"

namespace {

std::u16string_view unitsOf(QStringView text)
{
    return std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()),
                               std::size_t(text.size()));
}

bool encodesAsUnmapped(QStringView character)
{
    return !CodePage932::fitsWhole(unitsOf(character), std::size_t(-1));
}

QString roundTrip(std::u16string_view units)
{
    return QString::fromStdU16String(CodePage932::toUnicode(CodePage932::fromUnicode(units)));
}

} // namespace

const StoredCharacters::Form &StoredCharacters::form(char16_t unit)
{
    auto &block = m_blocks[unit / blockSize];
    if (!block)
        block = std::make_unique<std::array<Form, blockSize>>();
    Form &entry = (*block)[unit % blockSize];
    if (!entry.known) {
        const std::u16string_view character(&unit, 1);
        const std::string bytes = CodePage932::fromUnicode(character);
        const QString back = roundTrip(character);
        entry.known = true;
        entry.unmapped = encodesAsUnmapped(QStringView(&unit, 1));
        entry.uncommon = back.size() != 1 || bytes.size() > entry.bytes.size();
        entry.byteCount = std::uint8_t(qMin(bytes.size(), entry.bytes.size()));
        std::copy_n(bytes.begin(), entry.byteCount, entry.bytes.begin());
        entry.back = back.isEmpty() ? u'\0' : back.at(0).unicode();
    }
    return entry;
}

std::string StoredCharacters::bytes(std::u16string_view character)
{
    if (character.size() != 1)
        return CodePage932::fromUnicode(character);
    const Form &known = form(character[0]);
    if (known.uncommon)
        return CodePage932::fromUnicode(character);
    return std::string(known.bytes.data(), known.byteCount);
}

bool StoredCharacters::isUnmapped(QStringView character)
{
    if (character.size() == 1 && character.at(0).unicode() < 0x80)
        return false;
    if (character.size() == 1)
        return form(character.at(0).unicode()).unmapped;
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
        if (units[i] < 0x80) {
            stored += QChar(units[i]);
        } else if (pair || form(units[i]).uncommon) {
            stored += roundTrip(units.substr(i, pair ? 2 : 1));
        } else {
            stored += QChar(form(units[i]).back);
        }
        i += pair ? 2 : 1;
    }
    return stored;
}
