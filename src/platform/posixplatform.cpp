#include "platform/posixplatform.h"

#include "platform/nativepath.h"
#include "platform/textcodec.h"
#include "text/nameorder.h"

#include <QDate>
#include <QSet>
#include <QLocale>
#include <QStorageInfo>
#include <QTime>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace nv {
namespace {

FsStatus lastError() { return FsStatus::fromErrno(errno); }

// Closes a descriptor on every way out.
struct Descriptor {
    int fd = -1;
    explicit Descriptor(int value) : fd(value) {}
    ~Descriptor() { if (fd >= 0) ::close(fd); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
};

struct DirCloser {
    void operator()(DIR *dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

DirHandle openFolder(const QString &folder, FsStatus &status)
{
    const int fd = ::open(toNativeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) { status = lastError(); return nullptr; }
    DIR *dir = ::fdopendir(fd);
    if (!dir) { status = lastError(); ::close(fd); return nullptr; }
    return DirHandle(dir);
}

bool isHiddenName(const char *name) { return name[0] == '.'; }

QString baseName(const QString &path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

QString folderOf(const QString &path) { return path.left(path.lastIndexOf(QLatin1Char('/')) + 1); }

// Copies every byte from one descriptor to another: copy_file_range where the
// kernel offers it (no trip through user space), plain reads and writes where
// it does not (across some file systems, FUSE).
bool copyBytes(int from, int to)
{
    for (;;) {
        const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
        if (n == 0) return true;
        if (n > 0) continue;
        if (errno == EINTR) continue;
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
        break;
    }
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0) return true;
        if (got < 0) { if (errno == EINTR) continue; return false; }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer.data() + done, size_t(got - done));
            if (put < 0) { if (errno == EINTR) continue; return false; }
            done += put;
        }
    }
}

// A new hidden file beside a target (a listing never shows it) that either
// lands on the target in one rename or is removed again on every other way
// out, so a failure never leaves a half-written target or a stray file.
class TemporaryFile {
public:
    explicit TemporaryFile(const QString &target)
        : m_target(toNativeName(target)), m_name(toNativeName(folderOf(target)) + ".norvanta2-XXXXXX"),
          m_fd(::mkostemp(m_name.data(), O_CLOEXEC)), m_exists(m_fd >= 0)
    {
    }
    ~TemporaryFile()
    {
        if (m_fd >= 0) ::close(m_fd);
        if (m_exists) ::unlink(m_name.constData());
    }
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    int fd() const { return m_fd; }

    // Closes the file (a failing close can be the first sign of a full disk)
    // and renames it over the target.
    FsStatus land()
    {
        if (::close(std::exchange(m_fd, -1)) != 0) return lastError();
        if (::rename(m_name.constData(), m_target.constData()) != 0) return lastError();
        m_exists = false;
        return FsStatus::success();
    }

private:
    QByteArray m_target;
    QByteArray m_name;
    int m_fd;
    bool m_exists;
};

qint64 nanoseconds(const struct timespec &time) { return qint64(time.tv_sec) * 1000000000 + time.tv_nsec; }

FileVersion versionOf(const struct stat &info)
{
    return {qint64(info.st_size), nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
}

// Linux hands out names in hash order; the lists show them in name order.
void sortByName(std::vector<FileEntry> &entries)
{
    QStringList names;
    names.reserve(qsizetype(entries.size()));
    for (const FileEntry &entry : entries) names.append(entry.name);
    std::vector<FileEntry> sorted;
    sorted.reserve(entries.size());
    for (const qsizetype position : nameOrder(names)) sorted.push_back(std::move(entries[size_t(position)]));
    entries = std::move(sorted);
}

const QSet<QString> &pseudoFileSystems()
{
    static const QSet<QString> types{
        "proc", "sysfs", "devtmpfs", "devpts", "tmpfs", "cgroup", "cgroup2", "securityfs",
        "pstore", "bpf", "tracefs", "debugfs", "configfs", "fusectl", "mqueue", "hugetlbfs",
        "autofs", "binfmt_misc", "efivarfs", "ramfs", "nsfs", "rpc_pipefs", "squashfs",
        "overlay", "nfsd", "selinuxfs", "fuse.portal", "fuse.gvfsd-fuse"};
    return types;
}

}  // namespace

FsResult<std::vector<FileEntry>> PosixPlatform::listPlainFiles(const QString &folder, bool withTimes)
{
    FsResult<std::vector<FileEntry>> result;
    DirHandle dir = openFolder(folder, result.status);
    if (!dir) return result;
    const int dirFd = ::dirfd(dir.get());
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir.get());
        if (!entry) {
            if (errno != 0) result.status = lastError();
            break;
        }
        if (isHiddenName(entry->d_name)) continue;
        const bool plain = entry->d_type == DT_REG;
        struct stat info {};
        if (withTimes || !plain) {
            if (entry->d_type != DT_REG && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) continue;
            if (::fstatat(dirFd, entry->d_name, &info, 0) != 0) {
                // Gone since it was read, a dangling link, a link loop or a link into a
                // folder we may not enter: not a plain file, and no reason to lose the
                // rest of the listing.
                if (errno == ENOENT || errno == ELOOP || errno == EACCES) continue;
                result.status = lastError();
                break;
            }
            if (!S_ISREG(info.st_mode)) continue;
        }
        result.value.push_back({fromNativeName(entry->d_name, qsizetype(std::strlen(entry->d_name))),
                                withTimes ? qint64(info.st_mtim.tv_sec) : 0,
                                withTimes ? versionOf(info) : FileVersion()});
    }
    if (result.ok()) sortByName(result.value);
    else result.value.clear();
    return result;
}

