// SPDX-License-Identifier: GPL-3.0-or-later
// TIFF pictures too large to decode whole within the memory budget, as
// scanners make them: read in bands of rows with libtiff and scaled down as
// the bands come, so a 200-megapixel scan costs a few megabytes.
#pragma once

#include "platform/media.h"

#include <QImageIOHandler>

class QFile;

namespace nv {

// The file, read from its start, starts like a TIFF file (or a BigTIFF one),
// in either byte order.
bool startsLikeTiff(QFile &file);
// The picture as stored, scaled to storedSize, then turned upright by turn.
PictureFault decodeTiffInBands(QFile &file, const QSize &storedSize, QImageIOHandler::Transformations turn,
                               QImage &picture);

}  // namespace nv
