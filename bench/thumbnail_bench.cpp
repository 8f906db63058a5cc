// SPDX-License-Identifier: GPL-3.0-or-later
// The thumbnail of a listed photo: a double click on its row, timed to the
// window's last repaint (the row selected, the picture shown in the box),
// against a program that makes a thumbnail of the same size as a whole
// process: `vipsthumbnail` for a 24-megapixel JPEG, `heif-thumbnailer` for a
// 12-megapixel HEIC, once as heif-enc writes it and once holding a 320-pixel
// thumbnail as phones write it. The pictures are noisy like photos, so that
// their files are as large and as slow to decode.
#include "sidebyside.h"

#include <QImage>

#include <cstdint>

namespace {

// Soft light across the picture, with grain on every pixel.
QImage noisyPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    std::uint32_t state = 2463534242u;
    const auto grain = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return int(state & 15) + int((state >> 8) & 15) - 15;
    };
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int light = 60 + 120 * x / width + 60 * y / height;
            line[x] = qRgb(std::clamp(light + grain(), 0, 255), std::clamp(light * 3 / 4 + grain(), 0, 255),
                           std::clamp(200 - light / 2 + grain(), 0, 255));
        }
    }
    return picture;
}

struct Picture {
    std::string title;
    bench::fs::path file;
    std::function<std::vector<std::string>(const bench::Place &box)> peer;
    std::string peerName;
};

void compareThumbnails(const Picture &picture, const bench::fs::path &output)
{
    bench::Folder target;
    bench::Program program;
    program.write({.source = picture.file.parent_path(), .destination = target.path()});
    bench::WindowClock clock;
    const auto places = program.places({"ListView1:0", "Picture1"});

    bench::Side shown{"Norvanta２", [&] { return clock.click(places.at("ListView1:0"), true); }};
    shown.before = [&] { clock.open(program.command()); };
    shown.after = [&] { clock.close(); };
    const std::vector<std::string> command = picture.peer(places.at("Picture1"));
    bench::Side peer{picture.peerName, [&] { return bench::runWhole(command); }};
    peer.check = [&] { return std::string(bench::fs::exists(output) ? "" : "no thumbnail written"); };
    peer.after = [&] { bench::fs::remove(output); };
    const double megabytes = double(bench::fs::file_size(picture.file)) / 1e6;
    bench::compareSideBySide(picture.title + bench::formatted(" (%.1f MB)", megabytes), shown, peer, 1.0);
}

}  // namespace

int main()
{
    return bench::runBenchmark("thumbnail_bench", [] {
        bench::Folder camera, phone, phoneWithThumbnail, made;
        const bench::fs::path jpeg = camera / "photo.jpg", png = made / "phone.png", heic = phone / "phone.heic",
                              thumbed = phoneWithThumbnail / "phone.heic", output = made / "thumbnail.png";
        std::printf("making the pictures (the HEIC takes a while to encode)...\n");
        std::fflush(stdout);
        // heif-enc reads a palette PNG wrongly; a picture this noisy is written in true colour.
        if (!noisyPicture(6000, 4000).save(QString::fromStdString(jpeg.string()), "JPEG", 90) ||
            !noisyPicture(4000, 3000).save(QString::fromStdString(png.string()), "PNG"))
            throw std::runtime_error("cannot write the pictures");
        bench::runCommand({"heif-enc", png.string(), "-o", heic.string()});
        bench::runCommand({"heif-enc", "-t", "320", png.string(), "-o", thumbed.string()});
        bench::VirtualDisplay display;

        const auto vips = [&](const bench::fs::path &file) {
            return [&, file](const bench::Place &box) {
                return std::vector<std::string>{"vipsthumbnail", file.string(), "-s",
                                                std::to_string(box.width) + "x" + std::to_string(box.height),
                                                "-o", output.string()};
            };
        };
        const auto heifThumbnailer = [&](const bench::fs::path &file) {
            return [&, file](const bench::Place &box) {
                return std::vector<std::string>{"heif-thumbnailer", "-s",
                                                std::to_string(std::max(box.width, box.height)), file.string(),
                                                output.string()};
            };
        };
        for (const Picture &picture :
             {Picture{"thumbnail of a 6000 × 4000 JPEG", jpeg, vips(jpeg), "vipsthumbnail"},
              Picture{"thumbnail of a 4000 × 3000 HEIC", heic, heifThumbnailer(heic), "heif-thumbnailer"},
              Picture{"thumbnail of a 4000 × 3000 HEIC holding a 320-pixel thumbnail", thumbed,
                      heifThumbnailer(thumbed), "heif-thumbnailer"}})
            compareThumbnails(picture, output);
    });
}
