#include "platform/file_identity.h"

#include <QFile>
#include <QString>

#include <sys/stat.h>

bool isFileNamed(QFile &file, const QString &name)
{
    struct stat open = {};
    struct stat named = {};
    return ::fstat(file.handle(), &open) == 0
           && ::stat(QFile::encodeName(name).constData(), &named) == 0
           && open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}
