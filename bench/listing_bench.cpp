// Lists a folder of 100 000 empty files into the source pane, in report view
// and in simple view, and times `ls -l` on the same folder in the same run.
#include "app/form1.h"
#include "panes/filelistview.h"
#include "platform/desktopplatform.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace {

constexpr int kFiles = 100000;
constexpr int kRounds = 5;

// The best of several rounds, in seconds: the figure least disturbed by the
// rest of the machine.
double bestOf(const std::function<void()> &work)
{
    double best = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

void makeFiles(const QString &folder)
{
    for (int i = 0; i < kFiles; ++i) {
        const QByteArray path = (folder + QStringLiteral("IMG_%1.JPG").arg(i, 6, 10, QLatin1Char('0'))).toUtf8();
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) std::exit(1);
        ::close(fd);
    }
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QTemporaryDir programFolder, photos;
    const QString folder = photos.path() + QLatin1Char('/');
    makeFiles(folder);

    nv::DesktopPlatform platform;
    nv::SettingsRecord record;
    record.SourceFolder = folder;
    record.TargetFolder = programFolder.path() + QLatin1Char('/');
    record.ReportView = 1;
    nv::WriteSettingsFile(platform, programFolder.path() + QStringLiteral("/DataFile.ini"), record);
    nv::Form1 form(platform, programFolder.path());
    form.Form_Load();

    // Each listing is timed until the list has been painted.
    const auto list = [&] {
        form.RefreshSourceList();
        QCoreApplication::processEvents();
    };
    const double report = bestOf(list);
    const int rows = form.ListView1->files()->rowCount();
    {
        const QSignalBlocker blocker(form.Check2);
        form.Check2->setChecked(true);
    }
    const double simple = bestOf(list);
    const QByteArray command = "ls -l '" + folder.toUtf8() + "' > /dev/null";
    const double ls = bestOf([&] { std::system(command.constData()); });

    std::printf("listing %d files (%d rows), best of %d\n", kFiles, rows, kRounds);
    std::printf("  report view  %.3f s   %.2f x ls -l   (goal: within 1.5 x)\n", report, report / ls);
    std::printf("  simple view  %.3f s   %.2f x ls -l   (goal: well under 1 x)\n", simple, simple / ls);
    std::printf("  ls -l        %.3f s\n", ls);
    return 0;
}
