// SPDX-License-Identifier: GPL-3.0-or-later
// Norvanta2: renames image files in batches.
#include "app/colorscheme.h"
#include "app/form1.h"
#include "app/programicon.h"
#include "app/uilanguage.h"
#include "platform/desktopplatform.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    nv::installUiLanguage(application, QCoreApplication::applicationDirPath());
    nv::applyColorScheme(application);
    // Docks and task bars match the window to its menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(NV_APPLICATION_ID));
    QApplication::setWindowIcon(nv::ProgramIcon());
    nv::DesktopPlatform platform;
    const nv::ProgramFolders folders = nv::LocateProgramFolders(platform, QCoreApplication::applicationDirPath());
    // An installed program's first start; a failure shows when the exit button cannot save.
    platform.makeFolder(folders.settings);
    nv::Form1 window(platform, folders);
    window.Form_Load();
    return application.exec();
}
