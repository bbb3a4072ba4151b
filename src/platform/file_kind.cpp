#include "platform/file_kind.h"

#include <QFileInfo>
#include <QString>

bool isSpecialFile(const QString &name)
{
    // All three look through links.
    const QFileInfo info(name);
    return info.exists() && !info.isFile() && !info.isDir();
}
