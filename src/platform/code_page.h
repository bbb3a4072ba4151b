#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Windows code page 932 (Shift-JIS) text. Plain C++ so that the Windows test program can use it.
namespace CodePage932 {

// Bytes that form no character read as U+FFFD; never fails.
std::u16string toUnicode(std::string_view bytes);
// The same into out, which has room for bytes.size() units (no byte yields more than one);
// returns the units written.
std::size_t toUnicode(std::string_view bytes, char16_t *out);

// Characters with no code page 932 form are written as '?'.
std::string fromUnicode(std::u16string_view text);

// Whether every character has a code page 932 form and all of them fit in byteWidth bytes, so
// that the text can be stored and read back unchanged.
bool fitsWhole(std::u16string_view text, std::size_t byteWidth);

// The first byteWidth bytes of the text's form, never splitting a double-byte character:
// one that would straddle the end is left out whole, and the rest is padded with spaces.
std::string fromUnicodeFitted(std::u16string_view text, std::size_t byteWidth);

} // namespace CodePage932
