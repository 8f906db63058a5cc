// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own folders as the desktop's base-directory rules name them.
#pragma once

#include <QString>

namespace nv {

// The folder an XDG variable names (XDG_CONFIG_HOME, XDG_STATE_HOME,
// XDG_DATA_HOME), ending in "/"; where it is unset or not a full path (the
// rules say to ignore a relative one), defaultUnderHome below the home folder.
QString userBaseFolder(const char *variable, const QString &defaultUnderHome);

}  // namespace nv
