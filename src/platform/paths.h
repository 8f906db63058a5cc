// SPDX-License-Identifier: GPL-3.0-or-later
// Paths as every role of the platform takes them: QStrings, folder paths
// ending in "/". Names that are not valid UTF-8 on disk are carried losslessly
// (see nativepath.h), so every operation reaches the exact bytes that a
// listing returned.
#pragma once

#include <QString>

namespace nv {

// The root of the file system: the volume chosen when no other one is, and the
// last folder a pane can go up to when its own cannot be listed.
inline const QString kRootFolder = QStringLiteral("/");

// Joins a folder path (ending in "/") or a bare path with a name.
inline QString joinPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// Appends "/" unless the path already ends in one.
inline QString withTrailingSlash(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

}  // namespace nv
