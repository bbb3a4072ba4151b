#include "platform/standard_descriptors.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

void openMissingStandardDescriptors()
{
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF)
            continue;
        // open() returns the lowest free number, which is this one.
        const int opened = ::open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != descriptor)
            ::close(opened);
    }
}

// POSIX streams are bytes already.
void useBinaryStandardStreams() {}
