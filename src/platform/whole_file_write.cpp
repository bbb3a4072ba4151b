#include "platform/whole_file_write.h"

#include <QFile>
#include <QSaveFile>

#include "platform/file_kind.h"
#include "platform/file_space.h"
#include "platform/file_sync.h"
#include "platform/ordinary_file.h"

using namespace Qt::StringLiterals;

namespace {

bool failWith(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}

// Rewrites the file through one descriptor, opened without blocking: room for the new bytes is
// taken first and a failed write puts the old ones back, so the file never comes out short.
bool rewriteInPlace(const QString &path, const QByteArray &bytes, QString *reason)
{
    QFile file(path);
    const OrdinaryOpen opened = openOrdinaryFile(
        file, QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered);
    if (opened != OrdinaryOpen::Opened)
        return failWith(reason, opened == OrdinaryOpen::NotOrdinary ? u"not an ordinary file"_s
                                                                    : file.errorString());
    const qint64 oldSize = file.size();
    const QByteArray oldBytes = file.read(bytes.size());
    if (reserveFileSpace(file, 0, bytes.size()) && file.seek(0)
        && file.write(bytes) == bytes.size() && syncToDisk(file)) {
        // Only now is the old tail let go.
        if (file.resize(bytes.size()) && syncToDisk(file))
            return true;
        return failWith(reason, file.errorString());
    }
    const QString why = file.errorString();
    if (file.seek(0))
        file.write(oldBytes);
    if (file.size() > oldSize)
        file.resize(oldSize);
    syncToDisk(file);
    return failWith(reason, why);
}

} // namespace

bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *reason,
                    InPlaceFallback fallback)
{
    if (isSpecialFile(path))
        return failWith(reason, u"not an ordinary file"_s);
    QSaveFile file(path);
    // Qt's own fallback would open the name blocking and empty the file before writing it.
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a full disk fails the write itself: Qt 6.4's commit() does not report
    // a failed flush of its buffer and renames the short file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // A folder that takes no new file leaves only the file itself to write.
        if (fallback == InPlaceFallback::Yes && QFile::exists(path))
            return rewriteInPlace(path, bytes, reason);
        return failWith(reason, file.errorString());
    }
    if (file.write(bytes) != bytes.size() || !syncToDisk(file)) {
        const QString why = file.errorString();
        file.cancelWriting();
        file.commit();
        return failWith(reason, why);
    }
    if (!file.commit())
        return failWith(reason, file.errorString());
    syncFolderOf(path);
    return true;
}
