// Code page 932 both ways on any input: decoding never fails, re-encoding decoded text gives
// bytes that decode to the same text, and a fitted field is exactly its width.
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "platform/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const std::u16string text = CodePage932::toUnicode(bytes);
    const std::string encoded = CodePage932::fromUnicode(text);
    require(text.find(u'\uFFFD') != std::u16string::npos || CodePage932::toUnicode(encoded) == text);
    const std::size_t width = size % 64;
    require(CodePage932::fromUnicodeFitted(text, width).size() == width);
    // The bytes read as UTF-16 too, so that unpaired surrogates and unmappable text are covered.
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, 2 * units.size());
    require(CodePage932::fromUnicode(units).size() <= 2 * units.size());
    require(CodePage932::fromUnicodeFitted(units, 30).size() == 30);
    return 0;
}
