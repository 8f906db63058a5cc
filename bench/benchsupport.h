// SPDX-License-Identifier: GPL-3.0-or-later
// What the benchmarks share: folders of files, other programs run as whole
// processes, a private X display, the windowclock tool that times a window to
// its last repaint, and the program started from a folder of its own on the
// settings a benchmark chooses. The program is reached only through what a
// user reaches (its settings files, its window, the files it writes), so
// that changes inside it leave the benchmarks standing.
#pragma once

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace bench {

namespace fs = std::filesystem;

// ---- Smoke runs

// BENCH_SMOKE=1 runs each benchmark on a tenth of its files, in fewer rounds
// and without running a wide series again: it shows that every benchmark
// still runs end to end after a change, quickly, but its figures are not the
// goals' measures and its goal lines say so.
inline bool smokeRun()
{
    const char *value = std::getenv("BENCH_SMOKE");
    return value && *value && std::string(value) != "0";
}

// The number of files of a measure, a tenth of it in a smoke run.
inline int fileCount(int full) { return smokeRun() ? std::max(1, full / 10) : full; }

// 100000 as "100 000", for titles.
inline std::string grouped(long number)
{
    const std::string digits = std::to_string(number);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ' ';
        text += digits[i];
    }
    return text;
}

// ---- Files

// An ext4 volume without a journal (this machine's) passes over every inode
// freed in the last minute, six while its block is not written yet, for
// each file it creates, scanning from the first again (the inode allocator's
// recently_deleted() shows in perf): just after 20 000 files were deleted, a
// copy of 20 000 empty files took five times as long. So nothing is deleted
// while benchmarks run: folders done with go, their files emptied to give the
// space back, to a spent folder that `make bench` deletes once all have run.
inline fs::path spentFolder()
{
    const fs::path spent = fs::temp_directory_path() / "nvbench-spent";
    fs::create_directories(spent);
    return spent;
}

inline void putAside(const fs::path &folder)
{
    std::error_code error;
    if (!fs::exists(folder, error)) return;
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(folder, error))
        if (entry.is_regular_file(error) && entry.file_size(error) > 0) fs::resize_file(entry.path(), 0, error);
    std::string pattern = (spentFolder() / "XXXXXX").string();
    if (::mkdtemp(pattern.data())) {
        fs::rename(folder, fs::path(pattern) / "folder", error);
        if (!error) return;
    }
    fs::remove_all(folder, error);   // another file system (/dev/shm): nothing to pass over there
}

// A new empty folder under parent, put aside with everything in it at the end.
class Folder {
public:
    explicit Folder(const fs::path &parent = fs::temp_directory_path())
    {
        std::string pattern = (parent / "nvbench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder in " + parent.string());
        m_path = pattern;
    }
    ~Folder()
    {
        putAside(m_path);
    }
    Folder(const Folder &) = delete;
    Folder &operator=(const Folder &) = delete;
    const fs::path &path() const { return m_path; }
    fs::path operator/(const std::string &name) const { return m_path / name; }

private:
    fs::path m_path;
};

// An empty folder at path, whatever was there before.
inline fs::path emptied(const fs::path &path)
{
    putAside(path);
    fs::create_directories(path);
    return path;
}

inline std::string padded(long number, int width)
{
    std::string digits = std::to_string(number);
    return std::string(std::size_t(std::max(0, width - int(digits.size()))), '0') + digits;
}

using NameOf = std::function<std::string(int)>;

// IMG_000000.JPG, IMG_000001.JPG, ...
inline std::string cameraName(int i) { return "IMG_" + padded(i, 6) + ".JPG"; }

// count files named nameOf(0), nameOf(1), ..., each of size bytes.
inline void makeFiles(const fs::path &folder, int count, std::size_t size, const NameOf &nameOf = cameraName)
{
    const std::string block(std::size_t(1) << 20, 'x');
    for (int i = 0; i < count; ++i) {
        const std::string path = (folder / nameOf(i)).string();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) throw std::runtime_error("cannot write " + path);
        for (std::size_t written = 0; written < size;) {
            const ssize_t part = ::write(fd, block.data(), std::min(block.size(), size - written));
            if (part <= 0) throw std::runtime_error("cannot write " + path);
            written += std::size_t(part);
        }
        ::close(fd);
    }
}

