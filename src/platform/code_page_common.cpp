#include "platform/code_page.h"

#include "platform/code_page_character.h"

namespace CodePage932 {

std::u16string toUnicode(std::string_view bytes)
{
    std::u16string text(bytes.size(), u'\0');
    text.resize(toUnicode(bytes, text.data()));
    return text;
}

std::string fromUnicode(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t units = characterUnits(text, i);
        bytes += encodeCharacter(text.substr(i, units));
        i += units;
    }
    return bytes;
}

std::string fromUnicodeFitted(std::u16string_view text, std::size_t byteWidth)
{
    std::string bytes;
    bytes.reserve(byteWidth);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t units = characterUnits(text, i);
        const std::string character = encodeCharacter(text.substr(i, units));
        if (bytes.size() + character.size() > byteWidth)
            break;
        bytes += character;
        i += units;
    }
    bytes.append(byteWidth - bytes.size(), ' ');
    return bytes;
}

bool fitsWhole(std::u16string_view text, std::size_t byteWidth)
{
    std::size_t size = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t units = characterUnits(text, i);
        const std::u16string_view character = text.substr(i, units);
        const std::string bytes = encodeCharacter(character);
        // "?" also stands for a character without a form, unless the character is "?" itself.
        if (bytes == "?" && character != u"?")
            return false;
        size += bytes.size();
        if (size > byteWidth)
            return false;
        i += units;
    }
    return true;
}

std::size_t characterUnits(std::u16string_view text, std::size_t at)
{
    const char16_t unit = text[at];
    const bool highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
    if (highSurrogate && at + 1 < text.size() && text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF)
        return 2;
    return 1;
}

} // namespace CodePage932
