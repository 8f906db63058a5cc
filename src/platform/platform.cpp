#include "platform/platform.h"

#include <cerrno>
#include <cstdlib>
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

QString Platform::volumeOf(const QString &path)
{
    const QString folder = withTrailingSlash(path);
    QString best;
    for (const Volume &volume : volumes()) {
        if (folder.startsWith(volume.root) && volume.root.size() > best.size()) best = volume.root;
    }
    return best;
}

bool isSameVersion(const Platform::FileVersion &now, const Platform::FileVersion &then, bool sharesBytes)
{
    if (now.identity != then.identity) return false;
    if (sharesBytes) return true;
    constexpr qint64 kCoarseTimeNs = 2'000'000'000;
    const qint64 tolerance = now.coarseTimes || then.coarseTimes ? kCoarseTimeNs : 0;
    return now.size == then.size && std::abs(now.modifiedNs - then.modifiedNs) <= tolerance;
}

QString joinPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString withTrailingSlash(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

}  // namespace nv
