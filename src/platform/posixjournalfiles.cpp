// SPDX-License-Identifier: GPL-3.0-or-later
// Journals are named by a sequence number, "00000042.journal", so that their
// names sort in the order they were made whatever the clock does. A journal is
// made under a name that no one reads as a journal, locked, and only then
// given its own name: a second running copy never finds it unlocked and
// takes it for the journal of a run that crashed.
#include "platform/posixjournalfiles.h"

#include "platform/nativepath.h"
#include "platform/posixfiles.h"

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace nv {
namespace {

using posix::Descriptor;
using posix::lastError;

constexpr char kJournalSuffix[] = ".journal";
constexpr char kStagingSuffix[] = ".new";
constexpr char kDamagedSuffix[] = ".damaged";
constexpr int kNumberWidth = 8;
// Names that are all taken mean something else is wrong.
constexpr int kNameAttempts = 100;

template <typename T>
FsResult<T> failure(const FsStatus &status)
{
    FsResult<T> result;
    result.status = status;
    return result;
}

FsStatus inUse() { return FsStatus::failure(FsFault::Other, QCoreApplication::translate("FileSystem", "使用中です")); }
FsStatus lockFailure(int error) { return error == EWOULDBLOCK ? inUse() : FsStatus::fromErrno(error); }

// The number of a name of the journal folder ("00000042.journal", also set
// aside or being made), or -1; with journalOnly, of a journal's name alone.
qint64 numberOf(const QByteArray &name, bool journalOnly)
{
    qsizetype digits = 0;
    while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9') ++digits;
    const QByteArray rest = name.mid(digits);
    const bool ours = journalOnly ? rest == kJournalSuffix : rest.startsWith(kJournalSuffix);
    return digits > 0 && ours ? name.left(digits).toLongLong() : -1;
}

// The names of a folder that numberOf gives a number for.
int namesIn(const QByteArray &folder, bool journalOnly, QList<QByteArray> &names)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir) return errno;
    while (const dirent *entry = ::readdir(dir)) {
        if (numberOf(entry->d_name, journalOnly) >= 0) names.append(entry->d_name);
    }
    ::closedir(dir);
    return 0;
}

// Opens a file and takes its lock without waiting: -1 with errno, EWOULDBLOCK where another holds it.
int openLocked(const QByteArray &path, int flags)
{
    const int fd = ::open(path.constData(), flags | O_CLOEXEC);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
}

class PosixOpenJournal : public OpenJournal {
public:
    PosixOpenJournal(const QByteArray &path, int fd, bool folderSynced)
        : m_path(path), m_fd(fd), m_folderSynced(folderSynced) {}
    ~PosixOpenJournal() override { ::close(m_fd); }
    PosixOpenJournal(const PosixOpenJournal &) = delete;
    PosixOpenJournal &operator=(const PosixOpenJournal &) = delete;

    QString path() const override { return fromNativeName(m_path); }
    FsStatus append(const QByteArray &bytes) override;

private:
    FsStatus syncFolder();

    QByteArray m_path;
    int m_fd;
    bool m_folderSynced;
};

FsStatus PosixOpenJournal::append(const QByteArray &bytes)
{
    struct stat before {};
    if (::fstat(m_fd, &before) != 0) return lastError();
    if (const int error = posix::writeAll(m_fd, bytes)) {
        // Half a record would leave the whole journal unreadable; should even
        // this fail, its reader finds it cut short and sets it aside.
        [[maybe_unused]] const int cut = ::ftruncate(m_fd, before.st_size);
        return FsStatus::fromErrno(error);
    }
    if (::fsync(m_fd) != 0) return lastError();
    return m_folderSynced ? FsStatus::success() : syncFolder();
}

