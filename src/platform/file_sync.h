#pragma once

#include <QFileDevice>
#include <QString>

#include <cerrno>
#include <cstring>

// Makes what was written to the open file reach the disk before returning, so that a change the
// user saw complete survives a crash or a power loss.
bool syncToDisk(QFileDevice &file);

// Makes a file's new name, as a creation or a replace gives it, reach the disk: without it a
// power loss can take the name away although the file's bytes are safe. A best effort.
void syncFolderOf(const QString &fileName);

// Why the last call on the file failed, read at once: Qt's words, or the system's for a call Qt
// did not make (a sync, a reservation of room), where Qt would say "Unknown error".
inline QString failureReason(const QFileDevice &file)
{
    const int systemError = errno;
    return file.error() != QFileDevice::NoError ? file.errorString()
                                                : QString::fromLocal8Bit(std::strerror(systemError));
}
