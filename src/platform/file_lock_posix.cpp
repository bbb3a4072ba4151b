#include "platform/file_lock.h"

#include <cerrno>

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>

FileLockResult lockFile(QFile &file)
{
    const int descriptor = file.handle();
#ifdef F_OFD_SETLK
    // Held by the open file itself, not the process: a second handle in this process is kept
    // out too, and closing some other handle to the file never drops it.
    struct flock whole = {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (::fcntl(descriptor, F_OFD_SETLK, &whole) == 0)
        return FileLockResult::Taken;
#else
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
        return FileLockResult::Taken;
#endif
    // EACCES and EAGAIN for a lock record, EWOULDBLOCK for flock.
    return errno == EAGAIN || errno == EACCES || errno == EWOULDBLOCK
               ? FileLockResult::HeldElsewhere
               : FileLockResult::Unavailable;
}
