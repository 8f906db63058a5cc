// SPDX-License-Identifier: GPL-3.0-or-later
#include "tempfolder.h"

#include "platform/nativepath.h"

#include <QDir>
#include <QtTest>

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nv {

TempFolder::TempFolder() : m_path(m_dir.path() + QLatin1Char('/')) { m_dir.setAutoRemove(false); }

TempFolder::~TempFolder()
{
    const auto removeEntry = [](const char *path, const struct stat *, int, struct FTW *) {
        ::remove(path);
        return 0;   // on with the rest
    };
    ::nftw(toNativeName(m_path).constData(), removeEntry, 16, FTW_DEPTH | FTW_PHYS | FTW_MOUNT);
}

QString TempFolder::addFile(const QString &name, const QByteArray &contents, qint64 modified)
{
    const QString path = pathOf(name);
    const QByteArray native = toNativeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) qFatal("cannot create %s", native.constData());
    if (::write(fd, contents.constData(), size_t(contents.size())) != contents.size()) qFatal("short write");
    ::close(fd);
    if (modified >= 0) {
        const struct timespec times[2] = {{time_t(modified), 0}, {time_t(modified), 0}};
        ::utimensat(AT_FDCWD, native.constData(), times, 0);
    }
    return path;
}

QString TempFolder::addFolder(const QString &name)
{
    ::mkdir(toNativeName(pathOf(name)).constData(), 0755);
    return pathOf(name) + QLatin1Char('/');
}

bool TempFolder::exists(const QString &name) const
{
    struct stat info {};
    return ::lstat(toNativeName(pathOf(name)).constData(), &info) == 0;
}

QByteArray TempFolder::contents(const QString &name) const
{
    QByteArray bytes;
    const int fd = ::open(toNativeName(pathOf(name)).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return bytes;
    char buffer[65536];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0) bytes.append(buffer, got);
    ::close(fd);
    return bytes;
}

QStringList TempFolder::names() const
{
    QStringList result;
    DIR *dir = ::opendir(toNativeName(m_path).constData());
    if (!dir) return result;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..") result.append(fromNativeName(name));
    }
    ::closedir(dir);
    result.sort();
    return result;
}

}  // namespace nv
