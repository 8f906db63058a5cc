#include "app/programfolders.h"

#include "platform/nativepath.h"

#include <QDir>

namespace nv {
namespace {

const QString kInstalledNotesFolder = QStringLiteral("share/norvanta2/");
const QString kSettingsFolderName = QStringLiteral("norvanta2/");

// The user's configuration folder as the desktop's base-directory rules give
// it; a relative value is to be ignored, as those rules say.
QString configurationHome()
{
    const QString fromEnvironment = fromNativeName(qgetenv("XDG_CONFIG_HOME"));
    if (fromEnvironment.startsWith(QLatin1Char('/'))) return withTrailingSlash(fromEnvironment);
    return withTrailingSlash(QDir::homePath()) + QStringLiteral(".config/");
}

}  // namespace

ProgramFolders LocateProgramFolders(Folders &folders, const QString &executableFolder)
{
    const qsizetype lastSlash = executableFolder.lastIndexOf(QLatin1Char('/'));
    if (lastSlash >= 0 && executableFolder.mid(lastSlash + 1) == QLatin1String("bin")) {
        const QString notes = executableFolder.left(lastSlash + 1) + kInstalledNotesFolder;
        if (folders.checkFolder(notes).ok()) return {configurationHome() + kSettingsFolderName, notes};
    }
    return ProgramFolders(executableFolder);
}

}  // namespace nv
