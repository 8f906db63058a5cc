// SPDX-License-Identifier: GPL-3.0-or-later
// The files of a batch on Linux: what the copy loop asks of names, copies that
// land without replacing, hard links, renames, deletions and the temporary files.
#include "platform/posixplatform.h"

#include "platform/nativepath.h"
#include "platform/posixfiles.h"
#include "platform/posixmounts.h"

#include <QCoreApplication>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace nv {

using posix::Descriptor;
using posix::lastError;

namespace {

// Random names that are all taken mean something else is wrong.
constexpr int kNameAttempts = 100;

// FUSE serves FAT, exFAT and NTFS to Linux as often as the kernel does; its
// times are as coarse as the volume's.
bool keepsCoarseTimes(long type) { return posix::isWindowsFileSystem(type) || posix::isFuse(type); }

bool countsNamesInUtf16(const QString &folder, long type)
{
    if (posix::isWindowsFileSystem(type)) return true;
    if (!posix::isFuse(type)) return false;
    const QByteArray kind = QStorageInfo(folder).fileSystemType();
    return kind == "fuseblk" || kind.contains("fat") || kind.contains("ntfs");
}

template <typename T>
FsResult<T> failure(const FsStatus &status)
{
    FsResult<T> result;
    result.status = status;
    return result;
}

FsStatus statusOf(int error) { return error == 0 ? FsStatus::success() : FsStatus::fromErrno(error); }

// What failed, with the system's reason for the last failing call.
FsStatus withCause(const QString &what)
{
    const FsStatus status = lastError();
    return FsStatus::failure(status.fault, QStringLiteral("%1（%2）").arg(what, status.reason));
}

// File systems that keep no permissions (FAT through FUSE or the kernel)
// refuse to change them and apply the volume's own.
bool keepsNoPermissions(int error) { return error == EPERM || error == ENOSYS || error == EOPNOTSUPP; }

// A hard link refused for what the file system or the pair of folders is, not
// for a fault: the caller copies instead.
FsStatus linkStatus(int error)
{
    const bool refused = error == EPERM || error == EXDEV || error == EMLINK || error == EOPNOTSUPP || error == ENOSYS;
    return refused ? FsStatus::failure(FsFault::CannotLink, FsStatus::fromErrno(error).reason) : statusOf(error);
}

constexpr size_t kCopyChunk = size_t(8) << 20;

// Copies every byte from one descriptor to another, a chunk at a time so that
// a stop is heard: copy_file_range where the kernel offers it (no trip through
// user space), plain reads and writes where it does not (across some file
// systems, FUSE). ECANCELED when keepGoing said no.
int copyBytes(int from, int to, const BatchFiles::KeepCopying &keepGoing)
{
    const auto stopped = [&] { return keepGoing && !keepGoing(); };
    for (;;) {
        if (stopped()) return ECANCELED;
        const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, kCopyChunk, 0);
        if (n == 0) return 0;
        if (n > 0) continue;
        if (errno == EINTR) continue;
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
        break;
    }
    std::vector<char> buffer(1 << 20);
    for (size_t sinceAsked = 0;;) {
        if (sinceAsked >= kCopyChunk) {
            if (stopped()) return ECANCELED;
            sinceAsked = 0;
        }
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0) return 0;
        if (got < 0) { if (errno == EINTR) continue; return errno; }
        sinceAsked += size_t(got);
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer.data() + done, size_t(got - done));
            if (put < 0) { if (errno == EINTR) continue; return errno; }
            done += put;
        }
    }
}

// The name with every ASCII letter turned into the other case.
QByteArray withLetterCaseSwapped(QByteArray name)
{
    for (char &c : name) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return name;
}

bool nameExists(const QByteArray &path)
{
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0;
}

}  // namespace

namespace {

// What a name leads to, the name relative to folder (AT_FDCWD for a full path).
FsResult<BatchFiles::NameState> nameStateAt(int folder, const char *name)
{
    FsResult<BatchFiles::NameState> result;
    struct stat info {};
    if (::fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT) result.status = lastError();
        return result;
    }
    if (S_ISLNK(info.st_mode) && ::fstatat(folder, name, &info, 0) != 0) {
        result.value.kind = BatchFiles::NameKind::Other;   // a link that leads nowhere
        return result;
    }
    result.value.kind = S_ISREG(info.st_mode) ? BatchFiles::NameKind::File : BatchFiles::NameKind::Other;
    result.value.identity = posix::identityOf(info);
    return result;
}

