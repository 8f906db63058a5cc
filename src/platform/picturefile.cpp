// Reading pictures from files with Qt's image plugins, and HEIC / AVIF with
// libheif, upright either way.
#include "platform/desktopplatform.h"
#include "platform/heifpicture.h"
#include "platform/nativepath.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

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
    QImageReader reader(&file);
    prepare(reader);
    // The reader scales the picture as stored and turns it upright afterwards.
    reader.setScaledSize(turnsSideways(reader) ? shownSize.transposed() : shownSize);
    if (!reader.read(&picture)) return faultOf(reader);
    return PictureFault::None;
}

}  // namespace nv
