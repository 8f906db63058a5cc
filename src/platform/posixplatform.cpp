#include "platform/posixplatform.h"

#include "platform/nativepath.h"
#include "platform/posixfiles.h"
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

using posix::Descriptor;
using posix::lastError;

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

qint64 nanoseconds(const struct timespec &time) { return qint64(time.tv_sec) * 1000000000 + time.tv_nsec; }

FileStamp stampOf(const struct stat &info)
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
                                withTimes ? stampOf(info) : FileStamp()});
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

FsStatus PosixPlatform::writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = toNativeName(path);
    posix::TemporaryFile file(posix::folderOf(target));
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
    return file.land(target, Landing::Replacing);
}

}  // namespace nv