FsStatus PosixOpenJournal::syncFolder()
{
    const Descriptor folder(::open(posix::folderOf(m_path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.fd < 0 || ::fsync(folder.fd) != 0) return lastError();
    m_folderSynced = true;
    return FsStatus::success();
}

using Opened = FsResult<std::unique_ptr<OpenJournal>>;

Opened opened(const QByteArray &path, int fd, bool folderSynced)
{
    return {std::make_unique<PosixOpenJournal>(path, fd, folderSynced), FsStatus::success()};
}

Opened notOpened(const FsStatus &status) { return failure<std::unique_ptr<OpenJournal>>(status); }

}  // namespace

Opened PosixJournalFiles::createJournal(const QString &folder)
{
    const QByteArray folderPath = toNativeName(withTrailingSlash(folder));
    QList<QByteArray> names;
    if (const int error = posix::makeFolders(folderPath)) return notOpened(FsStatus::fromErrno(error));
    if (const int error = namesIn(folderPath, false, names)) return notOpened(FsStatus::fromErrno(error));
    qint64 number = 0;
    for (const QByteArray &name : names) number = std::max(number, numberOf(name, false));
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QByteArray path = folderPath + QByteArray::number(++number).rightJustified(kNumberWidth, '0') + kJournalSuffix;
        const QByteArray staging = path + kStagingSuffix;
        Descriptor file(::open(staging.constData(), O_RDWR | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600));
        if (file.fd < 0 && errno == EEXIST) continue;
        if (file.fd < 0) return notOpened(lastError());
        ::flock(file.fd, LOCK_EX);   // nobody takes this name for a journal: the wait is a moment at most
        const int error = posix::renameWithoutReplacing(staging.constData(), path.constData());
        if (error == 0) return opened(path, std::exchange(file.fd, -1), false);
        ::unlink(staging.constData());
        if (error != EEXIST) return notOpened(FsStatus::fromErrno(error));
    }
    return notOpened(FsStatus::fromErrno(EEXIST));
}

Opened PosixJournalFiles::openJournal(const QString &path)
{
    const QByteArray native = toNativeName(path);
    const int fd = openLocked(native, O_WRONLY | O_APPEND);
    if (fd < 0) return notOpened(lockFailure(errno));
    return opened(native, fd, true);
}

FsResult<QStringList> PosixJournalFiles::listJournals(const QString &folder)
{
    FsResult<QStringList> result;
    const QByteArray folderPath = toNativeName(withTrailingSlash(folder));
    QList<QByteArray> names;
    if (const int error = namesIn(folderPath, true, names)) {
        if (error != ENOENT) result.status = FsStatus::fromErrno(error);
        return result;
    }
    // Numbers outgrow their zeros only in length.
    std::sort(names.begin(), names.end(), [](const QByteArray &a, const QByteArray &b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    for (const QByteArray &name : names) result.value.append(fromNativeName(folderPath + name));
    return result;
}

FsResult<QByteArray> PosixJournalFiles::readJournal(const QString &path)
{
    FsResult<QByteArray> result;
    if (const int error = posix::readWholeFile(toNativeName(path), result.value)) {
        result.value.clear();
        result.status = FsStatus::fromErrno(error);
    }
    return result;
}

FsResult<bool> PosixJournalFiles::isJournalLocked(const QString &path)
{
    const int fd = openLocked(toNativeName(path), O_RDONLY);
    if (fd >= 0) {
        ::close(fd);
        return {false, FsStatus::success()};
    }
    if (errno == EWOULDBLOCK) return {true, FsStatus::success()};
    return failure<bool>(lastError());
}

FsStatus PosixJournalFiles::removeJournal(const QString &path)
{
    const QByteArray native = toNativeName(path);
    const Descriptor held(openLocked(native, O_RDONLY));
    if (held.fd < 0) return lockFailure(errno);
    return ::unlink(native.constData()) == 0 ? FsStatus::success() : lastError();
}

FsResult<QString> PosixJournalFiles::setJournalAside(const QString &path)
{
    const QByteArray native = toNativeName(path);
    const Descriptor held(openLocked(native, O_RDONLY));
    if (held.fd < 0) return failure<QString>(lockFailure(errno));
    for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
        const QByteArray aside = native + kDamagedSuffix + (attempt == 1 ? QByteArray() : '-' + QByteArray::number(attempt));
        const int error = posix::renameWithoutReplacing(native.constData(), aside.constData());
        if (error == 0) return {fromNativeName(aside), FsStatus::success()};
        if (error != EEXIST) return failure<QString>(FsStatus::fromErrno(error));
    }
    return failure<QString>(FsStatus::fromErrno(EEXIST));
}

}  // namespace nv
