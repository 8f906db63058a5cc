// Reading pictures from files with Qt's image plugins, and HEIC / AVIF with
// libheif, upright either way. Shared by the desktop platform and the platform
// of the tests, so both load pictures the same way.
#pragma once

#include "platform/platform.h"

namespace nv {

PictureFault readPictureSizeFromFile(const QString &path, QSize &size);
PictureFault decodePictureFile(const QString &path, const QSize &shownSize, QImage &picture);

}  // namespace nv
