#pragma once

#include <QDir>
#include <QString>

#include "platform/drives.h"

// How the chooser writes the folder and path it hands over.
namespace PicturePath {

// Native separators, and a Windows drive root without its trailing backslash (C: rather than
// C:\). The POSIX root stays "/", so a file clicked there never reads as "no file clicked".
inline QString handOverFolder(const QString &folder)
{
    return withoutRootSeparator(QDir::toNativeSeparators(folder));
}

// The folder, one separator and the name.
inline QString joined(const QString &folder, const QString &name)
{
    if (folder.endsWith(QDir::separator()))
        return folder + name;
    return folder + QDir::separator() + name;
}

} // namespace PicturePath
