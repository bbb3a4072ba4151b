#include "platform/system_code_page.h"

#include <QString>

namespace SystemCodePage {

std::u16string toUnicode(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size())).toStdU16String();
}

std::string fromUnicode(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size())).toStdString();
}

} // namespace SystemCodePage
