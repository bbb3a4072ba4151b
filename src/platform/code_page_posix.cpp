#include "platform/code_page.h"

#include "platform/code_page_character.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace CodePage932 {
namespace {

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr char nativeUtf16[] = "UTF-16LE";
#else
constexpr char nativeUtf16[] = "UTF-16BE";
#endif

// glibc's CP932, not ICU's Shift_JIS: only it maps every byte as Windows does.
class Converter final
{
public:
    Converter(const char *to, const char *from) : m_handle(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_handle);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool valid() const { return m_handle != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return m_handle; }
    void reset() const { iconv(m_handle, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t m_handle;
};

const Converter &decoder()
{
    static const Converter converter(nativeUtf16, "CP932");
    return converter;
}

const Converter &encoder()
{
    static const Converter converter("CP932", nativeUtf16);
    return converter;
}

} // namespace

std::size_t toUnicode(std::string_view bytes, char16_t *text)
{
    const Converter &converter = decoder();
    if (!converter.valid()) {
        std::fill_n(text, bytes.size(), u'\uFFFD');
        return bytes.size();
    }
    converter.reset();
    char *in = const_cast<char *>(bytes.data());
    std::size_t inLeft = bytes.size();
    char *out = reinterpret_cast<char *>(text);
    std::size_t outLeft = bytes.size() * sizeof(char16_t);
    while (inLeft > 0) {
        if (iconv(converter.handle(), &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            break;
        // An undecodable byte, or a lead byte cut off at the end: one replacement character.
        const char16_t replacement = u'\uFFFD';
        std::memcpy(out, &replacement, sizeof replacement);
        out += sizeof replacement;
        outLeft -= sizeof replacement;
        ++in;
        --inLeft;
        converter.reset();
    }
    return bytes.size() - outLeft / sizeof(char16_t);
}

std::string encodeCharacter(std::u16string_view character)
{
    const Converter &converter = encoder();
    if (!converter.valid())
        return "?";
    converter.reset();
    char buffer[8];
    char *in = reinterpret_cast<char *>(const_cast<char16_t *>(character.data()));
    std::size_t inLeft = character.size() * sizeof(char16_t);
    char *out = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(converter.handle(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)
        || inLeft != 0)
        return "?";
    return std::string(buffer, out);
}

} // namespace CodePage932
