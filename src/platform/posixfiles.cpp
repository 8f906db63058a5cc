// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posixfiles.h"

#include <QRandomGenerator>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace nv::posix {

Descriptor::~Descriptor()
{
    if (fd >= 0) ::close(fd);
}

qint64 nanoseconds(const struct timespec &time) { return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec; }

FileIdentity identityOf(const struct stat &info) { return {quint64(info.st_dev), quint64(info.st_ino)}; }

FileVersion versionOf(const struct stat &info, bool coarseTimes)
{
    return {identityOf(info), qint64(info.st_size), nanoseconds(info.st_mtim), nanoseconds(info.st_ctim), coarseTimes};
}

QByteArray folderOf(const QByteArray &path) { return path.left(path.lastIndexOf('/') + 1); }

int makeFolders(const QByteArray &path)
{
    const QByteArray folder = path.endsWith('/') ? path : path + '/';
    // Each folder on the way down, the last one too: every prefix that ends in "/".
    for (qsizetype end = folder.indexOf('/', 1); end >= 0; end = folder.indexOf('/', end + 1)) {
        const QByteArray step = folder.left(end);
        struct stat info {};
        if (::stat(step.constData(), &info) == 0) continue;   // also where we may not write
        if (::mkdir(step.constData(), 0700) != 0 && errno != EEXIST) return errno;
    }
    return 0;
}

int readWholeFile(const QByteArray &path, QByteArray &bytes)
{
    const Descriptor file(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    if (file.fd < 0) return errno;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.fd, buffer, sizeof buffer);
        if (got == 0) return 0;
        if (got > 0) bytes.append(buffer, got);
        else if (errno != EINTR) return errno;
    }
}

int writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t put = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (put >= 0) done += put;
        else if (errno != EINTR) return errno;
    }
    return 0;
}

bool isTemporaryName(const char *name)
{
    const size_t prefixLength = sizeof kTemporaryPrefix - 1;
    if (std::strlen(name) != prefixLength + kRandomLength) return false;
    if (std::strncmp(name, kTemporaryPrefix, prefixLength) != 0) return false;
    for (const char *c = name + prefixLength; *c; ++c) {
        if (!std::isalnum(static_cast<unsigned char>(*c))) return false;
    }
    return true;
}

QByteArray randomName(const QByteArray &folder, const char *prefix)
{
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name = folder + prefix;
    for (int i = 0; i < kRandomLength; ++i)
        name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    return name;
}

namespace {

// An unnamed file is named through its entry in /proc, which a system
// without /proc lacks: such a system writes named temporaries throughout.
bool canNameUnnamedFiles()
{
    static const bool can = ::access("/proc/self/fd", X_OK) == 0;
    return can;
}

// Gives the open unnamed file a name; fails with EEXIST where the name is taken.
bool linkUnnamed(int fd, const QByteArray &to)
{
    // The file itself where the kernel lets us (Linux 6.10 on for a file we
    // opened, or with the capability), sparing a look-up through /proc.
    if (::linkat(fd, "", AT_FDCWD, to.constData(), AT_EMPTY_PATH) == 0) return true;
    if (errno != ENOENT && errno != EPERM && errno != EINVAL) return false;
    char entry[32];
    std::snprintf(entry, sizeof entry, "/proc/self/fd/%d", fd);
    return ::linkat(AT_FDCWD, entry, AT_FDCWD, to.constData(), AT_SYMLINK_FOLLOW) == 0;
}

}  // namespace

TemporaryFile::TemporaryFile(const QByteArray &folder, Naming naming, mode_t mode)
{
    if (naming == Naming::WhereNeeded && canNameUnnamedFiles()) {
        m_fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (m_fd >= 0) return;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_path = randomName(folder, kTemporaryPrefix);
        m_fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_fd >= 0 || errno != EEXIST) break;
    }
    m_exists = m_fd >= 0;
    if (m_fd >= 0) ::flock(m_fd, LOCK_EX);   // a lock nobody else can hold yet: it only marks the file as busy
}

TemporaryFile::~TemporaryFile()
{
    if (m_fd >= 0) ::close(m_fd);
    if (m_exists) ::unlink(m_path.constData());
}

FsStatus TemporaryFile::land(const QByteArray &target, BatchFiles::Landing landing)
{
    if (m_path.isEmpty()) return landUnnamed(target, landing);
    if (::close(std::exchange(m_fd, -1)) != 0) return lastError();
    const int error = landing == BatchFiles::Landing::Replacing
                          ? (::rename(m_path.constData(), target.constData()) == 0 ? 0 : errno)
                          : renameWithoutReplacing(m_path.constData(), target.constData());
    if (error != 0) return FsStatus::fromErrno(error);
    m_exists = false;
    return FsStatus::success();
}

FsStatus TemporaryFile::landUnnamed(const QByteArray &target, BatchFiles::Landing landing)
{
    if (landing == BatchFiles::Landing::WithoutReplacing) {
        if (!linkUnnamed(m_fd, target)) return lastError();
    } else {
        // Replacing: a name of the temporary pattern first, renamed over the target.
        QByteArray named;
        for (int attempt = 0;; ++attempt) {
            named = randomName(folderOf(target), kTemporaryPrefix);
            if (linkUnnamed(m_fd, named)) break;
            if (errno != EEXIST || attempt == 99) return lastError();   // all taken: something else is wrong
        }
        if (::rename(named.constData(), target.constData()) != 0) {
            const FsStatus status = lastError();
            ::unlink(named.constData());
            return status;
        }
    }
    // The file systems that offer unnamed files report write errors at fsync,
    // not at close; a failing close is told all the same.
    return ::close(std::exchange(m_fd, -1)) == 0 ? FsStatus::success() : lastError();
}

namespace {

bool lacksTheCall(int error) { return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP; }
bool lacksHardLinks(int error) { return error == EPERM || error == ENOSYS || error == EOPNOTSUPP || error == EMLINK; }

}  // namespace

int renameWithoutReplacing(const char *from, const char *to)
{
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
    if (!lacksTheCall(errno)) return errno;
    if (::link(from, to) == 0) return ::unlink(from) == 0 ? 0 : errno;
    if (!lacksHardLinks(errno)) return errno;
    struct stat info {};
    if (::lstat(to, &info) == 0) return EEXIST;
    if (errno != ENOENT) return errno;
    return ::rename(from, to) == 0 ? 0 : errno;
}

}  // namespace nv::posix
