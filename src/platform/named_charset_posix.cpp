#include "platform/named_charset.h"

#include <iconv.h>

namespace NamedCharset {

std::optional<std::u16string> toUnicode(std::string_view charset, std::string_view bytes)
{
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    constexpr char nativeUtf16[] = "UTF-16LE";
#else
    constexpr char nativeUtf16[] = "UTF-16BE";
#endif
    const iconv_t converter = iconv_open(nativeUtf16, std::string(charset).c_str());
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    // No set used in mail takes more than two UTF-16 units for one byte.
    std::u16string text(bytes.size() * 2, u'\0');
    char *in = const_cast<char *>(bytes.data());
    std::size_t inLeft = bytes.size();
    char *out = reinterpret_cast<char *>(text.data());
    std::size_t outLeft = text.size() * sizeof(char16_t);
    const bool converted = iconv(converter, &in, &inLeft, &out, &outLeft) != std::size_t(-1)
                           && iconv(converter, nullptr, nullptr, &out, &outLeft) != std::size_t(-1);
    iconv_close(converter);
    if (!converted)
        return std::nullopt;
    text.resize(text.size() - outLeft / sizeof(char16_t));
    return text;
}

} // namespace NamedCharset
