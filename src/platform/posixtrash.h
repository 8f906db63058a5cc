// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's trash on Linux, by the freedesktop.org layout, through POSIX
// calls on the exact bytes of every name (Qt's own move to the trash
// re-encodes names and loses those that are not UTF-8).
#pragma once

#include "platform/trash.h"

#include <QByteArray>

namespace nv {

class PosixTrash : public Trash {
public:
    // The user's home trash: $XDG_DATA_HOME/Trash (~/.local/share/Trash).
    PosixTrash();
    // Another home trash, so that tests never touch the user's.
    explicit PosixTrash(const QString &homeTrash);

    FsResult<TrashEntry> reserveTrashEntry(const QString &path) override;
    FsResult<TrashEntry> reserveNameBeside(const QString &path) override;
    FsStatus moveToTrash(const QString &path, const TrashEntry &entry) override;
    FsStatus releaseTrashEntry(const TrashEntry &entry) override;
    FsStatus restoreFromTrash(const TrashEntry &entry, const QString &path) override;
    FsResult<std::optional<FileVersion>> trashedFile(const TrashEntry &entry) override;

private:
    // The trash for a file in folder, made where it is missing, ending in "/",
    // and whether the original path is written relative to topFolder.
    struct Choice {
        QByteArray trash;
        QByteArray topFolder;   // empty: the home trash, paths written in full
    };
    FsResult<Choice> chooseTrash(const QByteArray &folder) const;

    QByteArray m_homeTrash;   // without a "/" at the end
};

}  // namespace nv
