#pragma once

#include <optional>
#include <string>
#include <string_view>

// Text in a character set named as mail and vCard name them ("windows-1252", "ISO-8859-15",
// "EUC-JP"). Plain C++, like the other code pages.
namespace NamedCharset {

// The text, or nothing when the set is unknown here or the bytes are not valid in it.
std::optional<std::u16string> toUnicode(std::string_view charset, std::string_view bytes);

} // namespace NamedCharset
