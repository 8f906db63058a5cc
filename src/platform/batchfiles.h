// SPDX-License-Identifier: GPL-3.0-or-later
// The files of a batch: what the copy loop and the digit alignment ask of
// names, and the copies, second names, renames and deletions they make.
#pragma once

#include "platform/fileversion.h"
#include "platform/fsstatus.h"
#include "platform/paths.h"

#include <functional>

namespace nv {

class BatchFiles {
public:
    virtual ~BatchFiles() = default;

    enum class NameKind { Free, File, Other };
    // What a name in a folder leads to. Hidden names count; a link counts as
    // what it leads to; a folder, a dangling link or a device is Other.
    struct NameState {
        NameKind kind = NameKind::Free;
        FileIdentity identity;   // of the file, for File
    };
    struct FolderProbe {
        bool foldsLetterCase = false;    // the folder finds a name spelled in another letter case
        bool sameAsOther = false;        // the other folder is this very folder
        int maxNameLength = 255;         // the longest name the folder takes ...
        bool nameLengthInUtf16 = false;  // ... counted in UTF-16 units (FAT, exFAT, NTFS), else in bytes
    };
    // How a new file takes its name: never over an existing one (Exists when
    // the name is taken), or over whatever file holds it.
    enum class Landing { WithoutReplacing, Replacing };

    virtual FsResult<NameState> nameState(const QString &path) = 0;
    // The version of the file a path leads to (links followed).
    virtual FsResult<FileVersion> fileVersion(const QString &path) = 0;
    // Asked between chunks of a copy of a few MiB each: false gives the copy up.
    using KeepCopying = std::function<bool()>;

    // Copies a plain file's bytes, permissions and times to target. The bytes
    // go to a temporary file in the target's folder, locked while it is
    // written, which is removed on every failure, so no half-written target or
    // stray file is ever left. Fails with NotPlainFile for anything but a plain
    // file (never waiting on a pipe), and with Changed when the source changed
    // while it was read. With durable, the copy is on the volume before it
    // takes its name. Where keepGoing answers false the copy stops and fails
    // with Stopped, its temporary removed. Gives the version of the source that was copied.
    virtual FsResult<FileVersion> copyFile(const QString &source, const QString &target, Landing landing,
                                           bool durable, const KeepCopying &keepGoing = {}) = 0;
    // Gives a plain file (not a link) a second name, target, on the same file
    // system: no byte is copied. CannotLink when that is not possible here (no
    // hard links, another file system, too many links, not a plain file).
    // Gives the version of the linked file.
    virtual FsResult<FileVersion> linkFile(const QString &source, const QString &target, Landing landing) = 0;
    // Renames within one file system, never replacing: Exists when the new
    // name is taken, also where the system has no such rename of its own.
    virtual FsStatus renameWithoutReplacing(const QString &from, const QString &to) = 0;
    virtual FsStatus renameReplacing(const QString &from, const QString &to) = 0;
    // A hidden name in the folder of path, free now, that marks a file as kept
    // (never removed by removeStaleTemporaries): chosen when a batch is
    // planned, so that its journal names it before the file is set aside.
    virtual QString keptNameFor(const QString &path) = 0;
    // Renames a file to its kept name, never replacing. A rename may report
    // a failure although it happened: the caller looks at keptPath.
    virtual FsStatus setAside(const QString &path, const QString &keptPath) = 0;
    // Removes the temporary copies that a run killed part way left in a folder,
    // except those a running copy still holds. Failures pass in silence: the
    // files are hidden and harmless.
    virtual void removeStaleTemporaries(const QString &folder) = 0;
    // Finds out how a folder resolves names by creating a hidden probe file in
    // it, looking it up in another letter case and through the other folder,
    // and removing it again. Fails when no file can be created there.
    virtual FsResult<FolderProbe> probeFolder(const QString &folder, const QString &otherFolder) = 0;
    // Writes everything the system still holds in memory for the volume of a
    // folder to the volume, so a move deletes sources only once their copies
    // have landed.
    virtual FsStatus flushVolume(const QString &folder) = 0;
    // Gives the owner read and write permission, the nearest thing to clearing
    // the read-only, hidden, system and archive flags.
    virtual FsStatus setAttributesNormal(const QString &path) = 0;
    virtual FsStatus deleteFile(const QString &path) = 0;
};

}  // namespace nv
