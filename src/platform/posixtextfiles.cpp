#include "platform/nativepath.h"
#include "platform/posixfiles.h"
#include "platform/posixplatform.h"
#include "platform/textcodec.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace nv {
namespace {

using posix::lastError;

// Writes bytes to a temporary file beside path and renames it into place.
FsStatus writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = toNativeName(path);
    // Made as any file of the user's is: readable by others unless the
    // user's umask says otherwise.
    posix::TemporaryFile file(posix::folderOf(target), posix::TemporaryFile::Naming::WhereNeeded, 0666);
    if (file.fd() < 0) return lastError();
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t put = ::write(file.fd(), bytes.constData() + done, size_t(bytes.size() - done));
        if (put < 0) {
            if (errno == EINTR) continue;
            return lastError();
        }
        done += put;
    }
    if (::fsync(file.fd()) != 0) return lastError();
    return file.land(target, BatchFiles::Landing::Replacing);
}

}  // namespace

FsResult<QString> PosixTextFiles::readTextFile(const QString &path)
{
    FsResult<QString> result;
    posix::Descriptor file(::open(toNativeName(path).constData(), O_RDONLY | O_CLOEXEC));
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

FsStatus PosixTextFiles::writeTextFile(const QString &path, const QString &text)
{
    return writeFileAtomically(path, encodeText(text));
}

}  // namespace nv
