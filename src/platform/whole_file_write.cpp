#include "platform/whole_file_write.h"

bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *reason,
                    InPlaceFallback fallback)
{
    WholeFileWriter file(path, fallback);
    const bool written = file.open() && file.write(bytes) && file.commit();
    if (!written && reason)
        *reason = file.errorString();
    return written;
}
