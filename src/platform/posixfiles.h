// SPDX-License-Identifier: GPL-3.0-or-later
// Pieces the POSIX roles share: descriptors that close themselves, a file's
// version as the system states it, the temporary files that copies and text
// files are written through, and the rename that never replaces. Paths here
// are native bytes.
#pragma once

#include "platform/batchfiles.h"

#include <QByteArray>

#include <cerrno>
#include <sys/stat.h>

namespace nv::posix {

inline FsStatus lastError() { return FsStatus::fromErrno(errno); }

qint64 nanoseconds(const struct timespec &time);
FileIdentity identityOf(const struct stat &info);
// The version that a stat() of the file describes; coarseTimes as the caller found out.
FileVersion versionOf(const struct stat &info, bool coarseTimes = false);

// Closes a descriptor on every way out.
struct Descriptor {
    int fd = -1;
    explicit Descriptor(int value) : fd(value) {}
    ~Descriptor();
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
};

// The folder part of a path, ending in "/".
QByteArray folderOf(const QByteArray &path);
// Makes a folder and each missing folder above it, each for its owner alone
// (they hold the user's settings, journals, trash); an existing folder is
// success. 0 or the errno.
int makeFolders(const QByteArray &path);
// Reads every byte of a file. 0 or the errno.
int readWholeFile(const QByteArray &path, QByteArray &bytes);
// Writes every byte to a descriptor, however many writes it takes. 0 or the errno.
int writeAll(int fd, const QByteArray &bytes);

// Temporary copies are named ".norvanta2-" and six letters or digits; a file
// set aside to break a cycle of renames is ".norvanta2-kept-" and six. Only
// the first kind is ever removed without the user.
constexpr char kTemporaryPrefix[] = ".norvanta2-";
constexpr char kKeptPrefix[] = ".norvanta2-kept-";
constexpr int kRandomLength = 6;
bool isTemporaryName(const char *name);
// folder + prefix + six random letters or digits.
QByteArray randomName(const QByteArray &folder, const char *prefix);

// A new temporary file in a folder, removed again on every way out unless it
// took its target's name. Where the file system offers it (ext4, xfs, btrfs,
// tmpfs) the file has no name until it lands: a killed run cannot leave it
// behind, and landing is one link that never replaces instead of a create and
// a rename. Elsewhere (FAT, FUSE), or when a name is asked for, it is a hidden
// file of the temporary pattern, locked (flock) while it is open so that
// removeStaleTemporaries of another run leaves it alone. The file is created
// with mode, less the umask, as the kernel applies it.
class TemporaryFile {
public:
    enum class Naming { WhereNeeded, Always };
    explicit TemporaryFile(const QByteArray &folder, Naming naming = Naming::WhereNeeded, mode_t mode = 0600);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    int fd() const { return m_fd; }
    // Empty while the file has no name.
    const QByteArray &path() const { return m_path; }

    // Closes the file (a failing close can be the first sign of a full disk)
    // and gives it the target's name.
    FsStatus land(const QByteArray &target, BatchFiles::Landing landing);

private:
    FsStatus landUnnamed(const QByteArray &target, BatchFiles::Landing landing);

    QByteArray m_path;
    int m_fd = -1;
    bool m_exists = false;
};

// rename() that fails with EEXIST instead of replacing: renameat2 with
// RENAME_NOREPLACE; where the file system lacks the flag (FUSE), a hard link
// and an unlink; where it has no hard links either (FAT), a look right before
// a plain rename. 0 or the errno.
int renameWithoutReplacing(const char *from, const char *to);

}  // namespace nv::posix