// The version of what a name leads to; path is the same name in full.
FsResult<FileVersion> fileVersionAt(int folder, const char *name, const char *path)
{
    struct stat info {};
    if (::fstatat(folder, name, &info, 0) != 0) return failure<FileVersion>(lastError());
    // Times to 2 s have no nanoseconds: only such a time makes the volume worth asking.
    struct statfs volume {};
    const bool coarse = info.st_mtim.tv_nsec == 0 && ::statfs(path, &volume) == 0
                        && keepsCoarseTimes(long(volume.f_type));
    return {posix::versionOf(info, coarse), FsStatus::success()};
}

// How a list of names is shared among threads: at most threads of them,
// each given at least looksEach names.
struct Sharing {
    size_t threads;
    size_t looksEach;
};
constexpr Sharing kLookUps{2, 500};   // a look-up takes microseconds
constexpr Sharing kFlushes{8, 1};     // a flush waits for the disk

// Looks at every name of a folder, on several threads for a long list: each
// look is a call into the kernel, and a batch of thousands waits for them
// all. Relative to the folder, opened once; by full paths where it cannot be.
template <typename Result, typename Look>
std::vector<Result> lookAtNames(const QString &folder, const QStringList &names, const Look &look,
                                Sharing sharing = kLookUps)
{
    const QByteArray folderName = toNativeName(withTrailingSlash(folder));
    std::vector<QByteArray> paths;
    paths.reserve(size_t(names.size()));
    for (const QString &name : names) paths.push_back(folderName + toNativeName(name));
    const Descriptor dir(::open(folderName.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    std::vector<Result> results(paths.size());
    const auto lookAt = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            const char *path = paths[i].constData();
            results[i] = dir.fd >= 0 ? look(dir.fd, path + folderName.size(), path) : look(AT_FDCWD, path, path);
        }
    };
    const size_t count = std::clamp(paths.size() / sharing.looksEach, size_t(1), sharing.threads);
    std::vector<std::thread> others;
    for (size_t part = 1; part < count; ++part)
        others.emplace_back(lookAt, paths.size() * part / count, paths.size() * (part + 1) / count);
    lookAt(0, paths.size() / count);
    for (std::thread &other : others) other.join();
    return results;
}

}  // namespace

FsResult<BatchFiles::NameState> PosixBatchFiles::nameState(const QString &path)
{
    return nameStateAt(AT_FDCWD, toNativeName(path).constData());
}

FsResult<FileVersion> PosixBatchFiles::fileVersion(const QString &path)
{
    const QByteArray native = toNativeName(path);
    return fileVersionAt(AT_FDCWD, native.constData(), native.constData());
}

std::vector<FsResult<BatchFiles::NameState>> PosixBatchFiles::nameStates(const QString &folder, const QStringList &names)
{
    return lookAtNames<FsResult<NameState>>(folder, names,
                                            [](int dir, const char *name, const char *) { return nameStateAt(dir, name); });
}

std::vector<FsResult<FileVersion>> PosixBatchFiles::fileVersions(const QString &folder, const QStringList &names)
{
    return lookAtNames<FsResult<FileVersion>>(folder, names, &fileVersionAt);
}

namespace {

FsStatus changedWhileCopied()
{
    return FsStatus::failure(FsFault::Changed, QCoreApplication::translate("FileSystem", "読んでいる間に変わりました"));
}

// The source stays open until the copy lands, to see that it is still the
// version copied: a copy written ahead of its turn may wait a moment.
class PosixWrittenCopy : public BatchFiles::WrittenCopy {
public:
    PosixWrittenCopy(int source, const struct stat &before, const QByteArray &folder)
        : m_source(source), m_before(posix::versionOf(before)), m_copy(folder) {}

    int fd() const { return m_copy.fd(); }
    int sourceFd() const { return m_source.fd; }
    FileVersion source() const override { return m_before; }
    FsStatus land(const QString &target, BatchFiles::Landing landing) override
    {
        struct stat now {};
        if (::fstat(m_source.fd, &now) != 0) return lastError();
        if (!isUnchanged(posix::versionOf(now), m_before)) return changedWhileCopied();
        return m_copy.land(toNativeName(target), landing);
    }

private:
    Descriptor m_source;
    FileVersion m_before;
    posix::TemporaryFile m_copy;
};

}  // namespace

