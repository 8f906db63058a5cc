// SPDX-License-Identifier: GPL-3.0-or-later
// The rename button with photo sets: 10 000 sets of a RAW, a JPEG and a
// sidecar (30 000 files) moved into another folder of the same file system,
// the user selecting the 10 000 JPEGs and the sets bringing the rest along;
// against it the same move of the 30 000 files selected one by one without
// the option. Both are timed as the user feels the click: the sets found, the
// question answered, every file moved, both lists listed again. The two take
// turns on fresh hard links to the same files, which one goes first
// alternating by round.
#include "inprocess.h"
#include "naming/photosets.h"
#include "panes/filelistview.h"
#include "panes/folderlist.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QItemSelection>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

constexpr int kSets = 10000;
constexpr int kFiles = 3 * kSets;
constexpr int kRounds = 5;
constexpr double kGoalRatio = 1.2;
const QStringList kMembers = {QStringLiteral("CR2"), QStringLiteral("JPG"), QStringLiteral("xmp")};

void check(bool ok, const char *what)
{
    if (ok) return;
    std::fprintf(stderr, "failed: %s\n", what);
    std::exit(1);
}

// Agrees to take the sets along; every other message is printed and cancelled.
class AgreeingPlatform : public bench::UnattendedPlatform {
public:
    nv::MessageAnswer showMessage(const QString &text, nv::MessageButtons buttons, nv::MessageIcon icon,
                                  const QString &title) override
    {
        if (text.contains(QStringLiteral("同じ組"))) return nv::MessageAnswer::Ok;
        return UnattendedPlatform::showMessage(text, buttons, icon, title);
    }
};

// The JPEG of every set: the middle row of each three in name order.
void selectTheJpegs(nv::FileListView *list)
{
    QItemSelection jpegs;
    for (int row = 1; row < list->model()->rowCount(); row += 3) {
        const QModelIndex index = list->model()->index(row, 0);
        jpegs.append(QItemSelectionRange(index, index));
    }
    list->selectionModel()->select(jpegs, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

double moveOnce(nv::Form1 &form, const QString &master, const QString &work, bool withSets)
{
    static int runs = 0;
    const QString round = work + QStringLiteral("run%1/").arg(++runs);
    const QString source = round + QStringLiteral("from/");
    const QString destination = round + QStringLiteral("to/");
    QDir().mkpath(destination);
    check(std::system(("cp -al '" + master.toUtf8() + "' '" + source.toUtf8() + "'").constData()) == 0, "links");
    form.Program.PhotoSets = withSets ? 1 : 0;
    form.Dir1->openFolder(source);
    form.Dir2->openFolder(destination);
    if (withSets) selectTheJpegs(form.ListView1);
    else form.ListView1_MouseDown(2);   // selects every row
    ::sync();

    QElapsedTimer timer;
    timer.start();
    form.Command3_Click();
    const double seconds = timer.nsecsElapsed() / 1e9;
    check(QDir(destination).entryList(QDir::Files).size() == kFiles && QDir(source).isEmpty(), "every file moved");
    QDir(round).removeRecursively();
    return seconds;
}

// The files of every run, made once: IMG_000000.CR2, IMG_000000.JPG, IMG_000000.xmp and on.
QString makeSets(const QString &workFolder)
{
    const QString master = workFolder + QStringLiteral("master/");
    QDir().mkpath(master);
    bench::makeFiles(master, kFiles, 0, [](int i) {
        return QStringLiteral("IMG_%1.%2").arg(i / 3, 6, 10, QLatin1Char('0')).arg(kMembers[i % 3]);
    });
    return master;
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    AgreeingPlatform platform;
    QTemporaryDir programFolder, work;
    const QString workFolder = work.path() + QLatin1Char('/');
    const QString master = makeSets(workFolder);
    const nv::SettingsRecord record{.SourceFolder = master, .TargetFolder = workFolder, .DigitIndex = 5,
                                    .HeadName = QStringLiteral("trip"), .FirstNumberText = QStringLiteral("1"),
                                    .HeadNameHistory = {}};
    const auto form = bench::startForm(platform, programFolder.path(), record);
    form->Check1->setChecked(true);

    bench::Times sets, single;
    for (int round = 0; round < kRounds; ++round) {
        for (const bool withSets : {round % 2 == 0, round % 2 == 1})
            (withSets ? sets : single).seconds.push_back(moveOnce(*form, master, workFolder, withSets));
    }
    // The share of the sets alone: found among the rows and named.
    const QStringList rows = QDir(master).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    std::vector<bool> jpegs(size_t(rows.size()), false);
    for (size_t row = 1; row < jpegs.size(); row += 3) jpegs[row] = true;
    const double setWork = bench::bestOf(kRounds, [&] {
        const nv::SetSelection selection = nv::SelectWholeSets(rows, jpegs, false);
        check(selection.followerCount == 2 * kSets, "followers");
        nv::SetSerialNameRule(selection, rows, record.HeadName, 1, record.DigitIndex, QStringLiteral("jpg"));
    });

    const double ratio = sets.median() / single.median();
    std::printf("Timed on a machine shared with other work; the button includes listing both folders again.\n\n");
    std::printf("moving %d sets of 3 files within one file system, %d rounds, median (range)\n", kSets, kRounds);
    std::printf("  %d JPEGs selected, sets on     %.3f s  (%.3f - %.3f)\n", kSets, sets.median(), sets.least(),
                sets.most());
    std::printf("  %d files selected, sets off    %.3f s  (%.3f - %.3f)\n", kFiles, single.median(), single.least(),
                single.most());
    std::printf("  of which finding and naming the sets   %.3f s (best)\n", setWork);
    std::printf("  sets on / sets off: %.2f   goal: at most %.1f  %s\n", ratio, kGoalRatio,
                ratio <= kGoalRatio ? "MET" : "MISSED");
    return 0;
}
