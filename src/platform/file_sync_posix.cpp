#include "platform/file_sync.h"

#include <QFile>

#include <unistd.h>

bool syncToDisk(QFile &file)
{
    return file.flush() && ::fsync(file.handle()) == 0;
}
