// Reading when a photo was taken from its EXIF fields, with libexiv2.
#include "platform/desktopplatform.h"
#include "platform/heifpicture.h"
#include "platform/nativepath.h"

#include <QFile>
#include <QtEndian>

#include <exiv2/exiv2.hpp>

namespace nv {
namespace {

constexpr uchar kMarker = 0xFF;
constexpr uchar kStartOfImage = 0xD8, kEndOfImage = 0xD9, kStartOfScan = 0xDA, kApp1 = 0xE1;
const QByteArray kExifHeader("Exif\0\0", 6);

// A JPEG keeps its EXIF in an APP1 segment ahead of the picture data. Walking
// the segment headers reaches it in a few reads, about twice as fast as
// letting the library open the file as a whole, which tells on cold listings
// of thousands of photos. Anything unexpected ends the walk: no EXIF.
QByteArray jpegExif(QFile &file)
{
    const QByteArray start = file.read(2);
    if (start.size() < 2 || uchar(start[0]) != kMarker || uchar(start[1]) != kStartOfImage) return {};
    for (;;) {
        const QByteArray head = file.read(4);
        if (head.size() < 4 || uchar(head[0]) != kMarker) return {};
        const uchar marker = uchar(head[1]);
        const qint64 length = qFromBigEndian<quint16>(head.constData() + 2) - 2;
        if (marker == kStartOfScan || marker == kEndOfImage || length < 0) return {};
        if (marker == kApp1) {
            const QByteArray payload = file.read(length);
            if (payload.startsWith(kExifHeader)) return payload.mid(kExifHeader.size());
        } else if (!file.seek(file.pos() + length)) {
            return {};
        }
    }
}

CaptureTimeTexts textsOf(const Exiv2::ExifData &exif)
{
    static const Exiv2::ExifKey dateTime("Exif.Photo.DateTimeOriginal"), subSeconds("Exif.Photo.SubSecTimeOriginal"),
        offset("Exif.Photo.OffsetTimeOriginal");
    const auto text = [&](const Exiv2::ExifKey &key) {
        const auto found = exif.findKey(key);
        return found == exif.end() ? QString() : QString::fromStdString(found->toString());
    };
    return {text(dateTime), text(subSeconds), text(offset)};
}

CaptureTimeTexts readExif(const QString &path, QFile &file)
{
    const QByteArray head = file.peek(2);
    const bool jpeg = head.size() == 2 && uchar(head[0]) == kMarker && uchar(head[1]) == kStartOfImage;
    Exiv2::ExifData exif;
    if (jpeg || startsLikeHeif(file)) {
        const QByteArray tiff = jpeg ? jpegExif(file) : readHeifExif(file);
        if (tiff.isEmpty()) return {};
        Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte *>(tiff.constData()),
                                  uint32_t(tiff.size()));
    } else {
        // TIFF, raw formats, PNG, WebP, ...: the library knows them by content.
        const auto image = Exiv2::ImageFactory::open(toNativeName(path).toStdString());
        image->readMetadata();
        exif = image->exifData();
    }
    return textsOf(exif);
}

}  // namespace

CaptureTimeTexts FileMedia::readCaptureTime(const QString &path)
{
    // The library reports what it dislikes in a file on standard error; a
    // damaged photo just has no capture time here.
    static const bool muted = (Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute), true);
    Q_UNUSED(muted);
    QFile file;
    if (!openByNativeName(path, file)) return {};
    try {
        return readExif(path, file);
    } catch (const std::exception &) {   // the library's own errors and memory for absurd sizes alike
        return {};
    }
}

}  // namespace nv
