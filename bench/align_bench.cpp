// The digit alignment on 10 000 selected files of 1 MiB in one folder
// (img1.jpg to img10000.jpg), timed as the user feels the click: every name
// checked, 9 999 files renamed in place, both lists listed again. Against it
// the same new names made by copying every file and deleting the old one,
// through the same platform calls. The two take turns, which one goes first
// alternating by round; after each run the files get their old names back.
#include "benchsupport.h"
#include "naming/digitalignment.h"
#include "panes/filelistview.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

constexpr int kFiles = 10000;
constexpr int kRounds = 3;
constexpr double kGoalSeconds = 1.0;
constexpr double kGoalRatio = 20.0;

void check(bool ok, const char *what)
{
    if (ok) return;
    std::fprintf(stderr, "failed: %s\n", what);
    std::exit(1);
}

double alignThroughTheWindow(nv::Form1 &form)
{
    form.ListView1_MouseDown(2);   // selects every row
    QElapsedTimer timer;
    timer.start();
    form.Command3_Click();
    return timer.nsecsElapsed() / 1e9;
}

double copyAndDelete(nv::BatchFiles &platform, const QString &folder, const nv::AlignmentPlan &plan)
{
    QElapsedTimer timer;
    timer.start();
    for (const nv::AlignedName &rename : plan.renames) {
        check(platform.copyFile(folder + rename.oldName, folder + rename.newName,
                                nv::BatchFiles::Landing::WithoutReplacing, false)
                  .ok(),
              "copy");
        check(platform.deleteFile(folder + rename.oldName).ok(), "delete");
    }
    return timer.nsecsElapsed() / 1e9;
}

void giveOldNamesBack(const QString &folder, const nv::AlignmentPlan &plan)
{
    for (const nv::AlignedName &rename : plan.renames)
        check(::rename(qPrintable(folder + rename.newName), qPrintable(folder + rename.oldName)) == 0, "rename back");
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QTemporaryDir programFolder, photos;
    const QString folder = photos.path() + QLatin1Char('/');
    const auto nameOf = [](int i) { return QStringLiteral("img%1.jpg").arg(i + 1); };
    bench::makeFiles(folder, kFiles, qint64(1) << 20, nameOf);
    QStringList names;
    for (int i = 0; i < kFiles; ++i) names.append(nameOf(i));
    const nv::AlignmentPlan plan = nv::PlanAlignment(names);
    check(plan.refusals.isEmpty() && !plan.renames.empty(), "plan");

    bench::UnattendedPlatform platform;
    nv::SettingsRecord record;
    record.SourceFolder = folder;
    record.TargetFolder = programFolder.path() + QLatin1Char('/');
    const auto form = bench::startForm(platform, programFolder.path(), record);
    form->Check3->setChecked(true);

    bench::Times ours, peer;
    for (int round = 0; round < kRounds; ++round) {
        for (const bool byPeer : {round % 2 == 1, round % 2 == 0}) {
            form->RefreshSourceList();   // the old names again
            ::sync();                    // no earlier run's writing goes on behind this one
            (byPeer ? peer : ours).seconds.push_back(byPeer ? copyAndDelete(platform, folder, plan)
                                                            : alignThroughTheWindow(*form));
            const nv::AlignedName &first = plan.renames.front();
            check(QDir(folder).exists(first.newName) && !QDir(folder).exists(first.oldName),
                  byPeer ? "names made by copying" : "names aligned by the button");
            giveOldNamesBack(folder, plan);
        }
    }
    const double ratio = peer.median() / ours.median();
    std::printf("Timed on a machine shared with other work; the button includes listing both folders again.\n\n");
    std::printf("aligning %d selected files of 1 MiB in one folder, %d rounds, median (range)\n", kFiles, kRounds);
    std::printf("  alignment button  %.3f s  (%.3f - %.3f)   goal: under %.1f s  %s\n", ours.median(), ours.least(),
                ours.most(), kGoalSeconds, ours.median() < kGoalSeconds ? "met" : "MISSED");
    std::printf("  copy and delete   %.3f s  (%.3f - %.3f)\n", peer.median(), peer.least(), peer.most());
    std::printf("  copy and delete / button: %.1f   goal: at least %.0f  %s\n", ratio, kGoalRatio,
                ratio >= kGoalRatio ? "met" : "MISSED");
    return 0;
}
