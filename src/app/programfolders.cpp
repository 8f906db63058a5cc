// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/programfolders.h"

#include "platform/userfolders.h"

namespace nv {
namespace {

const QString kInstalledNotesFolder = QStringLiteral("share/norvanta2/");
const QString kProgramFolderName = QStringLiteral("norvanta2/");

}  // namespace

ProgramFolders LocateProgramFolders(Folders &folders, const QString &executableFolder)
{
    const qsizetype lastSlash = executableFolder.lastIndexOf(QLatin1Char('/'));
    if (lastSlash >= 0 && executableFolder.mid(lastSlash + 1) == QLatin1String("bin")) {
        const QString notes = executableFolder.left(lastSlash + 1) + kInstalledNotesFolder;
        if (folders.checkFolder(notes).ok()) {
            return {userBaseFolder("XDG_CONFIG_HOME", QStringLiteral(".config")) + kProgramFolderName, notes,
                    userBaseFolder("XDG_STATE_HOME", QStringLiteral(".local/state")) + kProgramFolderName};
        }
    }
    return ProgramFolders(executableFolder);
}

}  // namespace nv
