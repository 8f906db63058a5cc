// Norvanta2: renames image files in batches.
#include "app/form1.h"
#include "platform/desktopplatform.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    nv::DesktopPlatform platform;
    nv::Form1 window(platform, QCoreApplication::applicationDirPath());
    window.Form_Load();
    return application.exec();
}