// What is wrong with a folder that should hold count files of size bytes and
// nothing else, not even a hidden temporary file; with nameOf, also named
// nameOf(0) to nameOf(count - 1). Empty when nothing is.
inline std::string wrongInFolder(const fs::path &folder, int count, std::uintmax_t size, const NameOf &nameOf = {})
{
    int found = 0;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder)) {
        ++found;
        if (!entry.is_regular_file() || entry.file_size() != size)
            return entry.path().filename().string() + " is not a file of " + std::to_string(size) + " bytes";
    }
    if (found != count)
        return folder.string() + " holds " + std::to_string(found) + " entries, not " + std::to_string(count);
    for (int i = 0; nameOf && i < count; ++i)
        if (!fs::exists(folder / nameOf(i))) return nameOf(i) + " is missing";
    return {};
}

// ---- Other programs

inline double secondsSince(const timespec &start)
{
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &end);
    return double(end.tv_sec - start.tv_sec) + double(end.tv_nsec - start.tv_nsec) / 1e9;
}

// Starts a command with extra NAME=value words in its environment; its
// standard output goes to the given descriptor, or with its errors to /dev/null.
inline pid_t startCommand(const std::vector<std::string> &command, int output = -1,
                          const std::vector<std::string> &environment = {})
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
        for (const std::string &setting : environment) ::putenv(const_cast<char *>(setting.c_str()));
        execvp(arguments[0], arguments.data());
        _exit(127);
    }
    return pid;
}

// Waits for a started command; one that failed is an error.
inline void finishCommand(pid_t pid, const std::string &name)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(name + " failed");
}

inline void runCommand(const std::vector<std::string> &command, int output = -1,
                       const std::vector<std::string> &environment = {})
{
    finishCommand(startCommand(command, output, environment), command[0]);
}

// The seconds a command takes as a whole process, its output thrown away.
inline double runWhole(const std::vector<std::string> &command)
{
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    runCommand(command);
    return secondsSince(start);
}

// The folder that holds the benchmark programs, windowclock and controlplaces.
inline fs::path benchFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

// ---- The display and the clock

