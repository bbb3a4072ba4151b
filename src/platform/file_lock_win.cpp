#include "platform/file_lock.h"

#include <QFile>

#include <io.h>
#include <windows.h>

FileLockResult lockFile(QFile &file)
{
    const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(file.handle()));
    // Locks on Windows bar reading and writing, so the lock covers one byte far past any data.
    OVERLAPPED place = {};
    place.Offset = 0xFFFFFFFE;
    place.OffsetHigh = 0x7FFFFFFF;
    if (::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place))
        return FileLockResult::Taken;
    return ::GetLastError() == ERROR_LOCK_VIOLATION ? FileLockResult::HeldElsewhere
                                                    : FileLockResult::Unavailable;
}
