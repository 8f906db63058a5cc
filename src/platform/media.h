// SPDX-License-Identifier: GPL-3.0-or-later
// What the program reads from photos: their size and picture for the
// thumbnail box, and when they were taken for the capture-time order.
#pragma once

#include <QSize>
#include <QString>

class QImage;   // decoded pictures belong to the user-interface side

namespace nv {

// Why a picture could not be loaded: content that the loader cannot read as a
// picture, or a picture that cannot be decoded within the memory budget (the
// user is told either), or anything else, such as a missing or unreadable file
// (passed over in silence).
enum class PictureFault { None, NotAPicture, TooLarge, Unreadable };

// What decoding one picture may take in memory. Pictures of cameras and
// scanners up to 200 megapixels fit: they are decoded at the size shown, in
// bands, or from a thumbnail stored with them.
inline constexpr qint64 kPictureBudget = qint64(512) << 20;

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
    // costs only what the thumbnail box shows, and never more than kPictureBudget.
    virtual PictureFault loadPicture(const QString &path, const QSize &shownSize, QImage &picture) = 0;
    // The EXIF capture-time texts of a photo: JPEG, HEIC / AVIF, TIFF and the
    // raw formats built on it, PNG and WebP, told by their content. Any other
    // file (a video), or one whose metadata cannot be read, gives empty texts.
    // Reads at most a few MiB of the file into memory. Called off the window's
    // thread, and may be called on several at once.
    virtual CaptureTimeTexts readCaptureTime(const QString &path) = 0;
};

}  // namespace nv
