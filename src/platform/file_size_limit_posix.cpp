#include "platform/file_size_limit.h"

#include <csignal>

void letFileSizeLimitFailWrites()
{
    std::signal(SIGXFSZ, SIG_IGN);
}
