// SPDX-License-Identifier: GPL-3.0-or-later
// HEIC / HEIF and AVIF pictures, which phones write and Qt's image plugins do
// not read, through libheif. The picture loader hands over a file here when its
// content starts like one of these, whatever the file is called.
#pragma once

#include "platform/media.h"

class QFile;

namespace nv {

// The file starts with the box that opens a HEIF-family file.
bool startsLikeHeif(QFile &file);
// The size as shown, after the file's own rotation, mirroring and cropping.
PictureFault readHeifPictureSize(QFile &file, QSize &size);
// Upright, at shownSize; from a thumbnail stored in the file when one is at
// least that large, otherwise from the full picture, or for a picture too
// large to decode whole within kPictureBudget from the largest thumbnail.
PictureFault decodeHeifPicture(QFile &file, const QSize &shownSize, QImage &picture);

}  // namespace nv
