// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/thumbnailfit.h"
#include "preview/thumbnailloader.h"
#include "platform/nativepath.h"
#include "tempfolder.h"
#include "testplatform.h"

#include <QBuffer>
#include <QPainter>
#include <QProcess>
#include <QtTest>

#include <tiffio.h>
#include <unistd.h>

using namespace nv;

namespace {

QByteArray encoded(const QSize &size, const char *format, const QColor &colour = Qt::red)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Red with a blue mark over the top left sixteenth, so a turned or mirrored
// picture shows which way it went.
QImage markedPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QPainter(&picture).fillRect(0, 0, width / 4, height / 4, Qt::blue);
    return picture;
}

// What a shell command line writes to the file "out" in a scratch folder that
// holds the picture as in.png; input goes to its standard input.
QByteArray madeBy(const QImage &picture, const QString &commandLine, const QByteArray &input = {})
{
    QTemporaryDir scratch;
    picture.save(scratch.filePath(QStringLiteral("in.png")));
    QProcess shell;
    shell.setWorkingDirectory(scratch.path());
    shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), commandLine});
    shell.write(input);
    shell.closeWriteChannel();
    shell.waitForFinished(120000);
    QFile made(scratch.filePath(QStringLiteral("out")));
    return made.open(QIODevice::ReadOnly) ? made.readAll() : QByteArray();
}

// A camera's JPEG: the picture as stored, with an EXIF orientation saying how
// to turn it. ImageMagick sets the orientation only in an EXIF block that is
// already there, so the first pass gives it one that says "as stored".
QByteArray orientedJpeg(const QImage &picture, const QString &orientation)
{
    const QByteArray asStored("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x01\0\0\0\0\0\0\0", 32);
    return madeBy(picture, "convert in.png -profile APP1:- jpg:- | convert - -orient " + orientation + " jpg:out",
                  asStored);
}

// markedPicture as a TIFF file of strips of 16 rows, written a row at a time
// (a QImage of the whole would take the memory the reading must not).
QByteArray markedTiff(int width, int height)
{
    QTemporaryDir scratch;
    const QByteArray path = QFile::encodeName(scratch.filePath(QStringLiteral("out.tif")));
    TIFF *tiff = TIFFOpen(path.constData(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16);
    QByteArray row(qsizetype(width) * 3, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool mark = x < width / 4 && y < height / 4;
            row[3 * x] = char(mark ? 0 : 255);
            row[3 * x + 2] = char(mark ? 255 : 0);
        }
        TIFFWriteScanline(tiff, row.data(), uint32_t(y), 0);
    }
    TIFFClose(tiff);
    QFile made(QFile::decodeName(path));
    return made.open(QIODevice::ReadOnly) ? made.readAll() : QByteArray();
}

const QSizeF kBox(169, 129);

}  // namespace

class TestThumbnail : public QObject {
    Q_OBJECT
private slots:
    void fit_data();
    void fit();
    void path_data();
    void path();
    void shownPicture_data();
    void shownPicture();
    void notAPicture_data();
    void notAPicture();
    void missingFileIsSilent();
    void nameThatIsNotUtf8();
    void decodedForThePixelRatio();
};

void TestThumbnail::fit_data()
{
    QTest::addColumn<QSizeF>("box");
    QTest::addColumn<QSizeF>("picture");
    QTest::addColumn<QRectF>("expected");
    QTest::addColumn<bool>("stretch");

    const QSizeF box(3000, 2000);
    QTest::newRow("wide: width step only") << box << QSizeF(6000, 3000) << QRectF(0, 250, 3000, 1500) << true;
    QTest::newRow("tall: height step only") << box << QSizeF(3000, 6000) << QRectF(1000, 0, 1000, 2000) << true;
    QTest::newRow("smaller: natural size, centred") << box << QSizeF(1200, 900) << QRectF(900, 550, 1200, 900) << false;
    QTest::newRow("exactly the box") << box << QSizeF(3000, 2000) << QRectF(0, 0, 3000, 2000) << false;
    QTest::newRow("tiny: centred, not enlarged") << box << QSizeF(1, 1) << QRectF(1499.5, 999.5, 1, 1) << false;
    QTest::newRow("too wide and too high: both steps")
        << box << QSizeF(9000, 12000) << QRectF(750, 0, 1500, 2000) << true;
    // Each step rounded to single precision; in double precision the offsets
    // would come out as 0.333222 and 0.749625.
    QTest::newRow("one unit wider") << box << QSizeF(3001, 2000)
                                    << QRectF(0, 0.333251953125, 3000, 1999.33349609375) << true;
    QTest::newRow("one unit higher") << box << QSizeF(3000, 2001)
                                     << QRectF(0.7496337890625, 0, 2998.500732421875, 2000) << true;
}

