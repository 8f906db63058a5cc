// SPDX-License-Identifier: GPL-3.0-or-later
// A FAT card as the copy loop meets it, over an ordinary temporary folder:
// every name is found in any letter case, each spelling giving the file
// another inode number (as FUSE drivers do, so inode numbers are not to be
// relied on), a file gets no second name (no hard links), a rename has no
// no-replace flag (a look comes right before a plain rename), a rename that
// changes the letter case only does nothing (as vfat does), and names are
// counted in UTF-16 units. Fails on demand as TestPlatform: each call finds
// its entry first, then passes through the faults.
#pragma once

#include "testplatform.h"

namespace nv {

class FatLikePlatform : public TestPlatform {
public:
    FsResult<NameState> nameState(const QString &path) override;
    FsResult<FileVersion> fileVersion(const QString &path) override;
    FsResult<std::unique_ptr<WrittenCopy>> writeCopy(const QString &source, const QString &target,
                                                     Durability durability,
                                                     const KeepCopying &keepGoing = {}) override;
    FsResult<FileVersion> linkFile(const QString &source, const QString &target, Landing landing) override;
    FsStatus renameWithoutReplacing(const QString &from, const QString &to) override;
    FsStatus renameReplacing(const QString &from, const QString &to) override;
    FsStatus setAside(const QString &path, const QString &keptPath) override;
    FsStatus setAttributesNormal(const QString &path) override;
    FsStatus deleteFile(const QString &path) override;
    FsResult<FolderProbe> probeFolder(const QString &folder, const QString &otherFolder) override;
    FsResult<VolumeFacts> volumeFacts(const QString &folder) override;

private:
    class WrittenCopyOnCard;
    // The path of the entry that the path finds, in whatever letter case it has on disk.
    static QString found(const QString &path);
    static bool taken(const QString &path);
    static FileIdentity spelledIdentity(FileIdentity identity, const QString &path);
};

}  // namespace nv
