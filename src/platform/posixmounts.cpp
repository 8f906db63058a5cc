// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posixmounts.h"

#include "platform/posixfiles.h"

#include <QList>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <vector>

namespace nv::posix {
namespace {

constexpr long kMsdosMagic = 0x4d44;
constexpr long kExfatMagic = 0x2011BAB0;
constexpr long kNtfsMagic = 0x5346544e;
constexpr long kNtfs3Magic = 0x7366746e;
constexpr long kFuseMagic = 0x65735546;
constexpr long kHfsPlusMagic = 0x482b;
constexpr long kCifsMagic = 0xFF534D42;
constexpr long kSmb2Magic = 0xFE534D42;

// mountinfo writes a blank, a tab, a line break and a backslash in a mount
// point as \040, \011, \012 and \134.
QByteArray unescaped(const QByteArray &field)
{
    const auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
    QByteArray result;
    result.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctal(field[i + 1]) && isOctal(field[i + 2])
            && isOctal(field[i + 3])) {
            result += char(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0'));
            i += 3;
        } else {
            result += field[i];
        }
    }
    return result;
}

// "36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root rw": the
// optional fields between the options and "-" vary in number.
std::optional<Mount> parseLine(const QByteArray &line)
{
    const QList<QByteArray> fields = line.split(' ');
    const qsizetype separator = fields.indexOf(QByteArray("-"));
    if (fields.size() < 6 || separator < 6 || separator + 2 >= fields.size()) return std::nullopt;
    const QList<QByteArray> device = fields[2].split(':');
    bool ok = false;
    Mount mount;
    mount.id = fields[0].toULongLong(&ok);
    if (!ok || device.size() != 2) return std::nullopt;
    mount.device = makedev(device[0].toUInt(), device[1].toUInt());
    mount.mountPoint = unescaped(fields[4]);
    mount.type = unescaped(fields[separator + 1]);
    mount.source = unescaped(fields[separator + 2]);
    return mount;
}

bool isUnder(const QByteArray &path, const QByteArray &mountPoint)
{
    if (mountPoint == "/") return path.startsWith('/');
    return path.startsWith(mountPoint) && (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

// The mounts in the order mountinfo lists them; lines that do not parse are passed over.
std::vector<Mount> systemMounts()
{
    QByteArray text;
    if (readWholeFile("/proc/self/mountinfo", text) != 0) return {};
    std::vector<Mount> mounts;
    for (const QByteArray &line : text.split('\n')) {
        if (const std::optional<Mount> mount = parseLine(line)) mounts.push_back(*mount);
    }
    return mounts;
}

}  // namespace

std::optional<Mount> mountOf(const QByteArray &path, int &error)
{
    struct statx info {};
    if (::statx(AT_FDCWD, path.constData(), 0, STATX_MNT_ID, &info) != 0) {
        error = errno;
        return std::nullopt;
    }
    const std::vector<Mount> mounts = systemMounts();
    if (info.stx_mask & STATX_MNT_ID) {
        for (const Mount &mount : mounts) {
            if (mount.id == info.stx_mnt_id) return mount;
        }
    }
    char real[PATH_MAX];
    if (!::realpath(path.constData(), real)) {
        error = errno;
        return std::nullopt;
    }
    // A later mount on the same point hides the earlier one.
    const Mount *best = nullptr;
    for (const Mount &mount : mounts) {
        if (isUnder(QByteArray(real), mount.mountPoint) && (!best || mount.mountPoint.size() >= best->mountPoint.size()))
            best = &mount;
    }
    if (!best) {
        error = ENOENT;
        return std::nullopt;
    }
    return *best;
}

bool isWindowsFileSystem(long fileSystemMagic)
{
    return fileSystemMagic == kMsdosMagic || fileSystemMagic == kExfatMagic || fileSystemMagic == kNtfsMagic
           || fileSystemMagic == kNtfs3Magic;
}

bool isFuse(long fileSystemMagic) { return fileSystemMagic == kFuseMagic; }

bool keepsStableInodes(long fileSystemMagic)
{
    return !isWindowsFileSystem(fileSystemMagic) && !isFuse(fileSystemMagic);
}

bool foldsLetterCase(long fileSystemMagic, const QByteArray &mountType)
{
    if (fileSystemMagic == kFuseMagic) {
        return mountType == "fuseblk" || mountType.contains("fat") || mountType.contains("ntfs");
    }
    return !keepsStableInodes(fileSystemMagic) || fileSystemMagic == kHfsPlusMagic || fileSystemMagic == kCifsMagic
           || fileSystemMagic == kSmb2Magic;
}

}  // namespace nv::posix
