#pragma once

#include <string>
#include <string_view>

// The system's own code page for byte strings: on Windows the ANSI code page that the "A"
// functions take and give (932 only on a Japanese system), elsewhere UTF-8. Plain C++ so that the
// Windows test program can use it.
namespace SystemCodePage {

// Bytes that form no character read as a replacement character; never fails.
std::u16string toUnicode(std::string_view bytes);

// Characters with no form in the code page are written as '?'.
std::string fromUnicode(std::u16string_view text);

} // namespace SystemCodePage
