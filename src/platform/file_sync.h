#pragma once

class QFile;

// Makes what was written to the open file reach the disk before returning, so that a change the
// user saw complete survives a crash or a power loss.
bool syncToDisk(QFile &file);
