// SPDX-License-Identifier: GPL-3.0-or-later
// The files of a batch: what the copy loop and the digit alignment ask of
// names, and the copies, second names, renames and deletions they make.
#pragma once

#include "platform/fileversion.h"
#include "platform/fsstatus.h"
#include "platform/paths.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

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
    // The same for many names of one folder at once, in their order: a
    // batch of thousands asks before it starts.
    virtual std::vector<FsResult<NameState>> nameStates(const QString &folder, const QStringList &names)
    {
        std::vector<FsResult<NameState>> states;
        states.reserve(size_t(names.size()));
        for (const QString &name : names) states.push_back(nameState(folder + name));
        return states;
    }
    virtual std::vector<FsResult<FileVersion>> fileVersions(const QString &folder, const QStringList &names)
    {
        std::vector<FsResult<FileVersion>> versions;
        versions.reserve(size_t(names.size()));
        for (const QString &name : names) versions.push_back(fileVersion(folder + name));
        return versions;
    }
    // When a copy's bytes must be on the volume.
    enum class Durability {
        Cached,               // whenever the system writes them: a plain copy
        FlushFollows,         // by the flush of its copies the batch makes later: the disk starts on them now
        BeforeNaming,         // before the copy takes its name: it replaces the only other copy
    };
    // Asked between chunks of a copy of a few MiB each: false gives the copy up.
    using KeepCopying = std::function<bool()>;

    // A copy written but not named yet: the first half of copyFile done.
    class WrittenCopy {
    public:
        virtual ~WrittenCopy() = default;   // dropped unnamed, it leaves nothing behind
        // The version of the source that was copied.
        virtual FileVersion source() const = 0;
        // Names the copy target (the path it was written for). Fails with
        // Changed when the source changed since it was copied.
        virtual FsStatus land(const QString &target, Landing landing) = 0;
    };
    // Copies a plain file's bytes, permissions and times for target. The bytes
    // go to a temporary file in the target's folder, locked while it is
    // written, which is removed on every failure and when the copy is dropped,
    // so no half-written target or stray file is ever left. Fails with
    // NotPlainFile for anything but a plain file (never waiting on a pipe), and
    // with Changed when the source changed while it was read. Where keepGoing
    // answers false the copy stops and fails with Stopped, its temporary
    // removed. May be called from any thread, keepGoing being asked on it.
    virtual FsResult<std::unique_ptr<WrittenCopy>> writeCopy(const QString &source, const QString &target,
                                                             Durability durability,
                                                             const KeepCopying &keepGoing = {}) = 0;
    // writeCopy, then land: gives the version of the source that was copied.
    FsResult<FileVersion> copyFile(const QString &source, const QString &target, Landing landing,
                                   Durability durability, const KeepCopying &keepGoing = {})
    {
        return land(writeCopy(source, target, durability, keepGoing), target, landing);
    }
    // Lands what writeCopy gave, if it gave a copy.
    static FsResult<FileVersion> land(const FsResult<std::unique_ptr<WrittenCopy>> &written, const QString &target,
                                      Landing landing)
    {
        if (!written.ok()) return {{}, written.status};
        const FsStatus landed = written.value->land(target, landing);
        if (!landed.ok()) return {{}, landed};
        return {written.value->source(), FsStatus::success()};
    }
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
    // Writes the named files of a folder, and the folder itself, to the
    // volume, waiting for nothing else written there: a move deletes sources
    // only once their copies are on the volume.
    virtual FsStatus flushCopies(const QString &folder, const QStringList &names) = 0;
    // Gives the owner read and write permission, the nearest thing to clearing
    // the read-only, hidden, system and archive flags.
    virtual FsStatus setAttributesNormal(const QString &path) = 0;
    virtual FsStatus deleteFile(const QString &path) = 0;
};

}  // namespace nv
