// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes.h"

namespace nv {

QString Volumes::volumeOf(const QString &path)
{
    const QString folder = withTrailingSlash(path);
    QString best;
    for (const Volume &volume : volumes()) {
        if (folder.startsWith(volume.root) && volume.root.size() > best.size()) best = volume.root;
    }
    return best;
}

}  // namespace nv
