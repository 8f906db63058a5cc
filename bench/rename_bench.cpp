// Renames 2 000 files of 1 MiB, and then 20 000 empty files, into another
// folder through the rename button of the main window (copy mode, every row
// selected, both lists listed again at the end), and times `cp -r` of the same
// files in the same run. The two take turns on fresh destination folders, and
// the best of several rounds of each is printed with their ratio.
#include "benchsupport.h"
#include "panes/filelistview.h"
#include "panes/folderlist.h"
#include "platform/desktopplatform.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kRounds = 3;
constexpr double kGoalSpeed = 0.9;   // for the large files, as a share of cp's speed

// A message box would wait for a user who is not there: every message is
// printed and answered with Cancel.
class UnattendedPlatform : public nv::DesktopPlatform {
public:
    nv::MessageAnswer showMessage(const QString &text, nv::MessageButtons, nv::MessageIcon, const QString &) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return nv::MessageAnswer::Cancel;
    }
};

int fileCount(const QString &folder) { return int(QDir(folder).entryList(QDir::Files).size()); }

struct Figures {
    double rename = 1e9;
    double cp = 1e9;
};

// Runs the rename and cp in turns, each into a fresh folder under work, and
// keeps the best time of each.
Figures race(nv::Form1 &form, const QString &source, const QString &work, int count)
{
    form.Dir1->openFolder(source);   // lists the source pane
    Figures figures;
    for (int round = 0; round < kRounds; ++round) {
        for (const bool byCp : {true, false}) {
            const QString destination = work + QStringLiteral("round%1-%2/").arg(round).arg(byCp ? "cp" : "rename");
            QDir().mkpath(destination);
            form.Dir2->openFolder(destination);
            form.ListView1_MouseDown(2);
            ::sync();   // no earlier round's writing goes on behind this one
            QElapsedTimer timer;
            timer.start();
            if (byCp) {
                const QByteArray command = "cp -r '" + source.toUtf8() + ".' '" + destination.toUtf8() + "'";
                if (std::system(command.constData()) != 0) std::exit(1);
            } else {
                form.Command3_Click();
            }
            const double seconds = timer.nsecsElapsed() / 1e9;
            if (fileCount(destination) != count) {
                const char *who = byCp ? "cp" : "the rename";
                std::fprintf(stderr, "%s made %d files of %d\n", who, fileCount(destination), count);
                std::exit(1);
            }
            (byCp ? figures.cp : figures.rename) = std::min(byCp ? figures.cp : figures.rename, seconds);
            QDir(destination).removeRecursively();
        }
    }
    return figures;
}

void print(const char *what, int count, const Figures &figures, const char *goal)
{
    std::printf("%d %s, best of %d\n", count, what, kRounds);
    std::printf("  rename  %.3f s\n", figures.rename);
    std::printf("  cp -r   %.3f s\n", figures.cp);
    std::printf("  speed of the rename: %.2f x cp   %s\n", figures.cp / figures.rename, goal);
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QTemporaryDir programFolder, work;
    const QString workFolder = work.path() + QLatin1Char('/');
    const QString large = workFolder + QStringLiteral("large/");
    const QString empty = workFolder + QStringLiteral("empty/");
    QDir().mkpath(large);
    QDir().mkpath(empty);
    bench::makeFiles(large, 2000, qint64(1) << 20);
    bench::makeFiles(empty, 20000);

    UnattendedPlatform platform;
    nv::SettingsRecord record;
    record.SourceFolder = large;
    record.TargetFolder = workFolder;
    record.DigitIndex = 5;
    record.HeadName = QStringLiteral("trip");
    record.FirstNumberText = QStringLiteral("1");
    const auto form = bench::startForm(platform, programFolder.path(), record);

    const Figures largeFigures = race(*form, large, workFolder, 2000);
    const Figures emptyFigures = race(*form, empty, workFolder, 20000);
    const bool met = largeFigures.cp / largeFigures.rename >= kGoalSpeed;
    print("files of 1 MiB", 2000, largeFigures, met ? "(goal: at least 0.9 x)  met" : "(goal: at least 0.9 x)  MISSED");
    print("empty files", 20000, emptyFigures, "(no goal)");
    return 0;
}
