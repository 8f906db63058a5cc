#include "platform/posixfiles.h"

#include <QRandomGenerator>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace nv::posix {

Descriptor::~Descriptor()
{
    if (fd >= 0) ::close(fd);
}

QByteArray folderOf(const QByteArray &path) { return path.left(path.lastIndexOf('/') + 1); }

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

TemporaryFile::TemporaryFile(const QByteArray &folder)
    : m_path(folder + kTemporaryPrefix + "XXXXXX"), m_fd(::mkostemp(m_path.data(), O_CLOEXEC)), m_exists(m_fd >= 0)
{
    if (m_fd >= 0) ::flock(m_fd, LOCK_EX);   // a lock nobody else can hold yet: it only marks the file as busy
}

TemporaryFile::~TemporaryFile()
{
    if (m_fd >= 0) ::close(m_fd);
    if (m_exists) ::unlink(m_path.constData());
}

FsStatus TemporaryFile::land(const QByteArray &target, Platform::Landing landing)
{
    if (::close(std::exchange(m_fd, -1)) != 0) return lastError();
    const int error = landing == Platform::Landing::Replacing
                          ? (::rename(m_path.constData(), target.constData()) == 0 ? 0 : errno)
                          : renameWithoutReplacing(m_path.constData(), target.constData());
    if (error != 0) return FsStatus::fromErrno(error);
    m_exists = false;
    return FsStatus::success();
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
