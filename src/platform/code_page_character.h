#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The per-character pieces that each platform's converter provides to code_page_common.cpp.
namespace CodePage932 {

// How many UTF-16 units the character starting at text[at] takes: 2 for a surrogate pair, else 1.
std::size_t characterUnits(std::u16string_view text, std::size_t at);

// The code page 932 bytes of one character (one unit or one surrogate pair), or "?" when it has none.
std::string encodeCharacter(std::u16string_view character);

} // namespace CodePage932
