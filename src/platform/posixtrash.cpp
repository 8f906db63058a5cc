// SPDX-License-Identifier: GPL-3.0-or-later
// The trash as the freedesktop.org trash layout describes it: files/ holds the
// trashed files, info/ one <name>.trashinfo each with the original path and
// the time of deletion. Files of the home volume go to the home trash, files
// of other volumes to the trash at the top of their volume, so a move into
// the trash is always a rename.
#include "platform/posixtrash.h"

#include "platform/nativepath.h"
#include "platform/posixfiles.h"
#include "platform/posixmounts.h"
#include "platform/userfolders.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace nv {
namespace {

using posix::lastError;

// Numbers tried before a name counts as taken for good; the caller then
// keeps the file under a name beside it.
constexpr int kMostNumbers = 1000;

template <typename T>
FsResult<T> failure(int error)
{
    FsResult<T> result;
    result.status = FsStatus::fromErrno(error);
    return result;
}

FsStatus statusOf(int error) { return error == 0 ? FsStatus::success() : FsStatus::fromErrno(error); }

// 0 when nothing has the name, EEXIST when something has, else why it cannot be told.
int freeName(const QByteArray &path)
{
    struct stat info {};
    if (::lstat(path.constData(), &info) == 0) return EEXIST;
    return errno == ENOENT ? 0 : errno;
}

// A folder of a trash, made where it is missing: never a link nor another user's.
int ownFolder(const QByteArray &path)
{
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) return errno;
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0) return errno;
    if (!S_ISDIR(info.st_mode)) return ENOTDIR;
    return info.st_uid == ::getuid() ? 0 : EACCES;
}

// The mount of a path that may not exist yet: that of its nearest folder that does.
std::optional<posix::Mount> mountOfNearest(QByteArray path)
{
    for (;;) {
        int error = 0;
        if (std::optional<posix::Mount> mount = posix::mountOf(path, error)) return mount;
        if (error != ENOENT || path.size() <= 1) return std::nullopt;
        path = path.left(std::max<qsizetype>(path.lastIndexOf('/'), 1));
    }
}

// The trash's own folder and its files/ and info/, ending in "/".
FsResult<QByteArray> trashFolders(const QByteArray &trash)
{
    for (const QByteArray &folder : {trash, trash + "/files", trash + "/info"}) {
        if (const int error = ownFolder(folder)) return failure<QByteArray>(error);
    }
    return {trash + '/', FsStatus::success()};
}

// The path of a file as its .trashinfo states it: percent-encoded bytes,
// relative to the top of its volume or, in the home trash, in full.
QByteArray trashInfoPath(const QByteArray &path, const QByteArray &topFolder, int &error)
{
    char real[PATH_MAX];
    const QByteArray folder = posix::folderOf(path);
    if (!::realpath(folder.isEmpty() ? "." : folder.constData(), real)) {
        error = errno;
        return QByteArray();
    }
    QByteArray full = real;
    full += (full.endsWith('/') ? "" : "/") + path.mid(folder.size());
    QByteArray shown = full;
    if (topFolder == "/") shown = full.mid(1);
    else if (!topFolder.isEmpty() && full.startsWith(topFolder + '/')) shown = full.mid(topFolder.size() + 1);
    return shown.toPercentEncoding("/");
}

