// Selects every row of a 100 000-row source list with the right button and
// reads the selection back as the rename button does: one flag per row from
// the selection ranges, and the text of every row.
#include "app/form1.h"
#include "panes/filelistview.h"
#include "platform/desktopplatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kFiles = 100000;
constexpr int kRounds = 5;
constexpr double kGoalSeconds = 0.3;

void makeFiles(const QString &folder)
{
    for (int i = 0; i < kFiles; ++i) {
        const QByteArray path = (folder + QStringLiteral("IMG_%1.JPG").arg(i, 6, 10, QLatin1Char('0'))).toUtf8();
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) std::exit(1);
        ::close(fd);
    }
}

struct ReadSelection {
    std::vector<bool> selected;
    QStringList rows;
};

ReadSelection readSelection(const nv::FileListView &list)
{
    ReadSelection read;
    read.selected.assign(size_t(list.files()->rowCount()), false);
    for (const int row : list.selectedRowNumbers()) read.selected[size_t(row)] = true;
    read.rows.reserve(list.files()->rowCount());
    for (int row = 0; row < list.files()->rowCount(); ++row) read.rows.append(list.files()->name(row));
    return read;
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
    nv::WriteSettingsFile(platform, programFolder.path() + QStringLiteral("/DataFile.ini"), record);
    nv::Form1 form(platform, programFolder.path());
    form.Form_Load();

    double bestSelect = 1e9, bestRead = 1e9;
    size_t selectedCount = 0;
    for (int round = 0; round < kRounds; ++round) {
        form.ListView1->clearSelection();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        form.ListView1_MouseDown(2);
        QCoreApplication::processEvents();   // until the list has been painted
        bestSelect = std::min(bestSelect, timer.nsecsElapsed() / 1e9);
        timer.restart();
        const ReadSelection read = readSelection(*form.ListView1);
        bestRead = std::min(bestRead, timer.nsecsElapsed() / 1e9);
        selectedCount = size_t(std::count(read.selected.begin(), read.selected.end(), true));
    }

    const double total = bestSelect + bestRead;
    std::printf("selecting every row of %d and reading the selection (%zu selected), best of %d\n",
                form.ListView1->files()->rowCount(), selectedCount, kRounds);
    std::printf("  select all (right button)  %.4f s\n", bestSelect);
    std::printf("  read the selection         %.4f s\n", bestRead);
    std::printf("  together                   %.4f s   (goal: under %.1f s)  %s\n", total, kGoalSeconds,
                total < kGoalSeconds ? "met" : "MISSED");
    return 0;
}
