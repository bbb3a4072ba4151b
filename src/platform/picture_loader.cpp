#include "platform/picture_loader.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

// Loads left behind still hold a thread and an open file each; past this many, a new load
// fails at once rather than adding another.
constexpr int mostLoadsRunning = 8;

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

// stillWanted is asked once the file is open, since opening is what blocks on a held file.
PictureLoad load(const QString &storedPath, QSize size, const std::function<bool()> &stillWanted)
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
    if (!stillWanted())
        return failure(PictureError::timedOut);
    // The reader's allocation limit refuses headers that claim more pixels than any photograph.
    QImageReader reader(&file);
    reader.setAllocationLimit(512);
    // A JPEG decodes straight at a fraction of its size; other formats are scaled after.
    if (!size.isEmpty())
        reader.setScaledSize(size);
    QImage picture = reader.read();
    if (picture.isNull())
        return failure(PictureError::notAPicture);
    return PictureLoad{std::move(picture), 0};
}

// What a waiting window and its load share; whichever ends last frees it.
struct PendingLoad
{
    std::mutex mutex;
    std::condition_variable finished;
    std::optional<PictureLoad> result;
    bool abandoned = false;
};

std::atomic<int> &loadsRunning()
{
    static std::atomic<int> count{0};
    return count;
}

} // namespace

PictureLoad loadPicture(const QString &path, QSize size)
{
    return load(path, size, [] { return true; });
}

PictureLoad loadPictureWithin(const QString &path, QSize size, std::chrono::milliseconds limit)
{
    if (withoutTrailingSpaces(path).isEmpty())
        return {};
    if (loadsRunning().fetch_add(1) >= mostLoadsRunning) {
        loadsRunning().fetch_sub(1);
        return failure(PictureError::timedOut);
    }
    auto pending = std::make_shared<PendingLoad>();
    // A detached thread: the program may end while one is still blocked in the system.
    try {
        std::thread([pending, path, size] {
            PictureLoad result = load(path, size, [&] {
                const std::lock_guard lock(pending->mutex);
                return !pending->abandoned;
            });
            {
                const std::lock_guard lock(pending->mutex);
                pending->result = std::move(result);
            }
            pending->finished.notify_one();
            loadsRunning().fetch_sub(1);
        }).detach();
    } catch (const std::system_error &) {
        loadsRunning().fetch_sub(1);
        return failure(PictureError::timedOut);
    }
    std::unique_lock lock(pending->mutex);
    if (!pending->finished.wait_for(lock, limit, [&] { return pending->result.has_value(); })) {
        pending->abandoned = true;
        return failure(PictureError::timedOut);
    }
    return std::move(*pending->result);
}
