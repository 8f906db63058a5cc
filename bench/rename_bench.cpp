// The rename button against the tools a user would otherwise use, on the same
// files in the same run:
//   move 2 000 files of 1 MiB into another folder of the same file system, against mv;
//   copy 2 000 files of 1 MiB, against cp --preserve=mode,timestamps;
//   copy 20 000 empty files, against the same cp.
// The button is timed as the user feels the click: every selected row copied
// or moved, then both lists listed again. The program and the peer take turns
// on fresh folders, which one goes first alternating by round, and the median
// and the range of the rounds are printed with the ratio of the medians.
#include "benchsupport.h"
#include "panes/filelistview.h"
#include "panes/folderlist.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRounds = 7;

int fileCount(const QString &folder) { return int(QDir(folder).entryList(QDir::Files).size()); }

QByteArray quoted(const QString &path) { return "'" + path.toUtf8() + "'"; }

void runShell(const QByteArray &command)
{
    if (std::system(command.constData()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.constData());
        std::exit(1);
    }
}

struct Race {
    const char *what;
    QString master;   // the files, made once
    int count;
    bool move;
    double goal;      // the largest ratio of the medians that meets it
};

// One timed run into a fresh folder; a move takes fresh sources: hard links
// to the master files, so that nothing is copied to set a round up.
double runOnce(nv::Form1 &form, const Race &race, const QString &work, bool byPeer)
{
    // A folder of its own for every run: opening it lists it afresh.
    static int runs = 0;
    const QString round = work + QStringLiteral("run%1/").arg(++runs);
    const QString source = race.move ? round + QStringLiteral("from/") : race.master;
    const QString destination = round + QStringLiteral("to/");
    QDir().mkpath(destination);
    if (race.move) runShell("cp -al " + quoted(race.master) + " " + quoted(source));
    form.Dir1->openFolder(source);
    form.Dir2->openFolder(destination);
    form.Check1->setChecked(race.move);
    form.ListView1_MouseDown(2);   // selects every row
    ::sync();                      // no earlier round's writing goes on behind this one

    QElapsedTimer timer;
    timer.start();
    if (!byPeer) form.Command3_Click();
    else if (race.move) runShell("mv -- " + quoted(source) + "* " + quoted(destination));
    else runShell("cp --preserve=mode,timestamps -r " + quoted(source) + ". " + quoted(destination));
    const double seconds = timer.nsecsElapsed() / 1e9;

    if (fileCount(destination) != race.count) {
        std::fprintf(stderr, "%s made %d files of %d\n", byPeer ? "the peer" : "the rename", fileCount(destination),
                     race.count);
        std::exit(1);
    }
    QDir(round).removeRecursively();
    return seconds;
}

void runRace(nv::Form1 &form, const Race &race, const QString &work)
{
    bench::Times ours, peer;
    for (int round = 0; round < kRounds; ++round) {
        for (const bool byPeer : {round % 2 == 1, round % 2 == 0})
            (byPeer ? peer : ours).seconds.push_back(runOnce(form, race, work, byPeer));
    }
    const char *peerName = race.move ? "mv" : "cp";
    const double ratio = ours.median() / peer.median();
    std::printf("%s, %d rounds, median (range)\n", race.what, kRounds);
    std::printf("  rename button  %.3f s  (%.3f - %.3f)\n", ours.median(), ours.least(), ours.most());
    std::printf("  %-13s  %.3f s  (%.3f - %.3f)\n", peerName, peer.median(), peer.least(), peer.most());
    std::printf("  rename / %s: %.2f   goal: at most %.2f  %s\n\n", peerName, ratio, race.goal,
                ratio <= race.goal ? "met" : "MISSED");
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QTemporaryDir programFolder, work;
    const QString workFolder = work.path() + QLatin1Char('/');
    const QString large = workFolder + QStringLiteral("large/");
    const QString small = workFolder + QStringLiteral("small/");
    QDir().mkpath(large);
    QDir().mkpath(small);
    bench::makeFiles(large, 2000, qint64(1) << 20);
    bench::makeFiles(small, 20000);

    bench::UnattendedPlatform platform;
    nv::SettingsRecord record;
    record.SourceFolder = large;
    record.TargetFolder = workFolder;
    record.DigitIndex = 5;
    record.HeadName = QStringLiteral("trip");
    record.FirstNumberText = QStringLiteral("1");
    const auto form = bench::startForm(platform, programFolder.path(), record);

    std::printf("Timed on a machine shared with other work; the button includes listing both folders again.\n\n");
    runRace(*form, {"move 2000 files of 1 MiB within one file system", large, 2000, true, 2.0}, workFolder);
    runRace(*form, {"copy 2000 files of 1 MiB", large, 2000, false, 1.05}, workFolder);
    runRace(*form, {"copy 20000 empty files", small, 20000, false, 1.05}, workFolder);
    return 0;
}
