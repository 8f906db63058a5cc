// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/programicon.h"

#include <QDir>

namespace nv {

QIcon ProgramIcon()
{
    QIcon icon;
    for (const QString &file : QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("*.png")}))
        icon.addFile(QStringLiteral(":/icons/") + file);
    return icon;
}

}  // namespace nv
