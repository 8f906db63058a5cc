// SPDX-License-Identifier: GPL-3.0-or-later
// The program from its start to a window whose source list shows 10 000 JPEGs
// in capture-time order (report view), against one run of
// `exiv2 -g Exif.Photo.DateTimeOriginal` over the same files. Cold: each round
// starts the program anew, so it has read none of the capture times yet; the
// page cache is warm for both.
#include "sidebyside.h"

#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>

namespace {

const int kFiles = bench::fileCount(10000);
const QByteArray kTemplateTime = "2023:05:01 10:00:00";

// A small photo whose EXIF holds kTemplateTime among the usual tags, written
// by exiv2 itself.
QByteArray templatePhoto(const bench::fs::path &folder)
{
    const std::string path = (folder / "template.jpg").string();
    QImage picture(160, 120, QImage::Format_RGB32);
    QRandomGenerator noise(23);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, noise.generate() | 0xff000000u);
    if (!picture.save(QString::fromStdString(path), "JPEG", 85)) throw std::runtime_error("cannot write a JPEG");
    std::vector<std::string> command{"exiv2"};
    const std::vector<std::string> tags{"Exif.Image.Make Norvanta", "Exif.Image.Model Bench",
                                        "Exif.Photo.DateTimeOriginal " + kTemplateTime.toStdString(),
                                        "Exif.Photo.SubSecTimeOriginal 00", "Exif.Photo.ExposureTime 1/125"};
    for (const std::string &tag : tags)
        command.insert(command.end(), {"-M", "set " + tag});
    command.push_back(path);
    bench::runCommand(command);
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + path);
    const QByteArray bytes = file.readAll();
    file.remove();
    return bytes;
}

// The files' capture times run in another order than their names.
std::vector<std::string> makePhotos(const bench::fs::path &folder)
{
    const QByteArray photo = templatePhoto(folder);
    const qsizetype timeAt = photo.indexOf(kTemplateTime);
    if (timeAt < 0) throw std::runtime_error("exiv2 wrote no capture time");
    const QDateTime base(QDate(2023, 5, 1), QTime(10, 0));
    std::vector<std::string> paths;
    for (int i = 0; i < kFiles; ++i) {
        QByteArray bytes = photo;
        const QDateTime taken = base.addSecs((qint64(i) * 7919 + 4999) % kFiles);
        bytes.replace(timeAt, kTemplateTime.size(), taken.toString(QStringLiteral("yyyy:MM:dd HH:mm:ss")).toLatin1());
        paths.push_back((folder / bench::cameraName(i)).string());
        QFile file(QString::fromStdString(paths.back()));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            throw std::runtime_error("cannot write " + paths.back());
    }
    return paths;
}

}  // namespace

int main()
{
    return bench::runBenchmark("captureorder_bench", [] {
        bench::Folder photos, target;
        const std::vector<std::string> paths = makePhotos(photos.path());
        bench::Program program;
        program.write({.source = photos.path(), .destination = target.path(), .captureTimeOrder = 1});
        bench::VirtualDisplay display;
        bench::WindowClock clock;

        bench::Side started{"Norvanta２", [&] { return clock.start(program.command()); }};
        started.check = [&] { return std::string(program.keptSettings() ? "" : "the program refused its settings"); };
        std::vector<std::string> exiv2{"exiv2", "-g", "Exif.Photo.DateTimeOriginal"};
        exiv2.insert(exiv2.end(), paths.begin(), paths.end());
        const bench::Side reader{"exiv2 -g Exif.Photo.DateTimeOriginal", [&] { return bench::runWhole(exiv2); }};
        bench::compareSideBySide("start to " + bench::grouped(kFiles) + " JPEGs listed in capture-time order, cold, report view",
                                 started, reader, 0.8);
    });
}
