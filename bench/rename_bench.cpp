// SPDX-License-Identifier: GPL-3.0-or-later
// The rename button copying every file of a folder into an empty one, timed
// from the key (Alt+R) to the window's last repaint, against
// `cp --preserve=mode,timestamps` of the same files into an empty folder:
// 2 000 files of 1 MiB, and 20 000 empty files. Both lists are in report
// view. Each round's copies are checked on disk and put aside; nothing is
// left unwritten from an earlier round when the next begins.
#include "sidebyside.h"

namespace {

void compareCopies(const std::string &what, int fullCount, std::size_t size)
{
    const int count = bench::fileCount(fullCount);
    const std::string title = "copying " + bench::grouped(count) + " " + what;
    bench::Folder work, master;
    bench::makeFiles(master.path(), count, size);
    const bench::fs::path destination = work / "copies";
    bench::Program program;
    program.write({.source = master.path(), .destination = bench::emptied(destination)});
    bench::WindowClock clock;

    bench::Side button{"Norvanta２", [&] { return clock.keys({"alt+r"}); }};
    button.before = [&] {
        bench::emptied(destination);
        ::sync();
        clock.open(program.command());
        clock.keys({"ctrl+a"}, bench::WindowClock::kSetUpSettle);
    };
    button.check = [&] { return bench::wrongInFolder(destination, count, size, bench::renamedName); };
    button.after = [&] {
        clock.close();
        bench::putAside(destination);
    };

    bench::Side cp{"cp --preserve=mode,timestamps", [&] {
                       return bench::runWhole({"cp", "-r", "--preserve=mode,timestamps",
                                               (master.path() / ".").string(), destination.string()});
                   }};
    cp.before = [&] {
        bench::emptied(destination);
        ::sync();
    };
    cp.check = [&] { return bench::wrongInFolder(destination, count, size, bench::cameraName); };
    cp.after = [&] { bench::putAside(destination); };
    bench::compareSideBySide(title, button, cp, 1.0);
}

}  // namespace

int main()
{
    return bench::runBenchmark("rename_bench", [] {
        bench::VirtualDisplay display;
        compareCopies("files of 1 MiB", 2000, std::size_t(1) << 20);
        compareCopies("empty files", 20000, 0);
    });
}
