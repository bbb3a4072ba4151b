#include "platform/picture_loader.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {

QString withoutTrailingSpaces(const QString &path)
{
    qsizetype end = path.size();
    while (end > 0 && path.at(end - 1) == u' ')
        --end;
    return path.left(end);
}

PictureLoad failure(int errorNumber)
{
    return PictureLoad{QImage(), errorNumber};
}

} // namespace

PictureLoad loadPicture(const QString &storedPath)
{
    const QString path = withoutTrailingSpaces(storedPath);
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (!info.exists())
        return failure(info.dir().exists() ? PictureError::fileNotFound
                                           : PictureError::pathNotFound);
    // Only regular files are opened: a FIFO or a device would block or never end.
    if (!info.isFile())
        return failure(PictureError::notAFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return failure(file.error() == QFileDevice::PermissionsError || !info.isReadable()
                           ? PictureError::permissionDenied
                           : PictureError::notAPicture);
    }
    if (file.isSequential())
        return failure(PictureError::notAFile);
    // The reader's allocation limit refuses headers that claim more pixels than any photograph.
    QImageReader reader(&file);
    reader.setAllocationLimit(512);
    QImage picture = reader.read();
    if (picture.isNull())
        return failure(PictureError::notAPicture);
    return PictureLoad{std::move(picture), 0};
}
