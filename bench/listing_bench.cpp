// SPDX-License-Identifier: GPL-3.0-or-later
// The program from its start to a window whose source list shows a folder of
// 100 000 files, in report view and in simple view, against `ls -l` of that
// folder; and the memory the program holds for each listed file: its resident
// memory with the folder listed, less that with an empty folder listed.
#include "sidebyside.h"

#include <fstream>

namespace {

const int kFiles = bench::fileCount(100000);
constexpr double kGoalBytesPerFile = 200;

double residentBytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string word; status >> word;) {
        double kibibytes = 0;
        if (word == "VmRSS:" && status >> kibibytes) return kibibytes * 1024;
    }
    throw std::runtime_error("the program's memory cannot be read");
}

}  // namespace

int main()
{
    return bench::runBenchmark("listing_bench", [] {
        bench::Folder photos, none, target;
        bench::makeFiles(photos.path(), kFiles, 0);
        bench::Program program;
        bench::VirtualDisplay display;
        bench::WindowClock clock;

        bench::Times memory;   // resident bytes, a reading each round since cleared
        bench::Side started{"Norvanta２", [&] { return clock.start(program.command(), true); }};
        started.check = [&] {
            memory.values.push_back(residentBytes(clock.pid));
            return std::string(program.keptSettings() ? "" : "the program refused its settings");
        };
        started.after = [&] { clock.close(); };
        const bench::Side ls{"ls -l", [&] { return bench::runWhole({"ls", "-l", photos.path().string()}); }};

        program.write({.source = none.path(), .destination = target.path()});
        for (int round = 0; round < 3; ++round) started.round();
        const double emptyBytes = memory.median();

        for (const int reportView : {1, 0}) {
            memory.values.clear();
            program.write({.source = photos.path(), .destination = target.path(), .reportView = reportView});
            bench::compareSideBySide("start to a listed folder of " + bench::grouped(kFiles) + " files, " +
                                         (reportView ? "report view" : "simple view"),
                                     started, ls, reportView ? 0.5 : 1.0);
            if (!reportView || memory.values.empty()) continue;
            const double perFile = (memory.median() - emptyBytes) / kFiles;
            std::printf("memory a listed file, report view (resident: %.1f MiB listing %s files, %.1f MiB "
                        "listing none)\n",
                        memory.median() / 1048576, bench::grouped(kFiles).c_str(), emptyBytes / 1048576);
            bench::printGoal(bench::formatted("≤ %.0f bytes", kGoalBytesPerFile),
                             bench::formatted("%.0f bytes", perFile), perFile <= kGoalBytesPerFile);
        }
    });
}
