#include "platform/library_file_name.h"

#include <QFile>

QByteArray libraryFileName(const QString &path)
{
    return QFile::encodeName(path);
}
