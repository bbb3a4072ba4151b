#include "platform/file_space.h"

#include <QFile>

bool reserveFileSpace(QFile &file, qint64 offset, qint64 length)
{
    // Files here have no holes: lengthening one takes its whole new stretch from the disk.
    const qint64 end = offset + length;
    return file.size() >= end || file.resize(end);
}
