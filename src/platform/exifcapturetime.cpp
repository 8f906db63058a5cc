// SPDX-License-Identifier: GPL-3.0-or-later
// Reading when a photo was taken from its EXIF fields, with libexiv2. Only
// the formats that keep it there are read, told by their first bytes and
// never by their names: JPEG, HEIF / AVIF, TIFF and the raw formats built on
// it, PNG and WebP. Any other file, a video above all, has no capture time:
// the library loops without end on some malformed videos. It never sees a
// file either, only bytes read into memory within a bound: the EXIF block of
// a JPEG or HEIF file, or the first bytes of the others.
#include "platform/desktopplatform.h"
#include "platform/heifexif.h"
#include "platform/heifpicture.h"
#include "platform/nativepath.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <exiv2/exiv2.hpp>

#include <array>

namespace nv {
namespace {

constexpr uchar kMarker = 0xFF;
constexpr uchar kStartOfImage = 0xD8, kEndOfImage = 0xD9, kStartOfScan = 0xDA, kApp1 = 0xE1;
const QByteArray kExifHeader("Exif\0\0", 6);

// Metadata sits at the start of these formats. A raw file keeps its EXIF
// within the first kilobytes; the first read covers that, a second, longer
// one what a PNG or WebP file keeps after its first picture data.
constexpr std::array<qint64, 2> kPrefixes{256 << 10, 4 << 20};

// What the library reads from the first bytes: TIFF in either byte order,
// Olympus and Panasonic raw files, PNG, and WebP (RIFF ... WEBP).
bool libraryReads(const QByteArray &head)
{
    static const QByteArray kStarts[] = {QByteArray("II*\0", 4), QByteArray("MM\0*", 4), "IIRO", "IIRS", "MMOR",
                                         QByteArray("IIU\0", 4), "\x89PNG\r\n\x1a\n"};
    for (const QByteArray &start : kStarts) {
        if (head.startsWith(start)) return true;
    }
    return head.startsWith("RIFF") && head.mid(8, 4) == "WEBP";
}

// A JPEG keeps its EXIF in an APP1 segment ahead of the picture data. Walking
// the segment headers reaches it in a few reads, about twice as fast as
// letting the library open the file as a whole, which tells on cold listings
// of thousands of photos. Anything unexpected ends the walk: no EXIF.
QByteArray jpegExif(QFile &file)
{
    file.seek(2);
    while (file.pos() < kPrefixes.back()) {
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
    return {};
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

const Exiv2::byte *bytesOf(const QByteArray &data) { return reinterpret_cast<const Exiv2::byte *>(data.constData()); }

CaptureTimeTexts decodeTiffBlock(const QByteArray &tiff)
{
    if (tiff.isEmpty()) return {};
    Exiv2::ExifData exif;
    Exiv2::ExifParser::decode(exif, bytesOf(tiff), uint32_t(tiff.size()));
    return textsOf(exif);
}

// A prefix that cuts the metadata short fails or finds nothing; the longer
// one is tried then, unless the first held the whole file.
CaptureTimeTexts readPrefix(QFile &file)
{
    CaptureTimeTexts texts;
    for (const qint64 length : kPrefixes) {
        if (!file.seek(0)) return {};
        const QByteArray prefix = file.read(length);
        try {
            const auto image = Exiv2::ImageFactory::open(bytesOf(prefix), long(prefix.size()));
            image->readMetadata();
            texts = textsOf(image->exifData());
        } catch (const std::exception &) {   // the library's own errors and memory for absurd sizes alike
            texts = {};
        }
        if (!texts.dateTime.isEmpty() || prefix.size() < length) break;
    }
    return texts;
}

}  // namespace

FileMedia::FileMedia()
{
    // Qt's handlers refuse pictures over 128 MiB on their own; the budget
    // decides instead (picturefile.cpp).
    QImageReader::setAllocationLimit(int(kPictureBudget >> 20));
    // The library reports what it dislikes in a file on standard error; a
    // damaged photo just has no capture time here.
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    // Its XMP parser sets itself up on first use, which is not safe on two
    // threads at once: capture times are read off the window's thread.
    Exiv2::XmpParser::initialize();
}

CaptureTimeTexts FileMedia::readCaptureTime(const QString &path)
{
    QFile file;
    if (!openByNativeName(path, file)) return {};
    const QByteArray head = file.peek(12);
    try {
        if (head.startsWith("\xff\xd8\xff")) return decodeTiffBlock(jpegExif(file));
        if (startsLikeHeif(file)) return decodeTiffBlock(readHeifExif(file));
    } catch (const std::exception &) {
        return {};
    }
    return libraryReads(head) ? readPrefix(file) : CaptureTimeTexts();
}

}  // namespace nv
