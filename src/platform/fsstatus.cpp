// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fsstatus.h"

#include <cerrno>
#include <cstring>

namespace nv {

FsStatus FsStatus::fromErrno(int error)
{
    FsFault fault = FsFault::Other;
    switch (error) {
    case ENOMEDIUM:
    case EIO:
    case ENXIO:
    case ENODEV:
        fault = FsFault::NotReady;
        break;
    case ENOENT:
    case ENOTDIR:
        fault = FsFault::Missing;
        break;
    case EEXIST:
        fault = FsFault::Exists;
        break;
    default:
        break;
    }
    return {fault, QString::fromLocal8Bit(std::strerror(error))};
}

}  // namespace nv
