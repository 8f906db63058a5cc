// What the program reads from photos: their size and picture for the
// thumbnail box, and when they were taken for the capture-time order.
#pragma once

#include <QSize>
#include <QString>

class QImage;   // decoded pictures belong to the user-interface side

namespace nv {

// Why a picture could not be loaded: content that the loader cannot read as a
// picture (the user is told), or anything else, such as a missing or unreadable
// file (passed over in silence).
enum class PictureFault { None, NotAPicture, Unreadable };

// When a photo was taken, as the texts of its EXIF fields DateTimeOriginal
// ("2023:05:01 10:00:00"), SubSecTimeOriginal ("25") and OffsetTimeOriginal
// ("+09:00"); each empty when the file does not have it.
struct CaptureTimeTexts {
    QString dateTime;
    QString subSeconds;
    QString offset;
};

class Media {
public:
    virtual ~Media() = default;

    // The natural size of a picture as shown, upright by its orientation (a
    // photo taken with the camera turned has its width and height swapped),
    // read from its header without decoding it. Whether a file is a picture is
    // told by its content, never by its name.
    virtual PictureFault readPictureSize(const QString &path, QSize &size) = 0;
    // Decodes a picture upright and straight at shownSize, so a large photo
    // costs only what the thumbnail box shows.
    virtual PictureFault loadPicture(const QString &path, const QSize &shownSize, QImage &picture) = 0;
    // The EXIF capture-time texts of a photo: JPEG, HEIC / AVIF (the EXIF block
    // inside the file) and whatever else the metadata library reads. A file
    // without them, or whose metadata cannot be read, gives empty texts.
    virtual CaptureTimeTexts readCaptureTime(const QString &path) = 0;
};

}  // namespace nv
