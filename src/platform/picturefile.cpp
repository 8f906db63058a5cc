// SPDX-License-Identifier: GPL-3.0-or-later
// Reading pictures from files with Qt's image plugins, HEIC / AVIF with
// libheif and TIFF too large to decode whole with libtiff, upright every way.
#include "platform/desktopplatform.h"
#include "platform/heifpicture.h"
#include "platform/nativepath.h"
#include "platform/tiffpicture.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <algorithm>

namespace nv {
namespace {

void prepare(QImageReader &reader)
{
    reader.setDecideFormatFromContent(true);
    // Photos are shown the way the camera was held, by their EXIF orientation.
    reader.setAutoTransform(true);
}

bool turnsSideways(QImageReader &reader)
{
    return reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
}

// What the reader's handler takes to decode the picture whole: it does so
// unless it can scale while it reads (JPEG, PNG).
qint64 wholeCost(QImageReader &reader)
{
    const QSize size = reader.size();
    const int bytesPerPixel = std::max(4, QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel() / 8);
    return qint64(std::max(size.width(), 0)) * std::max(size.height(), 0) * bytesPerPixel;
}

PictureFault faultOf(const QImageReader &reader)
{
    switch (reader.error()) {
    case QImageReader::UnsupportedFormatError:
    case QImageReader::InvalidDataError:
        return PictureFault::NotAPicture;
    default:
        return PictureFault::Unreadable;
    }
}

}  // namespace

// The file is opened through the exact bytes of its name, so names that are
// not valid UTF-8 still load; the reader gets the open file, not the name, and
// so cannot guess the format from an extension.
PictureFault FileMedia::readPictureSize(const QString &path, QSize &size)
{
    QFile file;
    if (!openByNativeName(path, file)) return PictureFault::Unreadable;
    if (startsLikeHeif(file)) return readHeifPictureSize(file, size);
    QImageReader reader(&file);
    prepare(reader);
    if (!reader.canRead()) return faultOf(reader);
    if (reader.supportsOption(QImageIOHandler::Size)) {
        size = reader.size();
        if (turnsSideways(reader)) size.transpose();
        if (size.isValid()) return PictureFault::None;
    }
    // A format that keeps no size in a header: decoding is the only way to know.
    const QImage whole = reader.read();
    if (whole.isNull()) return faultOf(reader);
    size = whole.size();
    return PictureFault::None;
}

PictureFault FileMedia::loadPicture(const QString &path, const QSize &shownSize, QImage &picture)
{
    QFile file;
    if (!openByNativeName(path, file)) return PictureFault::Unreadable;
    if (startsLikeHeif(file)) return decodeHeifPicture(file, shownSize, picture);
    const bool tiff = startsLikeTiff(file);
    QImageReader reader(&file);
    prepare(reader);
    // The reader scales the picture as stored and turns it upright afterwards.
    const QSize storedSize = turnsSideways(reader) ? shownSize.transposed() : shownSize;
    const bool fitsWhole = wholeCost(reader) <= kPictureBudget;
    if (!fitsWhole && !reader.supportsOption(QImageIOHandler::ScaledSize)) {
        return tiff ? decodeTiffInBands(file, storedSize, reader.transformation(), picture) : PictureFault::TooLarge;
    }
    reader.setScaledSize(storedSize);
    if (reader.read(&picture)) return PictureFault::None;
    // A handler may decode whole what it was asked to scale (an interlaced PNG).
    return fitsWhole ? faultOf(reader) : PictureFault::TooLarge;
}

}  // namespace nv
