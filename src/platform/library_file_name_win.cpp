#include "platform/library_file_name.h"

QByteArray libraryFileName(const QString &path)
{
    return path.toUtf8();
}
