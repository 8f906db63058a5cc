// SPDX-License-Identifier: GPL-3.0-or-later
// One version of a file, told from another without reading it: the folder
// listings keep it to know which capture times they have read, the copy loop
// to know that a source is still the file it copied.
#pragma once

#include <QtGlobal>

namespace nv {

// Two names of one file (hard links, links, the same folder reached twice)
// have equal identities. Not on every file system: FAT through FUSE gives
// DSC001.JPG and DSC001.jpg, one file, two inode numbers.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};

struct FileVersion {
    FileIdentity identity;
    qint64 size = 0;
    qint64 modifiedNs = 0;      // nanoseconds since the epoch
    // Tools that rewrite a photo's metadata can set its modification time
    // back, and the size may stay the same; the change time they cannot set.
    qint64 changedNs = 0;
    bool coarseTimes = false;   // its volume keeps times to 2 s only (FAT, exFAT, NTFS, FUSE)
};

// Whether nothing about a file changed between two looks at it: size,
// modification and change time to the nanosecond. The identity is left out:
// FUSE may number one file differently from one look to the next.
bool isUnchanged(const FileVersion &now, const FileVersion &then);

// How a file looked up by its name is told from another: by its identity, or
// where a volume gives one file several identities (FAT and exFAT through
// FUSE, one for each spelling of its name) by the name alone with its size and
// time.
enum class Recognition { ByIdentity, ByNameSizeAndTime };

// Whether a file still is the version seen earlier: the same file, and for a
// copied file also the same size and modification time (to 2 s where the
// volume keeps no finer times). A file given a second name shares its bytes
// with that name, so for it the identity alone decides where it can.
bool isSameVersion(const FileVersion &now, const FileVersion &then, bool sharesBytes,
                   Recognition recognition = Recognition::ByIdentity);

}  // namespace nv
