// SPDX-License-Identifier: GPL-3.0-or-later
// Where a file that the user agreed to replace goes instead of being
// destroyed: the desktop's trash (the freedesktop.org layout, so the file
// manager shows the file and can put it back), or, on a volume whose trash
// cannot be used, a visible name beside the file. The place is reserved when
// the batch is planned, so its journal can name it before any file is touched.
#pragma once

#include "platform/fileversion.h"
#include "platform/fsstatus.h"
#include "platform/paths.h"

#include <optional>

namespace nv {

struct TrashEntry {
    // In a trash: the trash folder (holding files/ and info/), ending in "/",
    // and the entry's name in files/. Beside the file: the file's folder and
    // the visible name chosen there.
    QString folder;
    QString name;
    bool inTrash = true;

    // Where the file lies once it was moved there.
    QString filePath() const
    {
        return inTrash ? folder + QStringLiteral("files/") + name : joinPath(folder, name);
    }
};

class Trash {
public:
    virtual ~Trash() = default;

    // Reserves an entry for the file at path in the trash of its volume: the
    // home trash for a file on the same mount as it, else the trash at the
    // top of the file's volume, each made where it is missing. The entry's
    // name is the file's own, or with " 2", " 3" ... before its extension,
    // free in the trash; its .trashinfo (the original path and the time now)
    // is created exclusively, so no two reservations share an entry. Fails
    // where the volume has no trash that can be used (read-only, no
    // permission, a trash folder that is a link or another user's): the
    // caller then reserves a name beside the file. The .trashinfo is not
    // synced: flushing the entry's volume makes the reservations durable.
    virtual FsResult<TrashEntry> reserveTrashEntry(const QString &path) = 0;
    // A visible name beside the file, "<stem> (置換前 N).<ext>" (no dot
    // without an extension), with the first N from 1 whose name is free now.
    // Nothing is created: a journal records the name.
    virtual FsResult<TrashEntry> reserveNameBeside(const QString &path) = 0;
    // Moves the file at path into its entry: a rename within its file system
    // that never replaces (Exists when the entry already holds a file).
    virtual FsStatus moveToTrash(const QString &path, const TrashEntry &entry) = 0;
    // Gives up an entry that holds no file: its .trashinfo goes. Exists when
    // the entry holds a file, which stays in the trash.
    virtual FsStatus releaseTrashEntry(const TrashEntry &entry) = 0;
    // Moves the file of an entry back to path, never replacing (Exists when
    // the name is taken), and removes its .trashinfo.
    virtual FsStatus restoreFromTrash(const TrashEntry &entry, const QString &path) = 0;
    // The version of the file that an entry holds (a link as itself), or none
    // when it holds no file.
    virtual FsResult<std::optional<FileVersion>> trashedFile(const TrashEntry &entry) = 0;
};

}  // namespace nv
