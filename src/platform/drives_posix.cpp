#include "platform/drives.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>

#include <dirent.h>

using namespace Qt::StringLiterals;

namespace {

// File systems of the kernel's own, which hold no user files.
bool isPseudo(const QByteArray &type)
{
    static const QSet<QByteArray> pseudo = {
        "proc",      "sysfs",      "cgroup",   "cgroup2",   "devtmpfs", "devpts",
        "mqueue",    "debugfs",    "tracefs",  "securityfs", "pstore",  "bpf",
        "configfs",  "fusectl",    "hugetlbfs", "autofs",   "binfmt_misc", "efivarfs",
        "nsfs",      "rpc_pipefs", "selinuxfs", "ramfs"};
    return pseudo.contains(type);
}

} // namespace

QList<Drive> availableDrives()
{
    QList<Drive> drives;
    QSet<QString> seen;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (!volume.isValid() || isPseudo(volume.fileSystemType()) || seen.contains(root))
            continue;
        seen.insert(root);
        drives.append(Drive{root, root});
    }
    if (!seen.contains(u"/"_s))
        drives.append(Drive{u"/"_s, u"/"_s});
    std::sort(drives.begin(), drives.end(), [](const Drive &a, const Drive &b) {
        return (a.root == u'/') != (b.root == u'/') ? a.root == u'/' : a.root < b.root;
    });
    return drives;
}

QString driveCurrentFolder(const QString &root)
{
    // The listed drives, not QStorageInfo's own lookup: in a chroot or container no entry of the
    // mount table need hold the current folder, and the list always has the root.
    return folderOnDrive(availableDrives(), root, QDir::currentPath());
}

QString withoutRootSeparator(const QString &nativeFolder)
{
    return nativeFolder;
}

int folderReadError(const QString &folder)
{
    DIR *directory = opendir(QFile::encodeName(folder).constData());
    if (directory) {
        closedir(directory);
        return 0;
    }
    switch (errno) {
    case EACCES:
    case EPERM:
        return 70;
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
        return 68;
    default:
        return 71;
    }
}