FsResult<std::unique_ptr<BatchFiles::WrittenCopy>> PosixBatchFiles::writeCopy(const QString &source,
                                                                             const QString &target,
                                                                             Durability durability,
                                                                             const KeepCopying &keepGoing)
{
    using Written = std::unique_ptr<WrittenCopy>;
    // Without O_NONBLOCK a pipe would hold the program until someone writes to it.
    Descriptor from(::open(toNativeName(source).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (from.fd < 0) return failure<Written>(lastError());
    struct stat before {};
    if (::fstat(from.fd, &before) != 0) return failure<Written>(lastError());
    if (!S_ISREG(before.st_mode)) {
        return failure<Written>(FsStatus::failure(FsFault::NotPlainFile, QCoreApplication::translate("FileSystem", "通常のファイルではありません")));
    }
    auto copy = std::make_unique<PosixWrittenCopy>(std::exchange(from.fd, -1), before,
                                                   posix::folderOf(toNativeName(target)));
    if (copy->fd() < 0) return failure<Written>(lastError());
    const int copied = copyBytes(copy->sourceFd(), copy->fd(), keepGoing);
    if (copied == ECANCELED) return failure<Written>(FsStatus::failure(FsFault::Stopped, QCoreApplication::translate("FileSystem", "中止しました")));
    if (copied != 0) return failure<Written>(FsStatus::fromErrno(copied));
    // The disk starts on the bytes now, while the next files are copied, so a
    // move's flush finds them written already instead of writing them all at
    // its end. Only a hint: the flush decides. A plain copy does without: the
    // hint can wait for the disk's queue, and nothing waits for its bytes.
    if (durability == Durability::FlushFollows) ::sync_file_range(copy->fd(), 0, 0, SYNC_FILE_RANGE_WRITE);
    struct stat after {};
    if (::fstat(copy->sourceFd(), &after) != 0) return failure<Written>(lastError());
    if (!isUnchanged(posix::versionOf(after), copy->source())) return failure<Written>(changedWhileCopied());
    // Keep what a copy of a photo should keep: its permissions and its times.
    // A copy dated today would tell the user a false date, and a move would
    // lose the true one, so a copy without them fails; permissions only where
    // the volume keeps them.
    if (::fchmod(copy->fd(), before.st_mode & 07777) != 0 && !keepsNoPermissions(errno))
        return failure<Written>(withCause(QCoreApplication::translate("FileSystem", "元のファイルのアクセス権を付けられません")));
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    if (::futimens(copy->fd(), times) != 0)
        return failure<Written>(withCause(QCoreApplication::translate("FileSystem", "元のファイルの更新日時を付けられません")));
    if (durability == Durability::BeforeNaming && ::fsync(copy->fd()) != 0) return failure<Written>(lastError());
    // How coarse the volume's times are matters only when a later version is
    // compared with this one, and that later version tells it.
    return {std::move(copy), FsStatus::success()};
}

FsResult<FileVersion> PosixBatchFiles::linkFile(const QString &source, const QString &target,
                                                        Landing landing)
{
    const QByteArray from = toNativeName(source);
    const QByteArray to = toNativeName(target);
    struct stat info {};
    if (::lstat(from.constData(), &info) != 0) return failure<FileVersion>(lastError());
    // A link is copied as the content it leads to; anything else is the copy's to refuse.
    if (!S_ISREG(info.st_mode)) return failure<FileVersion>(linkStatus(EPERM));
    const FsResult<FileVersion> linked{posix::versionOf(info), FsStatus::success()};
    if (landing == Landing::WithoutReplacing) {
        return ::link(from.constData(), to.constData()) == 0 ? linked : failure<FileVersion>(linkStatus(errno));
    }
    // Replacing: a second name beside the target first, renamed over it.
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QByteArray temporary = posix::randomName(posix::folderOf(to), posix::kTemporaryPrefix);
        if (::link(from.constData(), temporary.constData()) != 0) {
            if (errno == EEXIST) continue;
            return failure<FileVersion>(linkStatus(errno));
        }
        if (::rename(temporary.constData(), to.constData()) == 0) return linked;
        const FsStatus status = lastError();
        ::unlink(temporary.constData());
        return failure<FileVersion>(status);
    }
    return failure<FileVersion>(FsStatus::fromErrno(EEXIST));
}

FsStatus PosixBatchFiles::renameWithoutReplacing(const QString &from, const QString &to)
{
    return statusOf(posix::renameWithoutReplacing(toNativeName(from).constData(), toNativeName(to).constData()));
}

FsStatus PosixBatchFiles::renameReplacing(const QString &from, const QString &to)
{
    return statusOf(::rename(toNativeName(from).constData(), toNativeName(to).constData()) == 0 ? 0 : errno);
}

QString PosixBatchFiles::keptNameFor(const QString &path)
{
    const QByteArray folder = posix::folderOf(toNativeName(path));
    QByteArray kept = posix::randomName(folder, posix::kKeptPrefix);
    for (int attempt = 1; attempt < kNameAttempts && nameExists(kept); ++attempt)
        kept = posix::randomName(folder, posix::kKeptPrefix);
    return fromNativeName(kept);
}

FsStatus PosixBatchFiles::setAside(const QString &path, const QString &keptPath)
{
    return statusOf(posix::renameWithoutReplacing(toNativeName(path).constData(), toNativeName(keptPath).constData()));
}

void PosixBatchFiles::removeStaleTemporaries(const QString &folder)
{
    DIR *dir = ::opendir(toNativeName(folder).constData());
    if (!dir) return;
    const int dirFd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        if (!posix::isTemporaryName(entry->d_name)) continue;
        Descriptor file(::openat(dirFd, entry->d_name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
        struct stat opened {}, named {};
        if (file.fd < 0 || ::fstat(file.fd, &opened) != 0 || !S_ISREG(opened.st_mode)) continue;
        if (::flock(file.fd, LOCK_EX | LOCK_NB) != 0) continue;   // a copy that is being written
        // Only the file that was found free: not a new one that took the name since.
        if (::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == opened.st_dev
            && named.st_ino == opened.st_ino)
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

FsResult<BatchFiles::FolderProbe> PosixBatchFiles::probeFolder(const QString &folder, const QString &otherFolder)
{
    FsResult<FolderProbe> result;
    const QByteArray folderName = toNativeName(withTrailingSlash(folder));
    const posix::TemporaryFile probe(folderName, posix::TemporaryFile::Naming::Always);
    if (probe.fd() < 0) {
        result.status = lastError();
        return result;
    }
    const QByteArray probeName = probe.path().mid(folderName.size());
    result.value.foldsLetterCase = nameExists(folderName + withLetterCaseSwapped(probeName));
    result.value.sameAsOther = nameExists(toNativeName(withTrailingSlash(otherFolder)) + probeName);
    struct statfs volume {};
    const long type = ::fstatfs(probe.fd(), &volume) == 0 ? long(volume.f_type) : 0;
    result.value.nameLengthInUtf16 = countsNamesInUtf16(folder, type);
    const long longest = ::pathconf(folderName.constData(), _PC_NAME_MAX);
    if (!result.value.nameLengthInUtf16 && longest > 0) result.value.maxNameLength = int(longest);
    return result;
}

// Each copy, not the whole volume: syncfs would also wait for every other
// program's unwritten data there (a move of 500 copies beside a program
// writing 2 GiB took 5.9 times as long as alone; flushing the copies, 3.5).
// Their bytes went to the disk as they were written, and eight flushes at a
// time let the disk answer several with one emptying of its cache: alone, as
// quick as syncfs.
FsStatus PosixBatchFiles::flushCopies(const QString &folder, const QStringList &names)
{
    const std::vector<FsStatus> flushed = lookAtNames<FsStatus>(
        folder, names,
        [](int dir, const char *name, const char *) {
            const Descriptor file(::openat(dir, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
            return file.fd >= 0 && ::fsync(file.fd) == 0 ? FsStatus::success() : lastError();
        },
        kFlushes);
    for (const FsStatus &one : flushed)
        if (!one.ok()) return one;
    const Descriptor dir(::open(toNativeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.fd < 0 || ::fsync(dir.fd) != 0) return lastError();
    return FsStatus::success();
}

FsStatus PosixBatchFiles::setAttributesNormal(const QString &path)
{
    const QByteArray native = toNativeName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0) return lastError();
    if (::chmod(native.constData(), (info.st_mode & 07777) | S_IRUSR | S_IWUSR) == 0) return FsStatus::success();
    return keepsNoPermissions(errno) ? FsStatus::success() : lastError();
}

FsStatus PosixBatchFiles::deleteFile(const QString &path)
{
    if (::unlink(toNativeName(path).constData()) != 0) return lastError();
    return FsStatus::success();
}

}  // namespace nv