FsResult<QStringList> PosixPlatform::listSubfolders(const QString &folder)
{
    FsResult<QStringList> result;
    DirHandle dir = openFolder(folder, result.status);
    if (!dir) return result;
    const int dirFd = ::dirfd(dir.get());
    while (const dirent *entry = ::readdir(dir.get())) {
        if (isHiddenName(entry->d_name)) continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            isFolder = ::fstatat(dirFd, entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        if (isFolder) result.value.append(fromNativeName(entry->d_name, qsizetype(std::strlen(entry->d_name))));
    }
    QStringList sorted;
    sorted.reserve(result.value.size());
    for (const qsizetype position : nameOrder(result.value)) sorted.append(result.value[position]);
    result.value = sorted;
    return result;
}

FsStatus PosixPlatform::checkFolder(const QString &folder)
{
    FsStatus status;
    openFolder(folder, status);
    return status;
}

FsStatus PosixPlatform::makeFolder(const QString &folder)
{
    const QByteArray path = toNativeName(withTrailingSlash(folder));
    // Each folder on the way down, the last one too: every prefix that ends in "/".
    for (qsizetype end = path.indexOf('/', 1); end >= 0; end = path.indexOf('/', end + 1)) {
        const QByteArray step = path.left(end);
        struct stat info {};
        if (::stat(step.constData(), &info) == 0) continue;   // also where we may not write
        if (::mkdir(step.constData(), 0700) != 0 && errno != EEXIST) return lastError();
    }
    return checkFolder(folder);
}

bool PosixPlatform::fileExists(const QString &path)
{
    if (baseName(path).startsWith(QLatin1Char('.'))) return false;
    struct stat info {};
    return ::stat(toNativeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

FsStatus PosixPlatform::copyFile(const QString &source, const QString &target)
{
    Descriptor from(::open(toNativeName(source).constData(), O_RDONLY | O_CLOEXEC));
    if (from.fd < 0) return lastError();
    struct stat info {};
    if (::fstat(from.fd, &info) != 0) return lastError();
    if (!S_ISREG(info.st_mode)) return FsStatus::fromErrno(EISDIR);

    TemporaryFile copy(target);
    if (copy.fd() < 0) return lastError();
    if (!copyBytes(from.fd, copy.fd())) return lastError();
    // Keep what a copy of a photo should keep: its permissions and its times.
    ::fchmod(copy.fd(), info.st_mode & 07777);
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    ::futimens(copy.fd(), times);
    return copy.land();
}

FsStatus PosixPlatform::setAttributesNormal(const QString &path)
{
    const QByteArray native = toNativeName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0) return lastError();
    if (::chmod(native.constData(), (info.st_mode & 07777) | S_IRUSR | S_IWUSR) == 0) return FsStatus::success();
    // File systems that keep no permissions (FAT through FUSE) have nothing to clear.
    if (errno == ENOSYS || errno == EOPNOTSUPP) return FsStatus::success();
    return lastError();
}

FsStatus PosixPlatform::deleteFile(const QString &path)
{
    if (::unlink(toNativeName(path).constData()) != 0) return lastError();
    return FsStatus::success();
}

FsResult<qint64> PosixPlatform::modificationTime(const QString &path)
{
    FsResult<qint64> result;
    struct stat info {};
    if (::stat(toNativeName(path).constData(), &info) != 0) result.status = lastError();
    else result.value = info.st_mtim.tv_sec;
    return result;
}

QString PosixPlatform::dateTimeText(qint64 secondsSinceEpoch)
{
    const time_t seconds = time_t(secondsSinceEpoch);
    struct tm local {};
    if (!::localtime_r(&seconds, &local)) return QString();
    const qint64 day = qint64(local.tm_year) * 10000 + local.tm_mon * 100 + local.tm_mday;
    if (day != m_cachedDay) {
        m_cachedDay = day;
        // The default locale follows the regional settings of the system.
        const QDate date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
        m_cachedDateText = QLocale().toString(date, QLocale::ShortFormat);
    }
    if (local.tm_hour == 0 && local.tm_min == 0 && local.tm_sec == 0) return m_cachedDateText;
    // The regional long time form carries a time-zone name (today's, even for
    // a summer photo) and overflows the column; the list needs the time only.
    const QTime time(local.tm_hour, local.tm_min, local.tm_sec);
    return m_cachedDateText + QLatin1Char(' ') + time.toString(u"H:mm:ss");
}

std::vector<Volume> PosixPlatform::volumes()
{
    std::vector<Volume> result{{QStringLiteral("/"), QString()}};
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        const QString root = withTrailingSlash(storage.rootPath());
        if (root == QLatin1String("/")) continue;
        if (pseudoFileSystems().contains(QString::fromLatin1(storage.fileSystemType()))) continue;
        if (root.startsWith(QLatin1String("/proc/")) || root.startsWith(QLatin1String("/sys/"))
            || root.startsWith(QLatin1String("/dev/")) || root.startsWith(QLatin1String("/run/user/"))
            || root.startsWith(QLatin1String("/snap/")) || root.startsWith(QLatin1String("/boot")))
            continue;
        const bool duplicate = std::any_of(result.begin(), result.end(),
                                           [&](const Volume &known) { return known.root == root; });
        if (!duplicate) result.push_back({root, storage.name()});
    }
    return result;
}

QString PosixPlatform::currentFolderOf(const QString &volumeRoot)
{
    return m_currentFolders.value(volumeRoot, volumeRoot);
}

void PosixPlatform::setCurrentFolder(const QString &folder)
{
    m_currentFolders.insert(volumeOf(folder), withTrailingSlash(folder));
}

void PosixPlatform::setCurrentVolume(const QString &volumeRoot) { m_currentVolume = volumeRoot; }

FsResult<QString> PosixPlatform::readTextFile(const QString &path)
{
    FsResult<QString> result;
    Descriptor file(::open(toNativeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (file.fd < 0) { result.status = lastError(); return result; }
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            result.status = lastError();
            return result;
        }
        bytes.append(buffer, got);
    }
    result.value = decodeText(bytes);
    return result;
}

FsStatus PosixPlatform::writeTextFile(const QString &path, const QString &text)
{
    return writeFileAtomically(path, encodeText(text));
}

// --- identity of files (batch operations) ---------------------------------------

namespace {

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

FsResult<Platform::FileIdentity> PosixPlatform::fileIdentity(const QString &path)
{
    FsResult<FileIdentity> result;
    struct stat info {};
    if (::stat(toNativeName(path).constData(), &info) != 0) result.status = lastError();
    else result.value = {quint64(info.st_dev), quint64(info.st_ino)};
    return result;
}

FsResult<Platform::FolderProbe> PosixPlatform::probeFolder(const QString &folder, const QString &otherFolder)
{
    FsResult<FolderProbe> result;
    const QByteArray folderName = toNativeName(withTrailingSlash(folder));
    QByteArray probePath = folderName + ".norvanta2-probe-XXXXXX";
    const int fd = ::mkostemp(probePath.data(), O_CLOEXEC);
    if (fd < 0) {
        result.status = lastError();
        return result;
    }
    ::close(fd);
    const QByteArray probeName = probePath.mid(folderName.size());
    result.value.foldsLetterCase = nameExists(folderName + withLetterCaseSwapped(probeName));
    result.value.sameAsOther = nameExists(toNativeName(withTrailingSlash(otherFolder)) + probeName);
    ::unlink(probePath.constData());   // a probe left behind would be hidden and harmless
    return result;
}

FsStatus PosixPlatform::flushVolume(const QString &folder)
{
    Descriptor dir(::open(toNativeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.fd < 0) return lastError();
    if (::syncfs(dir.fd) != 0) return lastError();
    return FsStatus::success();
}

FsStatus PosixPlatform::writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    TemporaryFile file(path);
    if (file.fd() < 0) return lastError();
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t put = ::write(file.fd(), bytes.constData() + done, size_t(bytes.size() - done));
        if (put < 0) {
            if (errno == EINTR) continue;
            return lastError();
        }
        done += put;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(file.fd(), 0666 & ~mask);
    if (::fsync(file.fd()) != 0) return lastError();
    return file.land();
}

}  // namespace nv
