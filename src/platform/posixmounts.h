// SPDX-License-Identifier: GPL-3.0-or-later
// The mounts of the system as /proc/self/mountinfo lists them, and what the
// kind of a file system says about its names and inode numbers. The trash and
// the volume facts both start from the mount that holds a folder. Paths here
// are native bytes.
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

namespace nv::posix {

struct Mount {
    quint64 id = 0;            // the mount's number, as statx gives it
    quint64 device = 0;        // the device number the mount reports (st_dev of its files)
    QByteArray mountPoint;     // without a "/" at the end, "/" for the root
    QByteArray type;           // ext4, vfat, tmpfs, fuse.fusefat, fuseblk ...
    QByteArray source;         // /dev/sda1, tmpfs, the FUSE program's name ...
};

// The mount that holds a path: the one whose number statx gives for it, so a
// bind mount counts as a mount of its own (a rename cannot cross it); where
// the system does not give that number, the mount with the longest mount
// point that the path's real location starts with. None when the path cannot
// be looked at.
std::optional<Mount> mountOf(const QByteArray &path, int &error);

// FAT, exFAT and NTFS as the kernel serves them, and anything through FUSE
// (which serves them as often), told by the magic number statfs gives.
bool isWindowsFileSystem(long fileSystemMagic);
bool isFuse(long fileSystemMagic);
// File systems that give one file another inode number from one look to the
// next, or after the volume was mounted again (FAT, exFAT, NTFS, anything
// through FUSE): a file is told by its name, size and time there.
bool keepsStableInodes(long fileSystemMagic);
// File systems that find a name in any letter case, told by their kind alone,
// so that a write-protected card can be asked: FAT, exFAT, NTFS, HFS+, SMB
// shares, and FUSE serving FAT, exFAT or NTFS. Counted as folding where unsure
// (NTFS mounts may be either): a rule that treats two spellings as one name
// refuses a batch at worst, the other way round a file could be lost.
bool foldsLetterCase(long fileSystemMagic, const QByteArray &mountType);

}  // namespace nv::posix
