#include "platform/file_existence.h"

#include <windows.h>

#include "platform/system_code_page.h"

bool isOrdinaryFile(const std::u16string &path)
{
    const DWORD attributes = GetFileAttributesA(SystemCodePage::fromUnicode(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
        == 0;
}
