// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posixplatform.h"

#include <QSet>
#include <QStorageInfo>

#include <algorithm>

namespace nv {
namespace {

const QSet<QString> &pseudoFileSystems()
{
    static const QSet<QString> types{
        "proc", "sysfs", "devtmpfs", "devpts", "tmpfs", "cgroup", "cgroup2", "securityfs",
        "pstore", "bpf", "tracefs", "debugfs", "configfs", "fusectl", "mqueue", "hugetlbfs",
        "autofs", "binfmt_misc", "efivarfs", "ramfs", "nsfs", "rpc_pipefs", "squashfs",
        "overlay", "nfsd", "selinuxfs", "fuse.portal", "fuse.gvfsd-fuse"};
    return types;
}

}  // namespace

std::vector<Volume> PosixVolumes::volumes()
{
    std::vector<Volume> result{{kRootFolder, QString()}};
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        const QString root = withTrailingSlash(storage.rootPath());
        if (root == kRootFolder) continue;
        if (pseudoFileSystems().contains(QString::fromLatin1(storage.fileSystemType()))) continue;
        if (root.startsWith(QLatin1String("/proc/")) || root.startsWith(QLatin1String("/sys/"))
            || root.startsWith(QLatin1String("/dev/")) || root.startsWith(QLatin1String("/run/user/"))
            || root.startsWith(QLatin1String("/snap/")) || root.startsWith(QLatin1String("/boot")))
            continue;
        const bool duplicate = std::any_of(result.begin(), result.end(),
                                           [&](const Volume &known) { return known.root == root; });
        if (!duplicate) result.push_back({root, storage.name()});
    }
    return result;
}

QString PosixVolumes::currentFolderOf(const QString &volumeRoot)
{
    return m_currentFolders.value(volumeRoot, volumeRoot);
}

void PosixVolumes::setCurrentFolder(const QString &folder)
{
    m_currentFolders.insert(volumeOf(folder), withTrailingSlash(folder));
}

}  // namespace nv
