// SPDX-License-Identifier: GPL-3.0-or-later
// The continuation scan over a destination folder of 100 000 names, half one
// series (IMG_000000.JPG and up) and half another (DSC000000.jpg and up), in
// simple view, where the listing itself is quickest. Both panes are listed
// again by the rename button in its digit-alignment mode with one selected
// file, which renames nothing: timed from the click to the window's last
// repaint, with the scan (option 1 on) and without it.
#include "sidebyside.h"

int main()
{
    return bench::runBenchmark("scan_bench", [] {
        bench::Folder source, target;
        bench::makeFiles(source.path(), 1, 0, [](int) { return std::string("img1.jpg"); });
        const int half = bench::fileCount(50000);
        bench::makeFiles(target.path(), half, 0);
        bench::makeFiles(target.path(), half, 0, [](int i) { return "DSC" + bench::padded(i, 6) + ".jpg"; });
        bench::Program program;
        bench::VirtualDisplay display;
        bench::WindowClock clock;
        bench::Settings settings{.source = source.path(), .destination = target.path(), .reportView = 0};
        program.write(settings);
        const auto places = program.places({"Check3", "Command3"});

        const auto relisting = [&](const char *name, int showContinuation) {
            bench::Side side{name, [&] { return clock.click(places.at("Command3")); }};
            side.before = [&, showContinuation] {
                settings.showContinuation = showContinuation;
                program.write(settings);
                clock.open(program.command());
                clock.keys({"ctrl+a"}, bench::WindowClock::kSetUpSettle);
                clock.click(places.at("Check3"), false, bench::WindowClock::kSetUpSettle);
            };
            side.check = [&] { return bench::wrongInFolder(source.path(), 1, 0); };
            side.after = [&] { clock.close(); };
            return side;
        };
        bench::compareSideBySide("listing both panes again, " + bench::grouped(2 * half) +
                                     " names in the destination, simple view",
                                 relisting("Norvanta２ with the continuation scan", 1),
                                 relisting("the re-listing alone", 0), 1.1);
    });
}