// A private X display, 1600 × 1000 at 24 bits, on a free display number from
// 40 to 99, the range kept for the developers' own virtual displays; the
// display named in WINDOWCLOCK_DISPLAY instead, when set. The programs
// started from here on draw on it, even where drawing off screen was asked for.
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
        for (int attempt = 0; attempt < 20; ++attempt) {
            const int number = 40 + (first + attempt * 7) % 60;
            const std::string display = ":" + std::to_string(number);
            if (!inUse(number) && startServer(display)) {
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

    // A server of another user of this machine may hold the number where
    // this one's lock files do not show: its socket in the abstract name
    // space, which clients try first, would take our programs to it.
    static bool inUse(int number)
    {
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
        if (fs::exists("/tmp/.X" + std::to_string(number) + "-lock") || fs::exists(socket)) return true;
        std::ifstream sockets("/proc/net/unix");
        for (std::string line; std::getline(sockets, line);) {
            const std::size_t at = line.find(" @" + socket);
            if (at != std::string::npos && at + socket.size() + 2 == line.size()) return true;
        }
        return false;
    }

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

// A control's rectangle in pixels from the window's top-left corner.
struct Place {
    int x = 0, y = 0, width = 0, height = 0;
};

// The windowclock tool: each timed call returns the seconds a user waits, up
// to the window's last repaint. Set-up steps wait for a shorter quiet.
class WindowClock {
public:
    static constexpr double kSettle = 1.5;
    static constexpr double kSetUpSettle = 0.5;
    pid_t pid = 0;   // the program of the last start

    // Starts the command and times it to its painted window; closes the
    // program afterwards unless asked to leave it running.
    double start(const std::vector<std::string> &command, bool leaveRunning = false, double settle = kSettle)
    {
        std::vector<std::string> arguments;
        if (leaveRunning) arguments.push_back("--leave");
        arguments.push_back("--");
        arguments.insert(arguments.end(), command.begin(), command.end());
        return measure("start", settle, arguments);
    }
    // Starts the program for the untimed steps that prepare a timed one.
    void open(const std::vector<std::string> &command) { start(command, true, kSetUpSettle); }
    // A left click, or a double click, on a control: at the middle of the
    // square at its left end, where a check box has its box (a check box
    // takes no click right of its caption) and a list its first letters.
    double click(const Place &place, bool twice = false, double settle = kSettle)
    {
        const int side = std::min(place.width, place.height);
        std::vector<std::string> words{std::to_string(place.x + side / 2), std::to_string(place.y + side / 2)};
        if (twice) words.push_back("--double");
        return measure("click", settle, words);
    }
    // Key strokes such as "ctrl+a" and "alt+r".
    double keys(const std::vector<std::string> &strokes, double settle = kSettle)
    {
        return measure("keys", settle, strokes);
    }
    // Closes the window, if one is open, and waits for its program to end.
    void close() noexcept
    {
        try {
            runCommand({tool(), "close", "--timeout", "20"});
        } catch (...) {
        }
    }

private:
    static std::string tool() { return (benchFolder() / "windowclock").string(); }

    double measure(const std::string &mode, double settle, const std::vector<std::string> &words)
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
        unsigned shown = 0;
        for (char line[256]; std::fgets(line, sizeof line, output);) {
            std::sscanf(line, "seconds=%lf", &seconds);
            std::sscanf(line, "shown=%u", &shown);
            std::sscanf(line, "pid=%d", &pid);
        }
        std::fclose(output);
        if (seconds < 0) throw std::runtime_error("windowclock printed no time");
        // The time of a window waiting for an answer is not the time of the work.
        if (shown > 0) throw std::runtime_error("the program showed another window, a message perhaps");
        return seconds;
    }
};

// ---- The program

// What a benchmark chooses of the settings; the naming fields are fixed:
// head name "trip", first number 1, five digits, extension "jpg".
struct Settings {
    fs::path source, destination;
    int reportView = 1;
    int showContinuation = 0;
    int captureTimeOrder = 0;
};

// The names a rename with those fields gives the files in list order.
inline std::string renamedName(int i) { return "trip" + padded(i + 1, 5) + ".jpg"; }

// A copy of the built program in a folder of its own: run from there, it
// keeps its settings beside it, and a benchmark writes them there as a user's
// earlier session would have left them. Its own runtime folder keeps it apart
// from any other copy of the program running for this user.
class Program {
public:
    Program()
    {
        const fs::path built = benchFolder().parent_path() / "bin" / "norvanta2";
        fs::copy_file(built, m_folder / "norvanta2");
        ::setenv("XDG_RUNTIME_DIR", m_runtime.path().c_str(), 1);
    }
    std::vector<std::string> command() const { return {(m_folder / "norvanta2").string()}; }

    void write(const Settings &settings)
    {
        // The 18 fields of DataFile.ini: the folders, digit index, extension
        // index, head name, first number, view, option 1, ten history slots.
        std::ostringstream record;
        record << quoted(settings.source) << ',' << quoted(settings.destination) << ",5,0,\"trip\",\"1\","
               << settings.reportView << ',' << settings.showContinuation;
        for (int slot = 0; slot < 10; ++slot) record << ",\"\"";
        writeFile("DataFile.ini", record.str() + "\r\n");
        writeFile("ListFile.ini", "\"jpg\"\r\n");
        writeFile("Options.ini", "[Options]\r\nCaptureTimeOrder=" + std::to_string(settings.captureTimeOrder) + "\r\n");
    }
    // The program removes settings naming a folder it cannot list.
    bool keptSettings() const { return fs::exists(m_folder / "DataFile.ini"); }

    // Where the named controls lie in the window, found by one untimed start
    // of the program on the current settings with controlplaces loaded.
    std::map<std::string, Place> places(const std::vector<std::string> &names)
    {
        std::string joined;
        for (const std::string &name : names) joined += name + " ";
        const fs::path output = m_folder / "places.txt";
        runCommand(command(), -1,
                   {"LD_PRELOAD=" + (benchFolder() / "libcontrolplaces.so").string(), "CONTROLPLACES_NAMES=" + joined,
                    "CONTROLPLACES_OUTPUT=" + output.string()});
        std::map<std::string, Place> found;
        std::ifstream lines(output);
        std::string name;
        for (Place place; lines >> name >> place.x >> place.y >> place.width >> place.height;) found[name] = place;
        if (found.size() != names.size()) throw std::runtime_error("the window did not show every control asked for");
        return found;
    }

private:
    Folder m_folder, m_runtime;

    static std::string quoted(const fs::path &folder) { return "\"" + (folder / "").string() + "\""; }
    void writeFile(const std::string &name, const std::string &text)
    {
        std::ofstream file(m_folder / name, std::ios::binary | std::ios::trunc);
        if (!(file << text)) throw std::runtime_error("cannot write " + name);
    }
};

// Runs a benchmark; what fails outside a measurement ends it with a message.
inline int runBenchmark(const char *name, const std::function<void()> &body)
{
    std::printf("(medians of interleaved rounds with their ranges; the machine may be loaded by other work)\n");
    if (smokeRun()) std::printf("(smoke run: a tenth of the files, fewer rounds; no goal is judged by it)\n");
    std::fflush(stdout);
    try {
        body();
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s: %s\n", name, error.what());
        return 1;
    }
    return 0;
}

}  // namespace bench
