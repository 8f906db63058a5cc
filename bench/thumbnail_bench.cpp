// Times ShowThumbnail of the main window (size read, fit, decode at the box's
// size, shown in the box) against a separate program doing the same file:
//   - a 24-megapixel JPEG against ImageMagick's "convert -thumbnail 169x129",
//     and the same JPEG tagged "turn a quarter clockwise", as a camera held
//     upright writes it;
//   - a 12-megapixel HEIC against "heif-convert" to a JPEG, as a whole process,
//     once as heif-enc writes it and once holding a 320-pixel thumbnail, as
//     phones write it.
// Each figure is the median of several rounds; the rounds of the programs
// being compared take turns, so a busy machine disturbs both alike.
#include "app/form1.h"
#include "platform/desktopplatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 5;

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

// The JPEG with an EXIF block in front saying "turn a quarter clockwise"; the
// coded picture stays byte for byte the same.
bool writeTurnedCopy(const QString &jpeg, const QString &turned)
{
    QFile in(jpeg), out(turned);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) return false;
    const QByteArray exif("\xff\xe1\x00\x22"
                          "Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0",
                          36);
    QByteArray bytes = in.readAll();
    return out.write(bytes.insert(2, exif)) == bytes.size();   // right after the start-of-image marker
}

// A picture that fails must end the run, not wait for someone to close a box.
class BenchPlatform : public nv::DesktopPlatform {
public:
    nv::MessageAnswer showMessage(const QString &text, nv::MessageButtons, nv::MessageIcon, const QString &) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return nv::MessageAnswer::Ok;
    }
};

// Runs a program to its end with its chatter on standard output dropped.
bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Medians in milliseconds of each piece of work, the pieces taking turns round
// by round; empty when a run failed.
std::vector<double> medianMilliseconds(const std::vector<std::function<bool()>> &works)
{
    std::vector<std::vector<double>> times(works.size());
    for (int round = 0; round < kRounds; ++round) {
        for (size_t i = 0; i < works.size(); ++i) {
            QElapsedTimer timer;
            timer.start();
            if (!works[i]()) return {};
            times[i].push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    std::vector<double> medians;
    for (std::vector<double> &each : times) {
        std::sort(each.begin(), each.end());
        medians.push_back(each[each.size() / 2]);
    }
    return medians;
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QTemporaryDir folder;
    const auto file = [&](const char *name) { return folder.filePath(QString::fromLatin1(name)); };
    std::printf("making the pictures (the HEIC takes a while to encode)...\n");
    std::fflush(stdout);
    const bool made = photoLikePicture(6000, 4000).save(file("photo.jpg"), "JPEG", 90)
                      && writeTurnedCopy(file("photo.jpg"), file("turned.jpg"))
                      && photoLikePicture(4000, 3000).save(file("phone.png"), "PNG", 90)
                      && run("heif-enc", {file("phone.png"), "-o", file("phone.heic")})
                      && run("heif-enc", {"-t", "320", file("phone.png"), "-o", file("thumbed.heic")});
    if (!made) {
        std::fprintf(stderr, "cannot make the pictures in %s\n", qPrintable(folder.path()));
        return 1;
    }

    BenchPlatform platform;
    QTemporaryDir programFolder;
    nv::Form1 form(platform, programFolder.path());
    form.show();
    // Shown, and filling the box's width or height as the fit wants.
    const auto show = [&](const QString &path) {
        return [&form, path] {
            form.ThumbnailPath = path;
            form.ShowThumbnail();
            const QSize box = form.Picture1->contentsRect().size();
            return form.Image1->isVisible()
                   && (form.Image1->width() == box.width() || form.Image1->height() == box.height());
        };
    };
    const auto convert = [&] { return run("convert", {file("photo.jpg"), "-thumbnail", "169x129", file("convert.png")}); };
    const auto heifConvert = [&] { return run("heif-convert", {"-q", "90", file("phone.heic"), file("converted.jpg")}); };
    const auto jpeg = medianMilliseconds({show(file("photo.jpg")), show(file("turned.jpg")), convert});
    const auto heic = medianMilliseconds({show(file("phone.heic")), show(file("thumbed.heic")), heifConvert});
    if (jpeg.empty() || heic.empty()) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }

    std::printf("thumbnail of a 6000 x 4000 JPEG, median of %d rounds (goal: faster than ImageMagick;\n"
                "turned: within 10 %% of the untagged figure before pictures were turned upright)\n", kRounds);
    std::printf("  Norvanta2 ShowThumbnail:              %8.1f ms\n", jpeg[0]);
    std::printf("  Norvanta2 ShowThumbnail, EXIF turned: %8.1f ms\n", jpeg[1]);
    std::printf("  convert -thumbnail 169x129:           %8.1f ms\n", jpeg[2]);
    std::printf("  ratio convert / Norvanta2:            %8.1f\n", jpeg[2] / jpeg[0]);
    std::printf("thumbnail of a 4000 x 3000 HEIC, median of %d rounds (goal: faster than heif-convert)\n", kRounds);
    std::printf("  Norvanta2 ShowThumbnail:              %8.1f ms\n", heic[0]);
    std::printf("  Norvanta2, file holding a thumbnail:  %8.1f ms\n", heic[1]);
    std::printf("  heif-convert to JPEG:                 %8.1f ms\n", heic[2]);
    std::printf("  ratio heif-convert / Norvanta2:       %8.1f\n", heic[2] / heic[0]);
    return 0;
}
