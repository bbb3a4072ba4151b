#include "platform/whole_file_write.h"

#include <QSaveFile>

#include "platform/file_kind.h"
#include "platform/file_sync.h"

using namespace Qt::StringLiterals;

bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *reason,
                    InPlaceFallback fallback)
{
    const auto fail = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return false;
    };
    if (isSpecialFile(path))
        return fail(u"not an ordinary file"_s);
    QSaveFile file(path);
    file.setDirectWriteFallback(fallback == InPlaceFallback::Yes);
    // Unbuffered, so that a full disk fails the write itself: Qt 6.4's commit() does not report
    // a failed flush of its buffer and renames the short file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size() || !syncToDisk(file)) {
        const QString why = file.errorString();
        file.cancelWriting();
        file.commit();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    syncFolderOf(path);
    return true;
}
