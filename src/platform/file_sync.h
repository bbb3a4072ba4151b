#pragma once

class QFileDevice;
class QString;

// Makes what was written to the open file reach the disk before returning, so that a change the
// user saw complete survives a crash or a power loss.
bool syncToDisk(QFileDevice &file);

// Makes a file's new name, as a creation or a replace gives it, reach the disk: without it a
// power loss can take the name away although the file's bytes are safe. A best effort.
void syncFolderOf(const QString &fileName);
