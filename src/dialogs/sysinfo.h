// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the system-information program from the about box. Where a registry
// names it, the registry is asked first; elsewhere a known program on the
// search path stands in for it.
#pragma once

#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/folders.h"

#include <QCoreApplication>

namespace nv {

inline QString sysInfoUnavailableMessage()
{
    return QCoreApplication::translate("SysInfo", "現時点ではｼｽﾃﾑ情報を使用できません");
}

// Reads one string value. False, with keyVal emptied, when the key or the value
// cannot be read. One zero byte at the end of the stored bytes is dropped. A
// value of another type counts as found but leaves keyVal as it was.
bool GetKeyValue(Desktop &desktop, RegistryRoot keyRoot, const QString &keyName, const QString &subKeyRef,
                 QString &keyVal);

// Starts the program without waiting for it, or tells the user that there is
// none to start. A program that a registry places in a folder must be there.
void StartSysInfo(Desktop &desktop, Folders &folders, Dialogs &dialogs);

}  // namespace nv
