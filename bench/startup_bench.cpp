// The whole program from its start to a window whose source list, in report
// view, shows a folder of 100 000 files, against `ls -l` on the same folder.
// Each round starts this program anew in its window mode and `ls -l` once, in
// alternating order; the medians count. It also prints what sorting the names
// into name order costs next to listing the folder.
#include "app/programicon.h"
#include "benchsupport.h"
#include "panes/filelistview.h"
#include "platform/desktopplatform.h"
#include "text/nameorder.h"

#include <QApplication>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int kFiles = 100000;
constexpr int kRounds = 7;
const char *const kWindowMode = "--start-window";

// What main() does, with the settings in the given folder, ending once the
// source list has been painted.
int startWindow(int argc, char **argv, const QString &programFolder)
{
    QApplication application(argc, argv);
    QApplication::setWindowIcon(nv::ProgramIcon());
    nv::DesktopPlatform platform;
    nv::Form1 window(platform, programFolder);
    struct PaintWatch : QObject {
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            return false;
        }
    } paintWatch;
    window.Form_Load();
    window.ListView1->viewport()->installEventFilter(&paintWatch);
    window.ListView1->viewport()->update();
    application.exec();
    std::fprintf(stderr, "%d rows\n", window.ListView1->files()->rowCount());
    // The time ends at the filled window: tearing down a hundred thousand rows
    // is no part of the start-up.
    std::fflush(stderr);
    ::_exit(0);
}

double secondsToRun(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0) std::exit(1);
    return timer.nsecsElapsed() / 1e9;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], kWindowMode) == 0) return startWindow(1, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication application(argc, argv);
    QTemporaryDir programFolder, photos;
    const QString folder = photos.path() + QLatin1Char('/');
    bench::makeFiles(folder, kFiles);
    nv::DesktopPlatform platform;
    nv::SettingsRecord record;
    record.SourceFolder = folder;
    record.TargetFolder = programFolder.path() + QLatin1Char('/');
    record.ReportView = 1;
    nv::WriteSettingsFile(platform, programFolder.path() + QStringLiteral("/DataFile.ini"), record);

    const QString self = QCoreApplication::applicationFilePath();
    const QStringList windowArguments{QString::fromLatin1(kWindowMode), programFolder.path()};
    std::vector<double> program, ls;
    for (int round = 0; round < kRounds; ++round) {
        const bool programFirst = round % 2 == 0;
        if (!programFirst) ls.push_back(secondsToRun(QStringLiteral("ls"), {QStringLiteral("-l"), folder}));
        program.push_back(secondsToRun(self, windowArguments));
        if (programFirst) ls.push_back(secondsToRun(QStringLiteral("ls"), {QStringLiteral("-l"), folder}));
    }

    std::vector<double> listing, sorting;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        const auto files = platform.listPlainFiles(folder, true);
        listing.push_back(timer.nsecsElapsed() / 1e9);
        QStringList names;
        for (const nv::FileEntry &entry : files.value) names.append(entry.name);
        timer.start();
        nv::nameOrder(names);
        sorting.push_back(timer.nsecsElapsed() / 1e9);
    }

    const auto range = [](const std::vector<double> &values) {
        return std::make_pair(*std::min_element(values.begin(), values.end()),
                              *std::max_element(values.begin(), values.end()));
    };
    std::printf("start-up to a filled window, %d files, report view; median of %d interleaved rounds\n", kFiles,
                kRounds);
    std::printf("  program      %.3f s  (%.3f .. %.3f)\n", median(program), range(program).first, range(program).second);
    std::printf("  ls -l        %.3f s  (%.3f .. %.3f)\n", median(ls), range(ls).first, range(ls).second);
    std::printf("  ratio        %.2f x ls -l   (goal: at most 0.6 x)\n", median(program) / median(ls));
    std::printf("name order of the listed names\n");
    std::printf("  listing      %.3f s (name order included)\n", median(listing));
    std::printf("  name order   %.3f s   %.1f %% of the listing   (goal: under 10 %%)\n", median(sorting),
                100 * median(sorting) / median(listing));
    return 0;
}
