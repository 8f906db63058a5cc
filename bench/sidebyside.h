// Timing the real program as a user sees it, side by side with a plain tool
// doing the same work: the program started on a private X display and timed
// through its window by the windowclock tool, the tool run as a whole process
// with its output thrown away. Each comparison warms both sides up once
// untimed (the page cache warm; each start of the program begins with its own
// caches empty), then runs interleaved rounds, and runs the whole series
// again when a side's times spread wider than twice their least.
#pragma once

#include "../benchsupport.h"

#include <QFile>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace bench {

constexpr int kRounds = 7;
constexpr int kSeriesAtMost = 3;   // a wide series runs again, twice at most

// The folder that holds the benchmark programs and windowclock.
inline std::filesystem::path benchFolder() { return std::filesystem::read_symlink("/proc/self/exe").parent_path(); }

inline double secondsSince(const timespec &start)
{
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &end);
    return double(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9;
}

// Runs a command and waits for it; its standard output goes to the given
// descriptor, or to /dev/null. A command that fails is an error.
inline void runCommand(const std::vector<std::string> &command, int output = -1)
{
    std::vector<char *> arguments;
    for (const std::string &word : command) arguments.push_back(const_cast<char *>(word.c_str()));
    arguments.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("cannot start " + command[0]);
    if (pid == 0) {
        const int nothing = ::open("/dev/null", O_WRONLY);
        ::dup2(output >= 0 ? output : nothing, STDOUT_FILENO);
        if (output < 0) ::dup2(nothing, STDERR_FILENO);
        execvp(arguments[0], arguments.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(command[0] + " failed");
}

// The seconds a plain tool takes as a whole process, its output thrown away.
inline double runWhole(const std::vector<std::string> &command)
{
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    runCommand(command);
    return secondsSince(start);
}

// A private X display, 1600 × 1000 at 24 bits, on a free display number from
// 40 to 99, the range kept for the developers' own virtual displays; the
// display named in WINDOWCLOCK_DISPLAY instead, when set. The programs
// started from here on draw on it, even where `make bench` asked for drawing
// off screen.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        ::unsetenv("QT_QPA_PLATFORM");
        if (const char *given = std::getenv("WINDOWCLOCK_DISPLAY")) {
            ::setenv("DISPLAY", given, 1);
            return;
        }
        const int first = int(::getpid() % 60);
        for (int attempt = 0; attempt < 10; ++attempt) {
            std::string display = ":";
            display += std::to_string(40 + (first + attempt * 7) % 60);
            if (startServer(display)) {
                ::setenv("DISPLAY", display.c_str(), 1);
                return;
            }
        }
        throw std::runtime_error("Xvfb did not start (is it installed?)");
    }
    ~VirtualDisplay()
    {
        if (m_server <= 0) return;
        ::kill(m_server, SIGTERM);
        waitpid(m_server, nullptr, 0);
    }
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

private:
    pid_t m_server = -1;

    // The server writes its display number to the pipe once it accepts
    // clients; it exits without a word when the number is taken.
    bool startServer(const std::string &display)
    {
        int ready[2];
        if (::pipe(ready) != 0) throw std::runtime_error("cannot make a pipe");
        m_server = fork();
        if (m_server == 0) {
            ::close(ready[0]);
            const int nothing = ::open("/dev/null", O_WRONLY);
            ::dup2(nothing, STDOUT_FILENO);
            ::dup2(nothing, STDERR_FILENO);
            const std::string fd = std::to_string(ready[1]);
            execlp("Xvfb", "Xvfb", display.c_str(), "-displayfd", fd.c_str(), "-screen", "0", "1600x1000x24",
                   "-nolisten", "tcp", nullptr);
            _exit(127);
        }
        ::close(ready[1]);
        // Read to the line's end: a server writing into a closed pipe would die.
        bool started = false;
        for (char c = 0; c != '\n' && ::read(ready[0], &c, 1) == 1;) started = true;
        ::close(ready[0]);
        if (!started) {
            waitpid(m_server, nullptr, 0);
            m_server = -1;
        }
        return started;
    }
};

// The windowclock tool beside the benchmark programs: each call returns the
// seconds a user waits, up to the window's last repaint.
class WindowClock {
public:
    double settle = 1.5;

    // Starts the command and times it to its painted window; closes the
    // program afterwards unless asked to leave it running.
    double start(const std::vector<std::string> &command, bool leaveRunning = false)
    {
        std::vector<std::string> arguments;
        if (leaveRunning) arguments.push_back("--leave");
        arguments.push_back("--");
        arguments.insert(arguments.end(), command.begin(), command.end());
        return measure("start", arguments);
    }
    // A left click at pixels from the window's top-left corner.
    double click(int x, int y) { return measure("click", {std::to_string(x), std::to_string(y)}); }
    // Key strokes such as "ctrl+a" and "Return".
    double keys(const std::vector<std::string> &strokes) { return measure("keys", strokes); }
    // Closes the window and waits for its program to end.
    void close() { runCommand({tool(), "close"}, STDERR_FILENO); }

private:
    static std::string tool() { return (benchFolder() / "windowclock").string(); }

