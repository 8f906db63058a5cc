// SPDX-License-Identifier: GPL-3.0-or-later
// Selecting every row of a source list of 100 000 files with Ctrl+A, timed
// from the key to the window's last repaint: the selection shown and the
// buttons it enables.
#include "sidebyside.h"

int main()
{
    return bench::runBenchmark("selection_bench", [] {
        bench::Folder photos, target;
        const int files = bench::fileCount(100000);
        bench::makeFiles(photos.path(), files, 0);
        bench::Program program;
        program.write({.source = photos.path(), .destination = target.path(), .reportView = 0});
        bench::VirtualDisplay display;
        bench::WindowClock clock;

        bench::Side selecting{"Norvanta２, Ctrl+A", [&] { return clock.keys({"ctrl+a"}); }};
        selecting.before = [&] { clock.open(program.command()); };
        selecting.after = [&] { clock.close(); };
        bench::measureAlone("selecting every row of " + bench::grouped(files) + ", simple view", selecting, 0.1);
    });
}