void TestThumbnail::fit()
{
    QFETCH(QSizeF, box);
    QFETCH(QSizeF, picture);
    QFETCH(QRectF, expected);
    QFETCH(bool, stretch);

    const ThumbnailPlacement placement =
        fitThumbnail(float(box.width()), float(box.height()), float(picture.width()), float(picture.height()));
    QCOMPARE(placement.left, float(expected.left()));
    QCOMPARE(placement.top, float(expected.top()));
    QCOMPARE(placement.width, float(expected.width()));
    QCOMPARE(placement.height, float(expected.height()));
    QCOMPARE(placement.stretch, stretch);
}

void TestThumbnail::path_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("root folder") << "/" << "/a.jpg";
    QTest::newRow("folder with its separator") << "/home/kana/写真/" << "/home/kana/写真/a.jpg";
    QTest::newRow("folder without a separator") << "/home/kana/写真" << "/home/kana/写真/a.jpg";
}

void TestThumbnail::path()
{
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    QCOMPARE(thumbnailPath(folder, QStringLiteral("a.jpg")), expected);
}

void TestThumbnail::shownPicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<QString>("corners");   // near each corner from the top left clockwise: b for the mark, r

    QTest::newRow("PNG larger than the box")
        << "large.png" << encoded({400, 300}, "PNG") << QRect(0, 1, 169, 127) << true << "";
    QTest::newRow("BMP without an extension")
        << "bitmap" << encoded({50, 40}, "BMP") << QRect(60, 45, 50, 40) << false << "";
    // Decoded straight at the box's size, not at its natural 3000 x 2000.
    QTest::newRow("JPEG far larger than the box")
        << "photo.jpg" << encoded({3000, 2000}, "JPEG") << QRect(0, 8, 169, 113) << true << "";
    QTest::newRow("a sliver keeps one row")
        << "sliver.png" << encoded({2000, 1}, "PNG") << QRect(0, 64, 169, 1) << true << "";
    QTest::newRow("AVIF panorama wider than 16384")
        << "wide.avif" << madeBy(markedPicture(16400, 16), QStringLiteral("heif-enc -A in.png -o out"))
        << QRect(0, 64, 169, 1) << true << "";
    // 550 MiB decoded whole: read in bands, never whole.
    QTest::newRow("TIFF scan of 12000 x 12000") << "scan.tif" << markedTiff(12000, 12000) << QRect(20, 0, 129, 129)
                                                << true << "brrr";

    // A 400 x 200 photo in each EXIF orientation: fitted as it stands upright.
    const QRect wide(0, 22, 169, 85), tall(52, 0, 65, 129);
    const struct { const char *orientation; QRect shown; const char *corners; } turned[] = {
        {"TopLeft", wide, "brrr"}, {"TopRight", wide, "rbrr"}, {"BottomRight", wide, "rrbr"},
        {"BottomLeft", wide, "rrrb"}, {"LeftTop", tall, "brrr"}, {"RightTop", tall, "rbrr"},
        {"RightBottom", tall, "rrbr"}, {"LeftBottom", tall, "rrrb"}};
    for (const auto &photo : turned)
        QTest::newRow(photo.orientation) << "photo.jpg" << orientedJpeg(markedPicture(400, 200), photo.orientation)
                                         << photo.shown << true << photo.corners;

    const QImage small = markedPicture(64, 48);
    const QRect natural(53, 41, 64, 48);
    const QByteArray heic = madeBy(small, QStringLiteral("heif-enc in.png -o out"));
    QTest::newRow("HEIC") << "phone.heic" << heic << natural << false << "brrr";
    QTest::newRow("HEIC named .jpg") << "phone.jpg" << heic << natural << false << "brrr";
    QTest::newRow("AVIF") << "phone.avif" << madeBy(small, QStringLiteral("heif-enc -A in.png -o out")) << natural
                          << false << "brrr";
    QTest::newRow("HEIC holding a thumbnail")
        << "large.heic" << madeBy(markedPicture(640, 480), QStringLiteral("heif-enc -t 320 in.png -o out"))
        << QRect(0, 1, 169, 127) << true << "brrr";
    // The file's own boxes turn a HEIC; an EXIF orientation inside it is not applied a second time.
    QTest::newRow("HEIC carrying an EXIF orientation")
        << "turned.heic"
        << madeBy(small, QStringLiteral("cat > in.jpg && heif-enc in.jpg -o out"), orientedJpeg(small, "RightTop"))
        << natural << false << "brrr";
}

