// SPDX-License-Identifier: GPL-3.0-or-later
// The rename button moving 500 files of 1 MiB from /dev/shm to the disk, as
// from a memory card to the photo folder: every row selected, ファイル移動
// ticked, timed from the key (Alt+R) to the window's last repaint. Against
// the honest peer, `cp --preserve=mode,timestamps`, `sync -f` on the
// destination and `rm` of the sources (a plain `mv` across file systems
// leaves its copies unwritten when it deletes the sources); and against the
// same move while another program writes 2 GiB to the destination's volume
// without syncing, which a move must not wait for. Each round moves fresh
// copies; the files are checked on disk (all moved, none left behind) and
// put aside.
#include "sidebyside.h"

#include <sys/stat.h>

namespace {

const int kFiles = bench::fileCount(500);
constexpr std::size_t kSize = std::size_t(1) << 20;

// Another program writing 2 GiB to a file, from a while before the timed
// work (its first 256 MiB written) to its end.
class Writer {
public:
    explicit Writer(bench::fs::path file) : m_file(std::move(file)) {}
    void start()
    {
        m_pid = bench::startCommand({"dd", "if=/dev/zero", "of=" + m_file.string(), "bs=1M", "count=2048"});
        for (int waited = 0; !writtenAtLeast(std::uintmax_t(256) << 20); ++waited) {
            if (waited > 3000) throw std::runtime_error("dd does not write");
            ::usleep(10000);
        }
    }
    void finish()
    {
        if (m_pid > 0) bench::finishCommand(m_pid, "dd");
        m_pid = -1;
        bench::fs::remove(m_file);
    }

private:
    bench::fs::path m_file;

    bool writtenAtLeast(std::uintmax_t bytes) const
    {
        std::error_code missing;
        const std::uintmax_t size = bench::fs::file_size(m_file, missing);
        return !missing && size >= bytes;
    }
    pid_t m_pid = -1;
};

}  // namespace

int main()
{
    return bench::runBenchmark("move_bench", [] {
        bench::Folder card("/dev/shm"), disk;
        const bench::fs::path master = card / "master", source = card / "DCIM", destination = disk / "photos";
        bench::makeFiles(bench::emptied(master), kFiles, kSize);
        struct stat cardStatus, diskStatus;
        if (::stat(card.path().c_str(), &cardStatus) != 0 || ::stat(disk.path().c_str(), &diskStatus) != 0 ||
            cardStatus.st_dev == diskStatus.st_dev)
            throw std::runtime_error("/dev/shm and " + disk.path().string() + " are one file system");
        bench::Program program;
        program.write({.source = source, .destination = destination});
        bench::VirtualDisplay display;
        bench::WindowClock clock;
        const auto fresh = [&] {
            bench::emptied(destination);
            bench::fs::remove_all(source);
            bench::fs::copy(master, source);
            ::sync();
        };
        const auto movedAs = [&](const bench::NameOf &nameOf) {
            return [&, nameOf] {
                const std::string wrong = bench::wrongInFolder(source, 0, 0);
                return wrong.empty() ? bench::wrongInFolder(destination, kFiles, kSize, nameOf) : wrong;
            };
        };
        fresh();
        const auto places = program.places({"Check1"});

        Writer writer(disk / "writer.bin");
        const auto button = [&](const char *name, bool withWriter) {
            bench::Side side{name, [&] { return clock.keys({"alt+r"}); }};
            side.before = [&, withWriter] {
                fresh();
                clock.open(program.command());
                clock.keys({"ctrl+a"}, bench::WindowClock::kSetUpSettle);
                clock.click(places.at("Check1"), false, bench::WindowClock::kSetUpSettle);
                if (withWriter) writer.start();
            };
            side.check = movedAs(bench::renamedName);
            side.after = [&] {
                clock.close();
                writer.finish();
                bench::putAside(destination);
            };
            return side;
        };

        bench::Side peer{"cp --preserve=mode,timestamps + sync -f + rm", [&] {
                             return bench::runWhole({"sh", "-c",
                                                     "cp --preserve=mode,timestamps -- \"$1\"/* \"$2\"/ && "
                                                     "sync -f \"$2\" && rm -- \"$1\"/*",
                                                     "sh", source.string(), destination.string()});
                         }};
        peer.before = fresh;
        peer.check = movedAs(bench::cameraName);
        peer.after = [&] { bench::putAside(destination); };

        bench::compareSideBySide("moving " + bench::grouped(kFiles) + " files of 1 MiB from /dev/shm to the disk, report view",
                                 button("Norvanta２", false), peer, 1.0);
        bench::compareSideBySide("the same move while another program writes 2 GiB to the disk without syncing",
                                 button("Norvanta２ beside the writer", true),
                                 button("Norvanta２ alone", false), 1.2);
    });
}
