#include "platform/file_identity.h"

#include <QFile>
#include <QString>

#include <io.h>
#include <windows.h>

namespace {

bool sameFile(const BY_HANDLE_FILE_INFORMATION &a, const BY_HANDLE_FILE_INFORMATION &b)
{
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber
           && a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

} // namespace

bool isFileNamed(QFile &file, const QString &name)
{
    BY_HANDLE_FILE_INFORMATION open = {};
    const HANDLE openHandle = reinterpret_cast<HANDLE>(::_get_osfhandle(file.handle()));
    if (!::GetFileInformationByHandle(openHandle, &open))
        return false;
    // Asks for no access, so that any sharing mode of the open file lets it look.
    const HANDLE named = ::CreateFileW(reinterpret_cast<const wchar_t *>(name.utf16()), 0,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (named == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION namedInformation = {};
    const bool same = ::GetFileInformationByHandle(named, &namedInformation)
                      && sameFile(open, namedInformation);
    ::CloseHandle(named);
    return same;
}