QByteArray deletionDateNow()
{
    const time_t now = ::time(nullptr);
    struct tm local {};
    char text[32] = {};
    if (::localtime_r(&now, &local)) ::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// Creates a .trashinfo that no other reservation holds. 0 or the errno (EEXIST when taken).
int createTrashInfo(const QByteArray &path, const QByteArray &contents)
{
    const posix::Descriptor file(::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (file.fd < 0) return errno;
    const int error = posix::writeAll(file.fd, contents);
    if (error != 0) ::unlink(path.constData());
    return error;
}

// The last character of a text, keeping a surrogate pair whole.
void dropLastCharacter(QString &text)
{
    const bool pair = text.size() >= 2 && text.back().isLowSurrogate() && text[text.size() - 2].isHighSurrogate();
    text.chop(pair ? 2 : 1);
}

// The first name, numbered from 1 by numbered(stem, n) and given the
// extension of name, that take accepts (0); take answers EEXIST for a name
// that is taken. A name too long for the file system loses characters at the
// end of its stem, so a long photo name still finds a place.
using Take = std::function<int(const QString &candidate)>;
FsResult<QString> firstFreeName(const QString &name, QString (*numbered)(const QString &, int), const Take &take)
{
    if (name.isEmpty()) return failure<QString>(EINVAL);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const bool hasExtension = dot > 0 && dot < name.size() - 1;
    QString stem = hasExtension ? name.left(dot) : name;
    const QString extension = hasExtension ? name.mid(dot) : QString();
    for (int number = 1; number <= kMostNumbers; ++number) {
        const QString candidate = numbered(stem, number) + extension;
        const int error = take(candidate);
        if (error == 0) return {candidate, FsStatus::success()};
        if (error == ENAMETOOLONG && stem.size() > 1) {
            dropLastCharacter(stem);
            --number;
        } else if (error != EEXIST) {
            return failure<QString>(error);
        }
    }
    return failure<QString>(EEXIST);
}

QString baseName(const QString &path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

}  // namespace

PosixTrash::PosixTrash() : PosixTrash(userBaseFolder("XDG_DATA_HOME", QStringLiteral(".local/share")) + "Trash") {}

PosixTrash::PosixTrash(const QString &homeTrash) : m_homeTrash(toNativeName(homeTrash))
{
    while (m_homeTrash.size() > 1 && m_homeTrash.endsWith('/')) m_homeTrash.chop(1);
}

FsResult<PosixTrash::Choice> PosixTrash::chooseTrash(const QByteArray &folder) const
{
    int error = 0;
    const std::optional<posix::Mount> mount = posix::mountOf(folder, error);
    if (!mount) return failure<Choice>(error);
    const std::optional<posix::Mount> home = mountOfNearest(m_homeTrash);
    if (home && home->id == mount->id) {
        // The folders above the home trash are missing on a new account.
        if (const int made = posix::makeFolders(posix::folderOf(m_homeTrash))) return failure<Choice>(made);
        const FsResult<QByteArray> trash = trashFolders(m_homeTrash);
        return {{trash.value, QByteArray()}, trash.status};
    }
    // $topdir/.Trash/$uid where the administrator made $topdir/.Trash for
    // every user (sticky, and no link that could lead the files elsewhere),
    // else $topdir/.Trash-$uid.
    const QByteArray top = mount->mountPoint == "/" ? QByteArray() : mount->mountPoint;
    const QByteArray user = QByteArray::number(::getuid());
    struct stat shared {};
    if (::lstat((top + "/.Trash").constData(), &shared) == 0 && S_ISDIR(shared.st_mode) && (shared.st_mode & S_ISVTX)) {
        const FsResult<QByteArray> trash = trashFolders(top + "/.Trash/" + user);
        if (trash.ok()) return {{trash.value, mount->mountPoint}, trash.status};
    }
    const FsResult<QByteArray> trash = trashFolders(top + "/.Trash-" + user);
    return {{trash.value, mount->mountPoint}, trash.status};
}

FsResult<TrashEntry> PosixTrash::reserveTrashEntry(const QString &path)
{
    const QByteArray native = toNativeName(path);
    const QByteArray folder = posix::folderOf(native);
    const FsResult<Choice> choice = chooseTrash(folder.isEmpty() ? QByteArray(".") : folder);
    if (!choice.ok()) return {{}, choice.status};
    int error = 0;
    const QByteArray original = trashInfoPath(native, choice.value.topFolder, error);
    if (error != 0) return failure<TrashEntry>(error);
    const QByteArray info = "[Trash Info]\nPath=" + original + "\nDeletionDate=" + deletionDateNow() + '\n';
    const QByteArray &trash = choice.value.trash;
    const auto numbered = [](const QString &stem, int number) {
        return number == 1 ? stem : stem + QLatin1Char(' ') + QString::number(number);
    };
    const FsResult<QString> name = firstFreeName(baseName(path), numbered, [&](const QString &candidate) {
        const QByteArray bytes = toNativeName(candidate);
        if (const int taken = freeName(trash + "files/" + bytes)) return taken;
        return createTrashInfo(trash + "info/" + bytes + ".trashinfo", info);
    });
    return {{fromNativeName(trash), name.value, true}, name.status};
}

FsResult<TrashEntry> PosixTrash::reserveNameBeside(const QString &path)
{
    const QString folder = path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
    const auto numbered = [](const QString &stem, int number) {
        return stem + QStringLiteral(" (置換前 %1)").arg(number);
    };
    const FsResult<QString> name = firstFreeName(baseName(path), numbered, [&](const QString &candidate) {
        return freeName(toNativeName(folder + candidate));
    });
    return {{folder, name.value, false}, name.status};
}

FsStatus PosixTrash::moveToTrash(const QString &path, const TrashEntry &entry)
{
    return statusOf(posix::renameWithoutReplacing(toNativeName(path).constData(),
                                                  toNativeName(entry.filePath()).constData()));
}

FsStatus PosixTrash::releaseTrashEntry(const TrashEntry &entry)
{
    if (!entry.inTrash) return FsStatus::success();   // nothing was made for it
    const int taken = freeName(toNativeName(entry.filePath()));
    if (taken != 0) return FsStatus::fromErrno(taken);
    const QByteArray info = toNativeName(entry.folder + QStringLiteral("info/") + entry.name) + ".trashinfo";
    if (::unlink(info.constData()) != 0 && errno != ENOENT) return lastError();
    return FsStatus::success();
}

FsStatus PosixTrash::restoreFromTrash(const TrashEntry &entry, const QString &path)
{
    const int error = posix::renameWithoutReplacing(toNativeName(entry.filePath()).constData(),
                                                    toNativeName(path).constData());
    if (error != 0) return FsStatus::fromErrno(error);
    // The file is back; a .trashinfo left over would only show an empty entry.
    if (entry.inTrash) releaseTrashEntry(entry);
    return FsStatus::success();
}

FsResult<std::optional<FileVersion>> PosixTrash::trashedFile(const TrashEntry &entry)
{
    const QByteArray path = toNativeName(entry.filePath());
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0) {
        if (errno == ENOENT) return {std::nullopt, FsStatus::success()};
        return failure<std::optional<FileVersion>>(errno);
    }
    // The volumes whose inode numbers cannot be relied on keep times to 2 s.
    struct statfs volume {};
    const bool coarse = info.st_mtim.tv_nsec == 0 && ::statfs(path.constData(), &volume) == 0
                        && !posix::keepsStableInodes(long(volume.f_type));
    return {posix::versionOf(info, coarse), FsStatus::success()};
}

}  // namespace nv
