// Lists a folder of 100 000 empty files into the source pane, in report view
// and in simple view, and times `ls -l` on the same folder in the same run.
#include "benchsupport.h"
#include "panes/filelistview.h"
#include "platform/desktopplatform.h"

#include <QApplication>
#include <QCheckBox>

#include <cstdio>

namespace {

constexpr int kFiles = 100000;
constexpr int kRounds = 5;

}  // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    nv::DesktopPlatform platform;
    bench::FormOnFolder setUp(platform, kFiles, 1);
    nv::Form1 *form = setUp.form.get();
    const QString folder = setUp.folder;

    // Each listing is timed until the list has been painted.
    const auto list = [&] {
        form->RefreshSourceList();
        QCoreApplication::processEvents();
    };
    const double report = bench::bestOf(kRounds, list);
    const int rows = form->ListView1->files()->rowCount();
    {
        const QSignalBlocker blocker(form->Check2);
        form->Check2->setChecked(true);
    }
    const double simple = bench::bestOf(kRounds, list);
    const QByteArray command = "ls -l '" + folder.toUtf8() + "' > /dev/null";
    const double ls = bench::bestOf(kRounds, [&] { std::system(command.constData()); });

    std::printf("listing %d files (%d rows), best of %d\n", kFiles, rows, kRounds);
    std::printf("  report view  %.3f s   %.2f x ls -l   (goal: within 1.5 x)\n", report, report / ls);
    std::printf("  simple view  %.3f s   %.2f x ls -l   (goal: well under 1 x)\n", simple, simple / ls);
    std::printf("  ls -l        %.3f s\n", ls);
    return 0;
}
