// Times ShowThumbnail of the main window on a 24-megapixel JPEG (size read,
// fit, decode at the box's size, shown in the box) against ImageMagick's "convert -thumbnail 169x129" of the same
// file, in the same run, and prints both and their ratio.
#include "app/form1.h"
#include "platform/desktopplatform.h"

#include <QApplication>
#include <QLabel>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRuns = 5;

// Smooth gradients with fine detail, so the encoder and decoder work about
// as hard as on a photo.
QImage photoLikePicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int detail = ((x * 7) ^ (y * 13)) & 31;
            line[x] = qRgb((x * 255 / width + detail) & 255, (y * 255 / height + detail) & 255,
                           ((x + y) / 40 + detail) & 255);
        }
    }
    return picture;
}

// The median of several runs, in milliseconds.
double medianMilliseconds(const std::function<bool()> &run)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!run()) return -1;
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QTemporaryDir folder;
    const QString photo = folder.filePath(QStringLiteral("photo.jpg"));
    if (!photoLikePicture(6000, 4000).save(photo, "JPEG", 90)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(photo));
        return 1;
    }

    nv::DesktopPlatform platform;
    QTemporaryDir programFolder;
    nv::Form1 form(platform, programFolder.path());
    form.show();
    form.ThumbnailPath = photo;
    const double ours = medianMilliseconds([&] {
        form.ShowThumbnail();
        return form.Image1->isVisible() && form.Image1->width() == form.Picture1->contentsRect().width();
    });
    const QString convertOutput = folder.filePath(QStringLiteral("convert.png"));
    const double imageMagick = medianMilliseconds([&] {
        return QProcess::execute(QStringLiteral("convert"),
                                 {photo, QStringLiteral("-thumbnail"), QStringLiteral("169x129"), convertOutput}) == 0;
    });
    if (ours < 0 || imageMagick < 0) {
        std::fprintf(stderr, "a run failed (ours %.1f ms, convert %.1f ms)\n", ours, imageMagick);
        return 1;
    }

    std::printf("thumbnail of a 6000 x 4000 JPEG, median of %d runs (goal: faster than ImageMagick)\n", kRuns);
    std::printf("  Norvanta2 ShowThumbnail:        %8.1f ms\n", ours);
    std::printf("  convert -thumbnail 169x129:     %8.1f ms\n", imageMagick);
    std::printf("  ratio convert / Norvanta2:      %8.1f\n", imageMagick / ours);
    return 0;
}