    double measure(const std::string &mode, const std::vector<std::string> &words)
    {
        std::vector<std::string> arguments{tool(), mode, "--settle", std::to_string(settle)};
        arguments.insert(arguments.end(), words.begin(), words.end());
        std::FILE *output = std::tmpfile();
        if (!output) throw std::runtime_error("cannot make a temporary file");
        try {
            runCommand(arguments, fileno(output));
        } catch (...) {
            std::fclose(output);
            throw std::runtime_error("windowclock " + mode + " failed");
        }
        std::rewind(output);
        double seconds = -1;
        for (char line[256]; std::fgets(line, sizeof line, output);) std::sscanf(line, "seconds=%lf", &seconds);
        std::fclose(output);
        if (seconds < 0) throw std::runtime_error("windowclock printed no time");
        return seconds;
    }
};

// A copy of the built program in a folder of its own: run from there, it
// keeps its settings beside it, so that a benchmark chooses them without
// touching those of the build folder.
struct ProgramFolder {
    QTemporaryDir folder;
    std::string program = (folder.path() + QStringLiteral("/norvanta2")).toStdString();

    ProgramFolder()
    {
        const std::string built = (benchFolder().parent_path() / "bin" / "norvanta2").string();
        if (!QFile::copy(QString::fromStdString(built), QString::fromStdString(program)))
            throw std::runtime_error("no program at " + built);
    }
    QString settingsFile() const { return folder.path() + QStringLiteral("/DataFile.ini"); }
    void writeSettings(const nv::SettingsRecord &record)
    {
        nv::DesktopPlatform platform;
        if (!nv::WriteSettingsFile(platform, settingsFile(), record).ok())
            throw std::runtime_error("settings not written");
    }
};

// One side of a comparison: its timed work, with untimed preparation before
// and a check of the files after, which names what is wrong, or is empty.
struct Side {
    std::string name;
    std::function<double()> timed;
    std::function<void()> before = [] {};
    std::function<std::string()> check = [] { return std::string(); };

    double round()
    {
        before();
        const double seconds = timed();
        if (const std::string wrong = check(); !wrong.empty()) throw std::runtime_error(name + ": " + wrong);
        return seconds;
    }
};

// Round by round, the program's time, the peer's and their quotient.
struct Series {
    Times program, peer, ratio;
};

inline bool spreadsWide(const Times &times) { return times.most() > 2 * times.least(); }

inline Series runSeries(Side &program, Side &peer)
{
    program.round();   // the warm-ups, untimed
    peer.round();
    Series series;
    for (int round = 0; round < kRounds; ++round) {
        double programSeconds, peerSeconds;
        if (round % 2 == 0) {
            programSeconds = program.round();
            peerSeconds = peer.round();
        } else {
            peerSeconds = peer.round();
            programSeconds = program.round();
        }
        series.program.seconds.push_back(programSeconds);
        series.peer.seconds.push_back(peerSeconds);
        series.ratio.seconds.push_back(programSeconds / peerSeconds);
    }
    return series;
}

inline std::string formatted(const char *format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

inline void printSide(const std::string &name, const Times &times)
{
    std::printf("  %.3f s  (%.3f–%.3f)  %s\n", times.median(), times.least(), times.most(), name.c_str());
}

// Runs the series until it is steady, or kSeriesAtMost times.
template <class Run, class Wide>
auto steadySeries(Run run, Wide wide)
{
    auto series = run();
    for (int again = 1; again < kSeriesAtMost && wide(series); ++again) {
        std::printf("  a range wider than 2×: the series runs again\n");
        series = run();
    }
    if (wide(series)) std::printf("  the range stays wider than 2×\n");
    return series;
}

// Times the program against its peer and prints both, the median of the
// round-by-round ratios and whether it is at most goalRatio. A side that
// fails or leaves wrong files misses the goal.
inline bool compareSideBySide(const std::string &title, Side program, Side peer, double goalRatio)
{
    std::printf("%s\n", title.c_str());
    const std::string goal = "goal: ≤ " + formatted("%.2f× ", goalRatio) + peer.name;
    try {
        const auto eitherWide = [](const Series &s) { return spreadsWide(s.program) || spreadsWide(s.peer); };
        const Series series = steadySeries([&] { return runSeries(program, peer); }, eitherWide);
        printSide(program.name, series.program);
        printSide(peer.name, series.peer);
        const bool met = series.ratio.median() <= goalRatio;
        std::printf("  %s   measured: %.2f× (%.2f–%.2f)   %s\n", goal.c_str(), series.ratio.median(),
                    series.ratio.least(), series.ratio.most(), met ? "MET" : "MISSED");
        return met;
    } catch (const std::exception &error) {
        std::printf("  %s   measured: nothing (%s)   MISSED\n", goal.c_str(), error.what());
        return false;
    }
}

// The same for a goal in seconds, with the program alone.
inline bool measureAlone(const std::string &title, Side program, double goalSeconds)
{
    std::printf("%s\n", title.c_str());
    const std::string goal = "goal: ≤ " + formatted("%.3f s", goalSeconds);
    try {
        const Times times = steadySeries(
            [&] {
                program.round();   // the warm-up, untimed
                Times series;
                for (int round = 0; round < kRounds; ++round) series.seconds.push_back(program.round());
                return series;
            },
            spreadsWide);
        const bool met = times.median() <= goalSeconds;
        std::printf("  %s   measured: %.3f s (%.3f–%.3f)   %s\n", goal.c_str(), times.median(), times.least(),
                    times.most(), met ? "MET" : "MISSED");
        return met;
    } catch (const std::exception &error) {
        std::printf("  %s   measured: nothing (%s)   MISSED\n", goal.c_str(), error.what());
        return false;
    }
}

}  // namespace bench
