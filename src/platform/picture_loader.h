#pragma once

#include <QImage>
#include <QString>

// Run-time error numbers of a failed picture load, stable across platforms.
namespace PictureError {
inline constexpr int fileNotFound = 53;
inline constexpr int permissionDenied = 70;
inline constexpr int notAFile = 75; // a folder, FIFO or device
inline constexpr int pathNotFound = 76;
inline constexpr int notAPicture = 481;
} // namespace PictureError

struct PictureLoad
{
    QImage picture;      // null for an empty path and for every failure
    int errorNumber = 0; // 0 on success
    bool succeeded() const { return errorNumber == 0; }
};

// An empty path gives an empty picture. Trailing spaces are not part of the file name.
PictureLoad loadPicture(const QString &path);
