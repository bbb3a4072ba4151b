#include "platform/ordinary_file.h"

#include <QFile>

#include "platform/file_kind.h"

OrdinaryOpen openOrdinaryFile(QFile &file, QIODevice::OpenMode mode)
{
    // Opening a device name does not block on Windows; what was opened is checked by name.
    if (isSpecialFile(file.fileName()))
        return OrdinaryOpen::NotOrdinary;
    return file.open(mode) ? OrdinaryOpen::Opened : OrdinaryOpen::Failed;
}
