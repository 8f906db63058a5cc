// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posixplatform.h"

#include "platform/nativepath.h"
#include "platform/posixfiles.h"
#include "text/nameorder.h"

#include <QDate>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTime>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace nv {
namespace {

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

// The next entry of a folder whose name is not hidden; null at the end, and on
// a read error, which status then holds.
const dirent *nextShownEntry(DIR *dir, FsStatus &status)
{
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry) {
            if (errno != 0) status = lastError();
            return nullptr;
        }
        if (!isHiddenName(entry->d_name)) return entry;
    }
}

// What an entry of an open folder leads to (links followed). Out of reach:
// gone since it was read, a dangling link, a link loop or a link into a folder
// we may not enter; nothing to list, and no reason to lose the rest of the
// listing. Failed leaves its errno for the caller.
enum class Lookup { Found, OutOfReach, Failed };
Lookup lookUp(int dirFd, const char *name, struct stat &info)
{
    if (::fstatat(dirFd, name, &info, 0) == 0) return Lookup::Found;
    return errno == ENOENT || errno == ELOOP || errno == EACCES ? Lookup::OutOfReach : Lookup::Failed;
}

QString baseName(const QString &path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

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

}  // namespace

FsResult<std::vector<FileEntry>> PosixFolders::listPlainFiles(const QString &folder, bool withTimes)
{
    FsResult<std::vector<FileEntry>> result;
    DirHandle dir = openFolder(folder, result.status);
    if (!dir) return result;
    const int dirFd = ::dirfd(dir.get());
    while (const dirent *entry = nextShownEntry(dir.get(), result.status)) {
        const bool plain = entry->d_type == DT_REG;
        struct stat info {};
        if (withTimes || !plain) {
            if (entry->d_type != DT_REG && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) continue;
            const Lookup found = lookUp(dirFd, entry->d_name, info);
            if (found == Lookup::Failed) {
                result.status = lastError();
                break;
            }
            if (found == Lookup::OutOfReach || !S_ISREG(info.st_mode)) continue;
        }
        result.value.push_back({fromNativeName(entry->d_name, qsizetype(std::strlen(entry->d_name))),
                                withTimes ? qint64(info.st_mtim.tv_sec) : FileEntry::kNotRead,
                                withTimes ? std::make_shared<const FileVersion>(posix::versionOf(info)) : nullptr});
    }
    if (result.ok()) sortByName(result.value);
    else result.value.clear();
    return result;
}

FsResult<QStringList> PosixFolders::listSubfolders(const QString &folder)
{
    FsResult<QStringList> result;
    DirHandle dir = openFolder(folder, result.status);
    if (!dir) return result;
    const int dirFd = ::dirfd(dir.get());
    // A read error fails the whole list, as it fails a file listing: a list cut
    // short would hide folders in silence.
    while (const dirent *entry = nextShownEntry(dir.get(), result.status)) {
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            const Lookup found = lookUp(dirFd, entry->d_name, info);
            if (found == Lookup::Failed) {
                result.status = lastError();
                break;
            }
            isFolder = found == Lookup::Found && S_ISDIR(info.st_mode);
        }
        if (isFolder) result.value.append(fromNativeName(entry->d_name, qsizetype(std::strlen(entry->d_name))));
    }
    if (!result.ok()) return {QStringList(), result.status};
    QStringList sorted;
    sorted.reserve(result.value.size());
    for (const qsizetype position : nameOrder(result.value)) sorted.append(result.value[position]);
    result.value = sorted;
    return result;
}

FsStatus PosixFolders::checkFolder(const QString &folder)
{
    FsStatus status;
    openFolder(folder, status);
    return status;
}

FsStatus PosixFolders::makeFolder(const QString &folder)
{
    if (const int error = posix::makeFolders(toNativeName(folder))) return FsStatus::fromErrno(error);
    return checkFolder(folder);
}

QString PosixFolders::startFolder()
{
    // On Linux a user's photos lie in the pictures folder, seldom at the root.
    const QString candidates[] = {QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
                                  QDir::homePath()};
    for (const QString &candidate : candidates) {
        const QString folder = withTrailingSlash(candidate);
        if (folder.startsWith(kRootFolder) && checkFolder(folder).ok()) return folder;
    }
    return kRootFolder;
}

bool PosixFolders::fileExists(const QString &path)
{
    if (baseName(path).startsWith(QLatin1Char('.'))) return false;
    struct stat info {};
    return ::stat(toNativeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<qint64> PosixFolders::modifiedTime(const QString &path)
{
    struct stat info {};
    if (::stat(toNativeName(path).constData(), &info) != 0) return std::nullopt;
    return qint64(info.st_mtim.tv_sec);
}

QString PosixFolders::dateTimeText(qint64 secondsSinceEpoch)
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

}  // namespace nv
