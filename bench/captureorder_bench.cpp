// Lists a folder of 10 000 JPEGs, each with its own capture time, into the
// source pane in capture-time order: cold (nothing read yet) and warm (listed
// before), against the same listing in name order and against one run of
// `exiv2 -g Exif.Photo.DateTimeOriginal` over the same files. Rounds alternate
// the order of the program and exiv2; the medians count. The simple view is
// timed too: there the name order reads no file times at all, while the
// capture-time order still looks at each file's version.
#include "benchsupport.h"
#include "panes/filelistview.h"
#include "panes/folderlist.h"
#include "platform/desktopplatform.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QProcess>

#include <cstdio>

namespace {

constexpr int kFiles = 10000;
constexpr int kRounds = 5;
const QByteArray kTemplateTime = "2023:05:01 10:00:00";

// A small photo whose EXIF holds kTemplateTime, written by exiv2 itself.
QByteArray templatePhoto(const QString &folder)
{
    const QString path = folder + QStringLiteral("template.jpg");
    QImage picture(320, 240, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(path, "JPEG", 85);
    const QStringList tags{"set Exif.Image.Make Norvanta", "set Exif.Image.Model Bench",
                           "set Exif.Photo.DateTimeOriginal " + QString::fromLatin1(kTemplateTime),
                           "set Exif.Photo.SubSecTimeOriginal 00", "set Exif.Photo.ExposureTime 1/125"};
    QStringList arguments;
    for (const QString &tag : tags) arguments << QStringLiteral("-M") << tag;
    if (QProcess::execute(QStringLiteral("exiv2"), arguments << path) != 0) std::exit(1);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) std::exit(1);
    const QByteArray bytes = file.readAll();
    file.remove();
    return bytes;
}

// The files' capture times run in another order than their names.
QStringList makePhotos(const QString &folder)
{
    const QByteArray photo = templatePhoto(folder);
    const qsizetype timeAt = photo.indexOf(kTemplateTime);
    if (timeAt < 0) std::exit(1);
    const QDateTime base(QDate(2023, 5, 1), QTime(10, 0));
    QStringList paths;
    for (int i = 0; i < kFiles; ++i) {
        QByteArray bytes = photo;
        const QDateTime taken = base.addSecs((qint64(i) * 7919 + 4999) % kFiles);
        bytes.replace(timeAt, kTemplateTime.size(), taken.toString(QStringLiteral("yyyy:MM:dd HH:mm:ss")).toLatin1());
        paths.append(folder + QStringLiteral("IMG_%1.JPG").arg(i, 6, 10, QLatin1Char('0')));
        QFile file(paths.back());
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::exit(1);
    }
    return paths;
}

double seconds(const std::function<void()> &work) { return bench::bestOf(1, work); }

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void print(const char *what, const std::vector<double> &values)
{
    std::printf("  %-28s %.3f s  (%.3f .. %.3f)\n", what, median(values),
                *std::min_element(values.begin(), values.end()), *std::max_element(values.begin(), values.end()));
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QTemporaryDir programFolder, photos;
    const QString folder = photos.path() + QLatin1Char('/');
    const QStringList paths = makePhotos(folder);
    nv::DesktopPlatform platform;
    nv::SettingsRecord record;
    record.SourceFolder = folder;
    record.TargetFolder = programFolder.path() + QLatin1Char('/');
    record.ReportView = 1;

    std::vector<double> nameOrder, cold, warm, exiv2, simpleNameOrder, simpleWarm;
    QString first;
    const auto runExiv2 = [&] {
        QProcess tool;
        tool.setStandardOutputFile(QProcess::nullDevice());
        exiv2.push_back(seconds([&] {
            tool.start(QStringLiteral("exiv2"), QStringList{"-g", "Exif.Photo.DateTimeOriginal"} + paths);
            tool.waitForFinished(-1);
        }));
    };
    for (int round = 0; round < kRounds; ++round) {
        if (round % 2 == 1) runExiv2();
        // A new window each round: its capture times are not read yet.
        const std::unique_ptr<nv::Form1> form = bench::startForm(platform, programFolder.path(), record);
        const auto list = [&] {
            form->RefreshSourceList();
            QCoreApplication::processEvents();
        };
        nameOrder.push_back(seconds(list));
        form->Program.CaptureTimeOrder = 1;
        cold.push_back(seconds(list));
        warm.push_back(seconds(list));
        first = form->ListView1->files()->name(0);
        {
            const QSignalBlocker blocker(form->Check2);
            form->Check2->setChecked(true);
        }
        simpleWarm.push_back(seconds(list));
        form->Program.CaptureTimeOrder = 0;
        simpleNameOrder.push_back(seconds(list));
        if (round % 2 == 0) runExiv2();
    }

    std::printf("listing %d JPEGs into the source pane, report view unless said; median of %d interleaved rounds\n",
                kFiles, kRounds);
    std::printf("(first row in capture-time order: %s)\n", qPrintable(first));
    print("name order (option off)", nameOrder);
    print("capture-time order, cold", cold);
    print("capture-time order, warm", warm);
    print("exiv2 -g DateTimeOriginal", exiv2);
    print("simple view, name order", simpleNameOrder);
    print("simple view, warm", simpleWarm);
    std::printf("  cold / exiv2                 %.2f x   (goal: at most 1 x)\n", median(cold) / median(exiv2));
    std::printf("  warm / name order            %.2f x   (goal: at most 1.5 x)\n", median(warm) / median(nameOrder));
    std::printf("  simple view: warm / name     %.2f x\n", median(simpleWarm) / median(simpleNameOrder));
    return 0;
}
