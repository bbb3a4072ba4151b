#include "platform/file_existence.h"

#include <QFileInfo>
#include <QString>

bool isOrdinaryFile(const std::u16string &path)
{
    QString local = QString::fromStdU16String(path);
    local.replace(u'\\', u'/');
    if (local.isEmpty())
        return false;
    const QFileInfo info(local);
    // A leading dot is what marks a file hidden here; there is no system mark.
    return info.isFile() && !info.fileName().startsWith(u'.');
}
