// SPDX-License-Identifier: GPL-3.0-or-later
// The digit alignment of 10 000 files img1.jpg to img10000.jpg of 64 KiB in
// one folder: the rename button in its alignment mode, every row selected,
// timed from the click to the window's last repaint, against perl's `rename`
// giving the same files the same padded names (img00001.jpg ...). After each
// round the files are checked and get their old names back.
#include "sidebyside.h"

#include <cstdio>

namespace {

const int kFiles = bench::fileCount(10000);
// The program pads to the most digits in the folder; perl is told the same.
const int kWidth = int(std::to_string(kFiles).size());

std::string oldName(int i) { return "img" + std::to_string(i + 1) + ".jpg"; }
std::string alignedName(int i) { return "img" + bench::padded(i + 1, kWidth) + ".jpg"; }

// What a round left unrenamed stays so; the next round's check finds it.
void giveOldNamesBack(const bench::fs::path &folder)
{
    for (int i = 0; i < kFiles; ++i) std::rename((folder / alignedName(i)).c_str(), (folder / oldName(i)).c_str());
}

}  // namespace

int main()
{
    return bench::runBenchmark("align_bench", [] {
        bench::Folder photos, target;
        bench::makeFiles(photos.path(), kFiles, 64 << 10, oldName);
        bench::Program program;
        program.write({.source = photos.path(), .destination = target.path()});
        bench::VirtualDisplay display;
        bench::WindowClock clock;
        const auto places = program.places({"Check3", "Command3"});

        const auto aligned = [&] { return bench::wrongInFolder(photos.path(), kFiles, 64 << 10, alignedName); };
        bench::Side button{"Norvanta２ 桁合わせ", [&] { return clock.click(places.at("Command3")); }};
        button.before = [&] {
            clock.open(program.command());
            clock.keys({"ctrl+a"}, bench::WindowClock::kSetUpSettle);
            clock.click(places.at("Check3"), false, bench::WindowClock::kSetUpSettle);
        };
        button.check = aligned;
        button.after = [&] {
            clock.close();
            giveOldNamesBack(photos.path());
        };

        std::vector<std::string> renameCommand{"rename", R"(s/img(\d+)\.jpg$/sprintf("img%0)" + std::to_string(kWidth) + R"(d.jpg", $1)/e)"};
        for (int i = 0; i < kFiles; ++i) renameCommand.push_back((photos / oldName(i)).string());
        bench::Side perl{"perl rename", [&] { return bench::runWhole(renameCommand); }};
        perl.check = aligned;
        perl.after = [&] { giveOldNamesBack(photos.path()); };

        bench::compareSideBySide("aligning the digits of " + bench::grouped(kFiles) + " selected files, report view",
                                 button, perl, 1.3);
    });
}
