#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <chrono>

// Run-time error numbers of a failed picture load, stable across platforms.
namespace PictureError {
inline constexpr int fileNotFound = 53;
inline constexpr int permissionDenied = 70;
inline constexpr int notAFile = 75; // a folder, FIFO or device
inline constexpr int pathNotFound = 76;
inline constexpr int timedOut = 286; // not loaded within the time limit
inline constexpr int notAPicture = 481;
} // namespace PictureError

struct PictureLoad
{
    QImage picture;      // null for an empty path and for every failure
    int errorNumber = 0; // 0 on success
    bool succeeded() const { return errorNumber == 0; }
};

// An empty path gives an empty picture. Trailing spaces are not part of the file name. With a
// valid size the picture comes stretched to it, decoded at that size where the format allows.
PictureLoad loadPicture(const QString &path, QSize size = {});

// The same on a thread of its own, waited for at most the limit: a file whose reading blocks
// (a hung network folder, a file another program holds) fails with PictureError::timedOut, and
// its load is left behind to end on its own.
PictureLoad loadPictureWithin(const QString &path, QSize size,
                              std::chrono::milliseconds limit = std::chrono::seconds(5));
