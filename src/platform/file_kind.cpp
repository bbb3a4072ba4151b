#include "platform/file_kind.h"

#include <QFileInfo>
#include <QString>

bool isMissingOrOrdinaryFile(const QString &name)
{
    const QFileInfo info(name);
    // exists() and isFile() both look through links.
    return !info.exists() || info.isFile();
}
