#include "platform/named_charset.h"

#include <algorithm>
#include <cctype>

#include <windows.h>

namespace NamedCharset {
namespace {

struct KnownSet
{
    const char *name;
    UINT codePage;
};

// The sets that address books name, with Windows' numbers for them.
constexpr KnownSet knownSets[] = {
    {"windows-1250", 1250}, {"windows-1251", 1251}, {"windows-1252", 1252}, {"windows-1253", 1253},
    {"windows-1254", 1254}, {"windows-1257", 1257}, {"iso-8859-1", 28591},  {"iso-8859-2", 28592},
    {"iso-8859-5", 28595},  {"iso-8859-7", 28597},  {"iso-8859-15", 28605}, {"koi8-r", 20866},
    {"euc-jp", 20932},      {"iso-2022-jp", 50220}, {"gb2312", 936},        {"gbk", 936},
    {"big5", 950},          {"euc-kr", 51949},      {"utf-8", CP_UTF8}};

} // namespace

std::optional<std::u16string> toUnicode(std::string_view charset, std::string_view bytes)
{
    std::string name(charset);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    const auto known = std::find_if(std::begin(knownSets), std::end(knownSets),
                                    [&name](const KnownSet &set) { return name == set.name; });
    if (known == std::end(knownSets))
        return std::nullopt;
    if (bytes.empty())
        return std::u16string();
    const int units = MultiByteToWideChar(known->codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                          int(bytes.size()), nullptr, 0);
    if (units <= 0)
        return std::nullopt;
    std::u16string text(std::size_t(units), u'\0');
    MultiByteToWideChar(known->codePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                        reinterpret_cast<wchar_t *>(text.data()), units);
    return text;
}

} // namespace NamedCharset
