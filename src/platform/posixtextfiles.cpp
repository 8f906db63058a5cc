// SPDX-License-Identifier: GPL-3.0-or-later
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
    if (const int error = posix::writeAll(file.fd(), bytes)) return FsStatus::fromErrno(error);
    if (::fsync(file.fd()) != 0) return lastError();
    return file.land(target, BatchFiles::Landing::Replacing);
}

}  // namespace

FsResult<QString> PosixTextFiles::readTextFile(const QString &path)
{
    FsResult<QString> result;
    QByteArray bytes;
    if (const int error = posix::readWholeFile(toNativeName(path), bytes)) result.status = FsStatus::fromErrno(error);
    else result.value = decodeText(bytes);
    return result;
}

FsStatus PosixTextFiles::writeTextFile(const QString &path, const QString &text)
{
    return writeFileAtomically(path, encodeText(text));
}

}  // namespace nv
