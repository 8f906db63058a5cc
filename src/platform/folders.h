// SPDX-License-Identifier: GPL-3.0-or-later
// Folders as the panes and the start-up see them: their plain files and
// subfolders, whether a folder opens or a file is there, and the regional
// text of a file's time.
#pragma once

#include "platform/fileversion.h"
#include "platform/fsstatus.h"
#include "platform/paths.h"

#include <QStringList>

#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace nv {

// One plain file of a folder listing.
struct FileEntry {
    static constexpr qint64 kNotRead = std::numeric_limits<qint64>::min();
    QString name;                         // name with extension, no folder
    qint64 modified = kNotRead;           // seconds since the epoch; kNotRead when times were not asked for
    // None when times were not asked for. Kept aside: a list of a hundred
    // thousand rows in report view holds no versions.
    std::shared_ptr<const FileVersion> version;
};

class Folders {
public:
    virtual ~Folders() = default;

    // Plain files of a folder (regular files and links to them; names starting
    // with "." are hidden and left out), in name order (text/nameorder.h). With
    // withTimes false no time stamp is read at all.
    virtual FsResult<std::vector<FileEntry>> listPlainFiles(const QString &folder, bool withTimes) = 0;
    // Subfolders of a folder (links to folders included, hidden ones left out),
    // names only, in name order.
    virtual FsResult<QStringList> listSubfolders(const QString &folder) = 0;
    // Whether a folder can be opened and read.
    virtual FsStatus checkFolder(const QString &folder) = 0;
    // Creates a folder and every missing folder above it, each for the owner
    // alone (settings name the user's folders); an existing folder is success.
    virtual FsStatus makeFolder(const QString &folder) = 0;
    // Where the panes open at a first start and after a fallback: the user's
    // pictures folder, else the home folder, else the root, whichever first
    // can be opened; ends in "/".
    virtual QString startFolder() = 0;
    // True only for a plain file that is not hidden.
    virtual bool fileExists(const QString &path) = 0;
    // The modification time of what a path leads to, in seconds since the
    // epoch; none where it cannot be read.
    virtual std::optional<qint64> modifiedTime(const QString &path) = 0;
    // Regional short date, a blank, the time as H:mm:ss without a time zone
    // (2023/11/15 7:13:20 in Japan); exactly midnight shows the date alone.
    virtual QString dateTimeText(qint64 secondsSinceEpoch) = 0;
};

}  // namespace nv
