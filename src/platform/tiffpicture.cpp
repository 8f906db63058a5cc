// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tiffpicture.h"

#include <QFile>
#include <QImage>
#include <QTransform>

#include <tiffio.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace nv {
namespace {

// One band of decoded rows; a file whose strips or tiles make larger bands
// (a whole picture compressed as one strip) is too large to show.
constexpr qint64 kLargestBand = 64 << 20;

QFile &fileOf(thandle_t handle) { return *static_cast<QFile *>(handle); }

tmsize_t readFile(thandle_t handle, void *data, tmsize_t size)
{
    return tmsize_t(fileOf(handle).read(static_cast<char *>(data), qint64(size)));
}
tmsize_t writeNothing(thandle_t, void *, tmsize_t) { return 0; }
toff_t seekFile(thandle_t handle, toff_t offset, int whence)
{
    QFile &file = fileOf(handle);
    const qint64 base = whence == SEEK_CUR ? file.pos() : whence == SEEK_END ? file.size() : 0;
    return file.seek(base + qint64(offset)) ? toff_t(file.pos()) : toff_t(-1);
}
int closeNothing(thandle_t) { return 0; }
toff_t sizeOf(thandle_t handle) { return toff_t(fileOf(handle).size()); }
// A damaged file is told by the result; libtiff's own words would go to standard error.
int ignoreMessage(TIFF *, void *, const char *, const char *, va_list) { return 1; }

struct TiffDeleter {
    void operator()(TIFF *tiff) const { TIFFClose(tiff); }
    void operator()(TIFFRGBAImage *image) const { TIFFRGBAImageEnd(image); }
    void operator()(TIFFOpenOptions *options) const { TIFFOpenOptionsFree(options); }
};

std::unique_ptr<TIFF, TiffDeleter> openTiff(QFile &file)
{
    const std::unique_ptr<TIFFOpenOptions, TiffDeleter> options(TIFFOpenOptionsAlloc());
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), ignoreMessage, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), ignoreMessage, nullptr);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kLargestBand);
    // "m": read through the file, never mapping it whole.
    return std::unique_ptr<TIFF, TiffDeleter>(TIFFClientOpenExt("picture", "rm", &file, readFile, writeNothing,
                                                                seekFile, closeNothing, sizeOf, nullptr, nullptr,
                                                                options.get()));
}

// The rows a band holds: whole strips or rows of tiles, so none is decoded twice.
uint32_t bandRows(TIFF *tiff)
{
    uint32_t rows = 0;
    if (TIFFIsTiled(tiff)) TIFFGetField(tiff, TIFFTAG_TILELENGTH, &rows);
    else TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rows);
    return std::max<uint32_t>(rows, 1);
}

// Box filter: every stored pixel adds to the one shown pixel it falls in.
class Shrinker {
public:
    Shrinker(int width, int height, const QSize &size)
        : m_width(width), m_height(height), m_picture(size, QImage::Format_ARGB32), m_sums(size_t(size.width()) * 4)
    {
        for (int x = 0; x < width; ++x) m_column.push_back(int(qint64(x) * size.width() / width));
    }

    void addRow(int y, const uint32_t *pixels)
    {
        const int row = int(qint64(y) * m_picture.height() / m_height);
        if (row != m_row) flush();
        m_row = row;
        ++m_rowsAdded;
        for (int x = 0; x < m_width; ++x) {
            quint64 *sum = &m_sums[size_t(m_column[size_t(x)]) * 4];
            sum[0] += TIFFGetR(pixels[x]);
            sum[1] += TIFFGetG(pixels[x]);
            sum[2] += TIFFGetB(pixels[x]);
            sum[3] += TIFFGetA(pixels[x]);
        }
    }
    QImage finish()
    {
        flush();
        return m_picture;
    }

private:
    void flush()
    {
        if (m_rowsAdded == 0) return;
        auto *line = reinterpret_cast<QRgb *>(m_picture.scanLine(m_row));
        const int columns = m_picture.width();
        for (int x = 0, first = 0; x < columns; ++x) {
            int last = first;
            while (last < m_width && m_column[size_t(last)] == x) ++last;
            const quint64 count = quint64(std::max(last - first, 1)) * quint64(m_rowsAdded);
            const quint64 *sum = &m_sums[size_t(x) * 4];
            line[x] = qRgba(int(sum[0] / count), int(sum[1] / count), int(sum[2] / count), int(sum[3] / count));
            first = last;
        }
        std::fill(m_sums.begin(), m_sums.end(), 0);
        m_rowsAdded = 0;
    }

    const int m_width;
    const int m_height;
    QImage m_picture;
    std::vector<int> m_column;   // the shown column of each stored one
    std::vector<quint64> m_sums;   // red, green, blue and alpha of the shown row being added up
    int m_row = 0;
    int m_rowsAdded = 0;
};

// As Qt's reader turns a picture by its orientation.
QImage turned(const QImage &picture, QImageIOHandler::Transformations turn)
{
    if (turn == QImageIOHandler::TransformationRotate270) return picture.transformed(QTransform().rotate(270));
    const QImage mirrored = picture.mirrored(turn.testFlag(QImageIOHandler::TransformationMirror),
                                             turn.testFlag(QImageIOHandler::TransformationFlip));
    return turn.testFlag(QImageIOHandler::TransformationRotate90) ? mirrored.transformed(QTransform().rotate(90))
                                                                   : mirrored;
}

}  // namespace

bool startsLikeTiff(QFile &file)
{
    const QByteArray head = file.peek(4);
    return head == QByteArray("II*\0", 4) || head == QByteArray("MM\0*", 4) || head == QByteArray("II+\0", 4)
           || head == QByteArray("MM\0+", 4);
}

PictureFault decodeTiffInBands(QFile &file, const QSize &storedSize, QImageIOHandler::Transformations turn,
                               QImage &picture)
{
    if (!file.seek(0)) return PictureFault::Unreadable;
    const std::unique_ptr<TIFF, TiffDeleter> tiff = openTiff(file);
    char message[1024] = {};
    TIFFRGBAImage image{};
    if (!tiff || !TIFFRGBAImageOK(tiff.get(), message) || !TIFFRGBAImageBegin(&image, tiff.get(), 1, message))
        return PictureFault::NotAPicture;
    const std::unique_ptr<TIFFRGBAImage, TiffDeleter> ending(&image);
    image.req_orientation = image.orientation;   // as stored: Qt's turn follows
    const int width = int(image.width), height = int(image.height);
    const uint32_t rows = std::min<uint32_t>(bandRows(tiff.get()), image.height);
    if (qint64(width) * rows * 4 > kLargestBand) return PictureFault::TooLarge;
    std::vector<uint32_t> band(size_t(width) * rows);
    Shrinker shrinker(width, height, storedSize);
    for (int top = 0; top < height; top += int(rows)) {
        const uint32_t count = std::min<uint32_t>(rows, uint32_t(height - top));
        image.row_offset = top;
        if (!TIFFRGBAImageGet(&image, band.data(), uint32_t(width), count)) return PictureFault::NotAPicture;
        for (uint32_t row = 0; row < count; ++row) shrinker.addRow(top + int(row), &band[size_t(row) * width]);
    }
    picture = turned(shrinker.finish(), turn);
    return PictureFault::None;
}

}  // namespace nv
