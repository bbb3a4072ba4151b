#pragma once

#include <QList>
#include <QString>

// The drives that hold the user's files: drive letters on Windows, mounted file systems elsewhere.
struct Drive
{
    QString root;  // "C:/", or a mount point such as "/" or "/media/usb"
    QString label; // what the drive box shows
};

// The root comes first on POSIX; pseudo file systems (proc, sysfs, ...) are left out.
QList<Drive> availableDrives();

// The folder that browsing a drive starts in: the process's current folder when it lies on that
// drive, otherwise the drive's root (on Windows, the drive's own current folder).
QString driveCurrentFolder(const QString &root);

// The index of the drive that holds the folder: the one with the longest matching root; -1 if none.
int driveHolding(const QList<Drive> &drives, const QString &folder);

// The folder when the listed drive that holds it is the one at root, otherwise root.
QString folderOnDrive(const QList<Drive> &drives, const QString &root, const QString &folder);

// A folder written in native separators, without the backslash that ends a Windows drive root
// (C: rather than C:\); the POSIX root "/" and every other folder stay as they are.
QString withoutRootSeparator(const QString &nativeFolder);

// 0 when the folder can be listed; otherwise a run-time error number: 68 device unavailable,
// 70 permission denied, 71 disk not ready.
int folderReadError(const QString &folder);
