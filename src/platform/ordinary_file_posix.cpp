#include "platform/ordinary_file.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int openFlags(QIODevice::OpenMode mode)
{
    const bool reads = mode.testFlag(QIODevice::ReadOnly);
    const bool writes = mode.testFlag(QIODevice::WriteOnly);
    int flags = reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
    if (writes && !mode.testFlag(QIODevice::ExistingOnly))
        flags |= O_CREAT;
    if (writes && (mode.testFlag(QIODevice::Truncate)
                   || !(reads || mode.testFlag(QIODevice::Append))))
        flags |= O_TRUNC;
    if (mode.testFlag(QIODevice::Append))
        flags |= O_APPEND;
    return flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
}

} // namespace

OrdinaryOpen openOrdinaryFile(QFile &file, QIODevice::OpenMode mode)
{
    const int flags = openFlags(mode);
    // O_TRUNC waits until the file is known to be ordinary: truncating a device is not ours.
    const int descriptor =
        ::open(QFile::encodeName(file.fileName()).constData(), flags & ~O_TRUNC, 0666);
    if (descriptor < 0) {
        // A FIFO opened for writing with no reader.
        if (errno == ENXIO)
            return OrdinaryOpen::NotOrdinary;
        // QFile words the reason as it would for its own open.
        file.open(mode | QIODevice::ExistingOnly);
        file.close();
        return OrdinaryOpen::Failed;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return OrdinaryOpen::NotOrdinary;
    }
    if (((flags & O_TRUNC) && ::ftruncate(descriptor, 0) != 0)
        || ::fcntl(descriptor, F_SETFL, flags & O_APPEND) != 0) {
        ::close(descriptor);
        return OrdinaryOpen::Failed;
    }
    if (!file.open(descriptor, mode, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return OrdinaryOpen::Failed;
    }
    return OrdinaryOpen::Opened;
}
