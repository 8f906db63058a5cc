// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktopplatform.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace nv {

void DesktopServices::openUrl(const QString &url) { QDesktopServices::openUrl(QUrl(url)); }

bool DesktopServices::startProgram(const QString &program)
{
    return !program.isEmpty() && QProcess::startDetached(program, {});
}

QString DesktopServices::findProgram(const QString &name) { return QStandardPaths::findExecutable(name); }

// Linux keeps no registry: every look-up finds nothing.
FsResult<RegistryValue> DesktopServices::readRegistryValue(RegistryRoot, const QString &, const QString &)
{
    return {{}, FsStatus::failure(FsFault::Missing, QString())};
}

}  // namespace nv
