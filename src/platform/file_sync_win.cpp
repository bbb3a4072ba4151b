#include "platform/file_sync.h"

#include <QFile>

#include <io.h>

bool syncToDisk(QFile &file)
{
    return file.flush() && ::_commit(file.handle()) == 0;
}
