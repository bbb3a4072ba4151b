#include "platform/standard_descriptors.h"

// A Windows program's files never take the numbers of the standard streams.
void openMissingStandardDescriptors() {}
