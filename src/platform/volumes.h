// SPDX-License-Identifier: GPL-3.0-or-later
// The mounted volumes that the drive lists offer, the folder each of them
// last had open in this run, and what a batch's journal records of a volume.
#pragma once

#include "platform/fsstatus.h"
#include "platform/paths.h"

#include <vector>

namespace nv {

struct Volume {
    QString root;    // mount point, ending in "/"
    QString label;   // may be empty

    QString entryText() const { return label.isEmpty() ? root : root + QLatin1Char(' ') + label; }
};

// What a batch's journal needs to know of the volume that holds a folder, to
// find its files again after a crash or at an undo, and what a rule needs to
// know of its names.
struct VolumeFacts {
    QString mountRoot;        // where the volume is mounted, ending in "/"
    QString uuid;             // the file system's UUID; empty where it has none (tmpfs, FUSE, ...)
    QString type;             // ext4, vfat, fuse.fusefat, fuseblk ...
    // Whether a file keeps its inode number from one look to the next and
    // after the volume is mounted again; where not (FAT, exFAT, NTFS, any
    // FUSE), a file is told by its name, size and modification time.
    bool stableInodes = true;
    // Whether the folder finds a name in any letter case: told from the kind
    // of file system (and a folder's case-folding flag on ext4), never by
    // creating a file, so that a write-protected card can be asked.
    bool foldsLetterCase = false;
};

class Volumes {
public:
    virtual ~Volumes() = default;

    virtual std::vector<Volume> volumes() = 0;
    // The root of the listed volume that holds the path (longest matching root).
    QString volumeOf(const QString &path);
    // The folder last made current on a volume in this run; its root at first.
    virtual QString currentFolderOf(const QString &volumeRoot) = 0;
    // Makes a folder the current folder of its volume.
    virtual void setCurrentFolder(const QString &folder) = 0;
    // The facts of the volume that holds a folder.
    virtual FsResult<VolumeFacts> volumeFacts(const QString &folder) = 0;
};

}  // namespace nv
