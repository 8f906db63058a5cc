// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/sysinfo.h"

namespace nv {
namespace {

const QString kMsInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kSharedToolsLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

// Tried in this order where no registry names the program: the dedicated
// system-information tools first, then the monitors that desktops ship.
const char *const kKnownSysInfoPrograms[] = {
    "hardinfo2", "hardinfo", "kinfocenter", "lshw-gtk",
    "gnome-system-monitor", "mate-system-monitor", "ksysguard", "xfce4-taskmanager",
};

QString programOnSearchPath(Desktop &desktop)
{
    for (const char *name : kKnownSysInfoPrograms) {
        const QString found = desktop.findProgram(QString::fromLatin1(name));
        if (!found.isEmpty()) return found;
    }
    return QString();
}

}  // namespace

bool GetKeyValue(Desktop &desktop, RegistryRoot keyRoot, const QString &keyName, const QString &subKeyRef,
                 QString &keyVal)
{
    const FsResult<RegistryValue> value = desktop.readRegistryValue(keyRoot, keyName, subKeyRef);
    if (!value.ok()) {
        keyVal.clear();
        return false;
    }
    QByteArray bytes = value.value.bytes;
    if (bytes.endsWith('\0')) bytes.chop(1);
    if (value.value.type == RegistryValueType::String) keyVal = QString::fromLocal8Bit(bytes);
    return true;
}

void StartSysInfo(Desktop &desktop, Folders &folders, Dialogs &dialogs)
{
    QString program;
    if (GetKeyValue(desktop, RegistryRoot::LocalMachine, kMsInfoKey, QStringLiteral("PATH"), program)) {
        // Taken as it stands: the registry is trusted to name a real file.
    } else if (GetKeyValue(desktop, RegistryRoot::LocalMachine, kSharedToolsLocationKey, QStringLiteral("MSINFO"),
                           program)) {
        program += QStringLiteral("\\MSINFO32.EXE");
        if (!folders.fileExists(program)) program.clear();
    } else {
        program = programOnSearchPath(desktop);
    }
    // A value that was found but held no text leaves nothing to start.
    if (program.isEmpty() || !desktop.startProgram(program))
        dialogs.showMessage(sysInfoUnavailableMessage(), MessageButtons::Ok, MessageIcon::None);
}

}  // namespace nv
