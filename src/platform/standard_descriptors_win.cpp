#include "platform/standard_descriptors.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

// The console's own code page, given back when the tool ends.
UINT consoleCodePage = 0;

} // namespace

// A Windows program's files never take the numbers of the standard streams.
void openMissingStandardDescriptors() {}

void useBinaryStandardStreams()
{
    for (std::FILE *stream : {stdin, stdout, stderr})
        _setmode(_fileno(stream), _O_BINARY);
    // 0 without a console.
    consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage != 0 && consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        std::atexit([] { SetConsoleOutputCP(consoleCodePage); });
}
