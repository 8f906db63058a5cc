// Reading when a photo was taken from its EXIF fields, with libexiv2. Shared by
// the desktop platform and the platform of the tests.
#pragma once

#include "platform/platform.h"

namespace nv {

CaptureTimeTexts readCaptureTimeFromFile(const QString &path);

}  // namespace nv
