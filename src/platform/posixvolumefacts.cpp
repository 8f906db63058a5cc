// SPDX-License-Identifier: GPL-3.0-or-later
// What a batch's journal records of a volume: where it is mounted, its UUID,
// and whether its inode numbers and letter case can be relied on.
#include "platform/nativepath.h"
#include "platform/posixfiles.h"
#include "platform/posixmounts.h"
#include "platform/posixplatform.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace nv {
namespace {

// udev names a link in /dev/disk/by-uuid/ after each file system's UUID and
// points it at the file system's device. A mount reports that device as its
// own number, or (btrfs and the like) names it as its source.
QString uuidOf(const posix::Mount &mount)
{
    struct stat source {};
    const bool sourceIsDevice = ::stat(mount.source.constData(), &source) == 0 && S_ISBLK(source.st_mode);
    DIR *dir = ::opendir("/dev/disk/by-uuid");
    if (!dir) return QString();
    QString uuid;
    while (const dirent *entry = ::readdir(dir)) {
        struct stat device {};
        if (::fstatat(::dirfd(dir), entry->d_name, &device, 0) != 0 || !S_ISBLK(device.st_mode)) continue;
        if (device.st_rdev == mount.device || (sourceIsDevice && device.st_rdev == source.st_rdev)) {
            uuid = QString::fromLatin1(entry->d_name);
            break;
        }
    }
    ::closedir(dir);
    return uuid;
}

// ext4 and f2fs can fold letter case in single folders of a volume made for it.
bool folderFoldsLetterCase(int folder)
{
    int flags = 0;
    return ::ioctl(folder, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL) != 0;
}

}  // namespace

FsResult<VolumeFacts> PosixVolumes::volumeFacts(const QString &folder)
{
    FsResult<VolumeFacts> result;
    const QByteArray path = toNativeName(folder);
    const posix::Descriptor opened(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct statfs volume {};
    if (opened.fd < 0 || ::fstatfs(opened.fd, &volume) != 0) {
        result.status = posix::lastError();
        return result;
    }
    int error = 0;
    const std::optional<posix::Mount> mount = posix::mountOf(path, error);
    if (!mount) {
        result.status = FsStatus::fromErrno(error);
        return result;
    }
    const long type = long(volume.f_type);
    result.value.mountRoot = withTrailingSlash(fromNativeName(mount->mountPoint));
    result.value.uuid = uuidOf(*mount);
    result.value.type = fromNativeName(mount->type);
    result.value.stableInodes = posix::keepsStableInodes(type);
    result.value.foldsLetterCase = posix::foldsLetterCase(type, mount->type) || folderFoldsLetterCase(opened.fd);
    return result;
}

}  // namespace nv
