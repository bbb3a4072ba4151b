#include "platform/file_size_limit.h"

// Windows has no such limit and no such signal.
void letFileSizeLimitFailWrites() {}
