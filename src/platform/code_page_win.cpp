#include "platform/code_page.h"

#include "platform/code_page_character.h"

#include <windows.h>

namespace CodePage932 {
namespace {
constexpr UINT codePage = 932;
}

std::size_t toUnicode(std::string_view bytes, char16_t *out)
{
    char16_t *const begin = out;
    // Character by character, so that one bad byte gives one U+FFFD as on the other platforms.
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t length = 1;
        if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[i])) && i + 1 < bytes.size())
            length = 2;
        wchar_t unit = 0;
        const int written = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data() + i,
                                                static_cast<int>(length), &unit, 1);
        if (written == 1) {
            *out++ = static_cast<char16_t>(unit);
            i += length;
        } else {
            *out++ = u'\uFFFD';
            ++i;
        }
    }
    return std::size_t(out - begin);
}

std::string encodeCharacter(std::u16string_view character)
{
    char buffer[8];
    BOOL usedDefault = FALSE;
    const int written = WideCharToMultiByte(
        codePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t *>(character.data()),
        static_cast<int>(character.size()), buffer, sizeof buffer, "?", &usedDefault);
    if (written <= 0 || usedDefault)
        return "?";
    return std::string(buffer, static_cast<std::size_t>(written));
}

} // namespace CodePage932