void TestThumbnail::shownPicture()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QRect, geometry);
    QFETCH(bool, stretch);
    QFETCH(QString, corners);
    QVERIFY2(!bytes.isEmpty(), "the sample could not be made");

    TempFolder folder;
    TestPlatform platform;
    const auto thumbnail = loadThumbnail(platform, platform, folder.addFile(name, bytes), kBox);

    QVERIFY(thumbnail.has_value());
    QCOMPARE(thumbnail->placement.geometry(), geometry);
    QCOMPARE(thumbnail->placement.stretch, stretch);
    QCOMPARE(thumbnail->picture.size(), geometry.size());
    const QColor shown = thumbnail->picture.pixelColor(geometry.width() / 2, geometry.height() / 2);
    QVERIFY2(shown.red() > 224 && shown.green() < 32 && shown.blue() < 32, qPrintable(shown.name()));
    QVERIFY(platform.messages.empty());
    if (corners.isEmpty()) return;
    QString seen;
    for (const QPoint corner : {QPoint(1, 1), QPoint(7, 1), QPoint(7, 7), QPoint(1, 7)}) {   // in eighths
        const QColor colour = thumbnail->picture.pixelColor(int(corner.x() * geometry.width() / 8),
                                                            int(corner.y() * geometry.height() / 8));
        seen += colour.blue() > colour.red() ? u'b' : u'r';
    }
    QCOMPARE(seen, corners);
}

void TestThumbnail::notAPicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("text named .jpg") << "notes.jpg" << QByteArray("これは画像ではありません\n");
    QTest::newRow("empty file") << "empty.png" << QByteArray();
    QTest::newRow("PNG signature then rubbish")
        << "broken.png" << QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(64, 'x');
    QTest::newRow("text named .heic") << "notes.heic" << QByteArray("これも画像ではありません\n");
    const QByteArray heic = madeBy(markedPicture(640, 480), QStringLiteral("heif-enc in.png -o out"));
    QTest::newRow("HEIC cut in its picture data") << "cut.heic" << heic.left(heic.size() * 2 / 3);
    // Read whole, but the decoder refuses it: the sequence parameters (NAL type 33) are rubbish.
    const qsizetype parameters = heic.indexOf(QByteArray("\x42\x01", 2), heic.indexOf("hvcC")) + 2;
    QTest::newRow("HEIC the decoder refuses")
        << "refused.heic" << QByteArray(heic).replace(parameters, 30, QByteArray(30, '\xff'));
}

void TestThumbnail::notAPicture()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);

    TempFolder folder;
    TestPlatform platform;
    QVERIFY(!loadThumbnail(platform, platform, folder.addFile(name, bytes), kBox).has_value());

    QCOMPARE(platform.messages.size(), size_t(1));
    QCOMPARE(platform.messages.front().text, notAPictureMessage());
    QCOMPARE(platform.messages.front().buttons, MessageButtons::Ok);
    QVERIFY(platform.messages.front().title.isEmpty());
}

void TestThumbnail::missingFileIsSilent()
{
    TempFolder folder;
    TestPlatform platform;
    const QString path = folder.addFile(QStringLiteral("gone.png"), encoded({20, 20}, "PNG"));
    QVERIFY(QFile::remove(path));

    QVERIFY(!loadThumbnail(platform, platform, path, kBox).has_value());
    QVERIFY(platform.messages.empty());
}

void TestThumbnail::nameThatIsNotUtf8()
{
    TempFolder folder;
    TestPlatform platform;
    const QString name = fromNativeName(QByteArray("\x8e\xca\x90\x5e.png"));   // CP932 bytes on disk
    const auto thumbnail = loadThumbnail(platform, platform, folder.addFile(name, encoded({30, 20}, "PNG")), kBox);

    ::unlink(toNativeName(folder.pathOf(name)).constData());   // the folder's own clean-up cannot reach it

    QVERIFY(thumbnail.has_value());
    QCOMPARE(thumbnail->picture.size(), QSize(30, 20));
}

// On a screen of two pixels to the unit a photo is decoded at twice the size
// it is shown at, a small picture at its own size; both keep their place.
void TestThumbnail::decodedForThePixelRatio()
{
    TempFolder folder;
    TestPlatform platform;
    const auto photo = loadThumbnail(platform, platform, folder.addFile("photo.jpg", encoded({3000, 2000}, "JPEG")), kBox, 2);
    const auto small = loadThumbnail(platform, platform, folder.addFile("small.png", encoded({50, 40}, "PNG")), kBox, 2);
    QCOMPARE(photo->picture.size(), QSize(338, 226));
    QCOMPARE(photo->picture.deviceIndependentSize(), QSizeF(169, 113));
    QCOMPARE(small->picture.size(), QSize(50, 40));
    QCOMPARE(small->picture.deviceIndependentSize(), QSizeF(50, 40));
}

QTEST_MAIN(TestThumbnail)
#include "tst_thumbnail.moc"
