// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/heifpicture.h"

#include <QFile>
#include <QImage>

#include <libheif/heif.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace nv {
namespace {

// libheif reads through the file the loader already opened by the exact bytes
// of its name. A read the disk refuses is told apart from a file that merely
// ends too soon: the first is passed over in silence like any unreadable file,
// the second is a picture libheif cannot read.
struct FileSource {
    QFile &file;
    bool diskFailed = false;
};

FileSource &sourceOf(void *userData) { return *static_cast<FileSource *>(userData); }

const heif_reader kFileReader = {
    1,
    [](void *source) -> int64_t { return sourceOf(source).file.pos(); },
    [](void *data, size_t size, void *source) -> int {
        const qint64 got = sourceOf(source).file.read(static_cast<char *>(data), qint64(size));
        if (got < 0) sourceOf(source).diskFailed = true;
        return got == qint64(size) ? 0 : 1;
    },
    [](int64_t position, void *source) -> int { return sourceOf(source).file.seek(position) ? 0 : 1; },
    [](int64_t size, void *source) {
        return size <= sourceOf(source).file.size() ? heif_reader_grow_status_size_reached
                                                    : heif_reader_grow_status_size_beyond_eof;
    },
};

struct HeifDeleter {
    void operator()(heif_context *context) const { heif_context_free(context); }
    void operator()(const heif_image_handle *handle) const { heif_image_handle_release(handle); }
    void operator()(heif_decoding_options *options) const { heif_decoding_options_free(options); }
};
using Context = std::unique_ptr<heif_context, HeifDeleter>;
using Handle = std::unique_ptr<const heif_image_handle, HeifDeleter>;


// The file read and its primary picture found, or the fault to report.
class HeifFile {
public:
    explicit HeifFile(QFile &file) : m_source{file}
    {
        static const bool initialised = heif_init(nullptr).code == heif_error_Ok;   // once, for the codecs
        if (!initialised) return;
        m_context.reset(heif_context_alloc());
        if (!m_context) return;
        heif_image_handle *primary = nullptr;
        if (heif_context_read_from_reader(m_context.get(), &kFileReader, &m_source, nullptr).code == heif_error_Ok
            && heif_context_get_primary_image_handle(m_context.get(), &primary).code == heif_error_Ok)
            m_primary.reset(primary);
    }

    const heif_image_handle *primary() const { return m_primary.get(); }
    PictureFault fault() const { return m_source.diskFailed ? PictureFault::Unreadable : PictureFault::NotAPicture; }

private:
    FileSource m_source;
    Context m_context;
    Handle m_primary;
};

QSize shownSizeOf(const heif_image_handle *handle)
{
    return {heif_image_handle_get_width(handle), heif_image_handle_get_height(handle)};
}

// Within 2 %, so a thumbnail stored without the picture's rotation is never taken.
bool sameShape(const QSize &a, const QSize &b)
{
    return std::llabs(qint64(a.width()) * b.height() - qint64(b.width()) * a.height()) * 50
           <= qint64(a.width()) * b.height();
}

// libheif decodes a picture whole before it is scaled down, tile by tile into
// the whole for a grid: the planes as coded (three samples a pixel at most)
// and four bytes a pixel of RGBA.
qint64 decodingCost(const heif_image_handle *handle)
{
    const qint64 bytesPerSample = heif_image_handle_get_luma_bits_per_pixel(handle) > 8 ? 2 : 1;
    const QSize size = shownSizeOf(handle);
    return qint64(size.width()) * size.height() * (4 + 3 * bytesPerSample);
}

// The thumbnail stored with the picture to decode instead of it: the smallest
// that still covers shownSize (phones store one, and decoding it instead of
// twelve megapixels is what keeps the box quick), or with anySize, failing
// that, the largest there is.
Handle storedThumbnail(const heif_image_handle *primary, const QSize &shownSize, bool anySize)
{
    const int count = heif_image_handle_get_number_of_thumbnails(primary);
    if (count <= 0) return {};
    std::vector<heif_item_id> ids(size_t(count), 0);
    heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    Handle covering, largest;
    for (const heif_item_id id : ids) {
        heif_image_handle *candidate = nullptr;
        if (heif_image_handle_get_thumbnail(primary, id, &candidate).code != heif_error_Ok) continue;
        Handle owned(candidate);
        const QSize size = shownSizeOf(candidate);
        if (!sameShape(size, shownSizeOf(primary)) || decodingCost(candidate) > kPictureBudget) continue;
        const bool covers = size.width() >= shownSize.width() && size.height() >= shownSize.height();
        if (covers) {
            if (!covering || size.width() < shownSizeOf(covering.get()).width()) covering = std::move(owned);
        } else if (!largest || size.width() > shownSizeOf(largest.get()).width()) {
            largest = std::move(owned);
        }
    }
    return covering || !anySize ? std::move(covering) : std::move(largest);
}

// Decoded upright as 8-bit RGBA: four bytes a pixel, which Qt scales down
// several times faster than three. The pixels stay libheif's and are released
// with the last copy of the QImage.
QImage decodeUpright(const heif_image_handle *handle)
{
    const std::unique_ptr<heif_decoding_options, HeifDeleter> options(heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1;   // ten-bit photos too; the box shows eight bits a channel
    heif_image *image = nullptr;
    if (heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, options.get()).code
        != heif_error_Ok)
        return {};
    int stride = 0;
    const uint8_t *pixels = heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image, heif_channel_interleaved);
    const int height = heif_image_get_height(image, heif_channel_interleaved);
    const auto release = [](void *decoded) { heif_image_release(static_cast<heif_image *>(decoded)); };
    if (!pixels || width <= 0 || height <= 0) {
        release(image);
        return {};
    }
    const QImage::Format format = !heif_image_handle_has_alpha_channel(handle) ? QImage::Format_RGBX8888
                                  : heif_image_handle_is_premultiplied_alpha(handle)
                                      ? QImage::Format_RGBA8888_Premultiplied
                                      : QImage::Format_RGBA8888;
    return QImage(pixels, width, height, stride, format, release, image);
}

}  // namespace

bool startsLikeHeif(QFile &file)
{
    const QByteArray head = file.peek(12);
    return head.size() == 12
           && heif_check_filetype(reinterpret_cast<const uint8_t *>(head.constData()), int(head.size()))
                  != heif_filetype_no;
}

PictureFault readHeifPictureSize(QFile &file, QSize &size)
{
    const HeifFile heif(file);
    if (!heif.primary()) return heif.fault();
    size = shownSizeOf(heif.primary());
    return size.isEmpty() ? PictureFault::NotAPicture : PictureFault::None;
}

PictureFault decodeHeifPicture(QFile &file, const QSize &shownSize, QImage &picture)
{
    const HeifFile heif(file);
    if (!heif.primary()) return heif.fault();
    // A grid of 15872 x 15872 pixels takes a few kilobytes to store and 1.7 GB
    // to decode: beyond the budget only a stored thumbnail can be shown.
    const bool fitsWhole = decodingCost(heif.primary()) <= kPictureBudget;
    QImage upright;
    // A thumbnail that will not decode leaves the full picture to try.
    if (const Handle thumbnail = storedThumbnail(heif.primary(), shownSize, !fitsWhole))
        upright = decodeUpright(thumbnail.get());
    if (upright.isNull() && !fitsWhole) return PictureFault::TooLarge;
    if (upright.isNull()) upright = decodeUpright(heif.primary());
    if (upright.isNull()) return heif.fault();
    picture = upright.size() == shownSize
                  ? upright
                  : upright.scaled(shownSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return PictureFault::None;
}

}  // namespace nv
