#include "platform/file_space.h"

#include <cerrno>

#include <QFile>

#include <fcntl.h>

bool reserveFileSpace(QFile &file, qint64 offset, qint64 length)
{
    const int result = ::posix_fallocate(file.handle(), offset, length);
    // Where it cannot be done, the write goes ahead and a failure is undone by the caller.
    if (result == 0 || result == EOPNOTSUPP || result == EINVAL)
        return true;
    // It returns its error instead of setting errno, where the caller looks for the reason.
    errno = result;
    return false;
}
