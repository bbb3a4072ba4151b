#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>

QString besideProgram(const QString &folder)
{
    if (!QDir::isRelativePath(folder))
        return folder;
    return QDir(QCoreApplication::applicationDirPath()).filePath(folder);
}
