#include "platform/system_code_page.h"

#include <windows.h>

namespace SystemCodePage {

std::u16string toUnicode(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    // No byte yields more than one UTF-16 unit, whatever the code page.
    const int size = static_cast<int>(bytes.size());
    std::u16string text(bytes.size(), u'\0');
    const int written = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size,
                                            reinterpret_cast<wchar_t *>(text.data()), size);
    text.resize(written > 0 ? std::size_t(written) : 0);
    return text;
}

std::string fromUnicode(std::u16string_view text)
{
    if (text.empty())
        return {};
    const auto *wide = reinterpret_cast<const wchar_t *>(text.data());
    const int length = static_cast<int>(text.size());
    // No best fit: a look-alike character would name another file or key. UTF-8 takes no flags.
    const DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int size = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string bytes(std::size_t(size), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide, length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

} // namespace SystemCodePage
