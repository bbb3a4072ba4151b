#include "platform/drives.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

using namespace Qt::StringLiterals;

QList<Drive> availableDrives()
{
    QList<Drive> drives;
    for (const QFileInfo &drive : QDir::drives()) {
        const QString root = drive.absoluteFilePath();
        drives.append(Drive{root, root.left(2).toLower()});
    }
    return drives;
}

QString driveCurrentFolder(const QString &root)
{
    // "X:" without a separator names the drive's own current folder.
    const std::wstring drive = root.left(2).toStdWString();
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetFullPathNameW(drive.c_str(), MAX_PATH, buffer, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return root;
    return QDir::fromNativeSeparators(QString::fromWCharArray(buffer, int(length)));
}

QString withoutRootSeparator(const QString &nativeFolder)
{
    // Only a drive root ends in a backslash.
    return nativeFolder.endsWith(u'\\') ? nativeFolder.left(2) : nativeFolder;
}

int folderReadError(const QString &folder)
{
    const std::wstring pattern = QDir::toNativeSeparators(folder + u"/*"_s).toStdWString();
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        return 0;
    }
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND: // an empty root has no entries at all
        return 0;
    case ERROR_ACCESS_DENIED:
        return 70;
    case ERROR_NOT_READY:
        return 71;
    default:
        return 68;
    }
}
