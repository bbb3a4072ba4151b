#include "platform/drives.h"

#include <QDir>

int driveHolding(const QList<Drive> &drives, const QString &folder)
{
    const QString path = QDir::fromNativeSeparators(QDir::cleanPath(folder)) + u'/';
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity sensitivity = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity sensitivity = Qt::CaseSensitive;
#endif
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < drives.size(); ++i) {
        QString root = QDir::fromNativeSeparators(drives[i].root);
        if (!root.endsWith(u'/'))
            root += u'/';
        if (path.startsWith(root, sensitivity) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

QString folderOnDrive(const QList<Drive> &drives, const QString &root, const QString &folder)
{
    const int holding = driveHolding(drives, folder);
    return holding >= 0 && drives[holding].root == root ? folder : root;
}
