// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/userfolders.h"

#include "platform/nativepath.h"
#include "platform/paths.h"

#include <QDir>

namespace nv {

QString userBaseFolder(const char *variable, const QString &defaultUnderHome)
{
    const QString fromEnvironment = fromNativeName(qgetenv(variable));
    if (fromEnvironment.startsWith(QLatin1Char('/'))) return withTrailingSlash(fromEnvironment);
    return withTrailingSlash(withTrailingSlash(QDir::homePath()) + defaultUnderHome);
}

}  // namespace nv
