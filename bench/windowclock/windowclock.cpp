// SPDX-License-Identifier: GPL-3.0-or-later
// windowclock: times what a user waits for in a window on an X display, from
// outside the program. It watches every repaint on the screen through the
// DAMAGE extension and reports the time to the last repaint that touched the
// window: "last" being the one after which the window stayed still for the
// settle period while its program did no work (no thread waiting on the disk,
// as a program does in fsync, and less than a quarter of a core used), so
// that a program busy without repainting is waited for. The time reported is
// that of the last repaint itself, not the end of the wait.
//
//   windowclock start [options] -- COMMAND [ARGUMENT...]
//       launches the command and times its start up to its window's last repaint
//   windowclock click X Y [options]      a left click at window-relative pixels
//                                        (--double: a double click)
//   windowclock keys KEY... [options]    key strokes such as ctrl+a Return
//   windowclock close [options]          closes the window as its close button would
//
// Prints key=value lines on standard output: seconds= and shown= (how many
// other windows were shown meanwhile, such as a message box) always; start adds
// mapped= (the seconds until the window appeared), window= and pid=, which a
// following click, keys or close may name with --window. Exits with 0 when it
// measured, 1 when the measuring failed (the reason on standard error) and 2
// on a wrong command line.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <regex.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char *const kUsage =
    "usage: windowclock start [options] -- COMMAND [ARGUMENT...]\n"
    "       windowclock click X Y [--double] [options]\n"
    "       windowclock keys KEY... [options]      (e.g. ctrl+a Return F5)\n"
    "       windowclock close [options]\n"
    "options:\n"
    "  --name REGEX    the window's title, POSIX extended (default ^Norvanta２$)\n"
    "  --window ID     that window instead of one found by its title\n"
    "  --settle S      quiet seconds that make a repaint the last one (default 1.5)\n"
    "  --timeout S     give up after this many seconds (default 60)\n"
    "  --min-area PX   ignore repaints smaller than this many pixels, such as a\n"
    "                  blinking text cursor (default 200)\n"
    "  --leave         start: leave the program running (default: close it)\n"
    "  --double        click: a double click\n"
    "  --trace         print every repaint on the screen to standard error\n";

[[noreturn]] void fail(int status, const char *format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::fputs("windowclock: ", stderr);
    std::vfprintf(stderr, format, arguments);
    std::fputc('\n', stderr);
    va_end(arguments);
    std::exit(status);
}

double now()
{
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return double(time.tv_sec) + time.tv_nsec / 1e9;
}

struct Options {
    std::string mode;
    std::string name = "^Norvanta２$";
    Window window = None;
    double settle = 1.5, timeout = 60;
    long minArea = 200;
    bool leave = false, trace = false, doubleClick = false;
    std::vector<std::string> words;   // click: X Y; keys: the keys
    std::vector<char *> command;      // start: the command, null-terminated
};

double nonNegative(const char *text, const char *what)
{
    char *end = nullptr;
    const double value = std::strtod(text, &end);
    if (*text == '\0' || *end != '\0' || !(value >= 0)) fail(2, "%s must be a number of zero or more: %s", what, text);
    return value;
}

Options parseOptions(int argc, char **argv)
{
    if (argc < 2) fail(2, "no mode given\n%s", kUsage);
    Options options;
    options.mode = argv[1];
    if (options.mode != "start" && options.mode != "click" && options.mode != "keys" && options.mode != "close")
        fail(2, "unknown mode: %s\n%s", argv[1], kUsage);
    for (int i = 2; i < argc; ++i) {
        const std::string word = argv[i];
        const bool hasValue = i + 1 < argc;
        if (word == "--") {
            options.command.assign(argv + i + 1, argv + argc);
            break;
        }
        if (word == "--leave") options.leave = true;
        else if (word == "--trace") options.trace = true;
        else if (word == "--double") options.doubleClick = true;
        else if (word == "--name" && hasValue) options.name = argv[++i];
        else if (word == "--window" && hasValue) options.window = Window(std::strtoul(argv[++i], nullptr, 0));
        else if (word == "--settle" && hasValue) options.settle = nonNegative(argv[++i], "--settle");
        else if (word == "--timeout" && hasValue) options.timeout = nonNegative(argv[++i], "--timeout");
        else if (word == "--min-area" && hasValue) options.minArea = long(nonNegative(argv[++i], "--min-area"));
        else if (word.rfind("--", 0) == 0) fail(2, "unknown option or missing value: %s\n%s", argv[i], kUsage);
        else options.words.push_back(word);
    }
    const bool wordsFit = options.mode == "click" ? options.words.size() == 2
                          : options.mode == "keys" ? !options.words.empty()
                                                   : options.words.empty();
    if (!wordsFit) fail(2, "wrong arguments for %s\n%s", options.mode.c_str(), kUsage);
    if ((options.mode == "start") != !options.command.empty())
        fail(2, "a command after -- belongs to start, and start needs one\n%s", kUsage);
    options.command.push_back(nullptr);
    return options;
}

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool meets(const Rect &other) const
    {
        return x < other.x + other.width && other.x < x + width && y < other.y + other.height &&
               other.y < y + height;
    }
};

struct Repaint {
    double time;
    Rect area;   // in screen coordinates
};

// What a process is doing: the processor time it used so far, and whether one
// of its threads waits on the disk (state D).
struct Activity {
    double cpuSeconds = 0;
    bool waitsOnDisk = false;
};

// The state and the user and system clock ticks of one line of /proc/.../stat.
bool readStat(const std::string &path, char &state, unsigned long long &ticks)
{
    FILE *file = std::fopen(path.c_str(), "r");
    if (!file) return false;
    char line[1024];
    const bool read = std::fgets(line, sizeof line, file) != nullptr;
    std::fclose(file);
    const char *afterName = read ? std::strrchr(line, ')') : nullptr;
    unsigned long long user = 0, system = 0;
    if (!afterName || std::sscanf(afterName + 1, " %c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &state,
                                  &user, &system) != 3)
        return false;
    ticks = user + system;
    return true;
}

// Nothing once the process is gone.
std::optional<Activity> activityOf(pid_t pid)
{
    const std::string folder = "/proc/" + std::to_string(pid);
    char state = 0;
    unsigned long long ticks = 0;
    if (!readStat(folder + "/stat", state, ticks)) return {};
    Activity activity{double(ticks) / double(sysconf(_SC_CLK_TCK)), false};
    if (DIR *tasks = opendir((folder + "/task").c_str())) {
        while (const dirent *task = readdir(tasks)) {
            unsigned long long unused = 0;
            if (task->d_name[0] != '.' && readStat(folder + "/task/" + task->d_name + "/stat", state, unused))
                activity.waitsOnDisk = activity.waitsOnDisk || state == 'D';
        }
        closedir(tasks);
    }
    return activity;
}

// A process counts as working while it waits on the disk or keeps more than a
// quarter of a core busy; checked this often.
constexpr double kSampleSeconds = 0.1;
constexpr double kWorkingShare = 0.25;

// A window vanishing between two requests is normal here (a closing program,
// a short-lived helper window): the request fails and the caller sees it.
int ignoreError(Display *, XErrorEvent *) { return 0; }

// The connection to the display and every repaint on its screen since the
// clock was made; none is missed, whatever window it lands in.
class RepaintWatch {
public:
    explicit RepaintWatch(const Options &options) : m_options(options)
    {
        m_display = XOpenDisplay(nullptr);
        if (!m_display) fail(1, "cannot open the display \"%s\"", XDisplayName(nullptr));
        XSetErrorHandler(ignoreError);
        m_root = DefaultRootWindow(m_display);
        int damageError = 0, major = 0, minor = 0;
        if (!XDamageQueryExtension(m_display, &m_damageEvent, &damageError))
            fail(1, "the display has no DAMAGE extension");
        if (!XTestQueryExtension(m_display, &damageError, &damageError, &major, &minor))
            fail(1, "the display has no XTEST extension");
        XDamageCreate(m_display, m_root, XDamageReportRawRectangles);
        XSelectInput(m_display, m_root, SubstructureNotifyMask);
        if (regcomp(&m_name, options.name.c_str(), REG_EXTENDED | REG_NOSUB) != 0)
            fail(2, "not a regular expression: %s", options.name.c_str());
        // A new damage object reports its whole drawable once, just after the
        // request: that is no repaint.
        XSync(m_display, False);
        for (const double enough = now() + 1; m_repaints.empty() && now() < enough;) watchUntil(now() + 0.005);
        m_repaints.clear();
    }

    Display *display() const { return m_display; }

    // The moment the measure begins; traced repaints are timed from it.
    double startClock() { return m_origin = now(); }

    // Records repaints until the given time.
    void watchUntil(double until)
    {
        for (;;) {
            while (XPending(m_display) > 0) {
                XEvent event;
                XNextEvent(m_display, &event);
                if (event.type == MapNotify) ++m_windowsShown;
                if (event.type != m_damageEvent + XDamageNotify) continue;
                const auto &damage = reinterpret_cast<const XDamageNotifyEvent &>(event);
                m_repaints.push_back({now(), {damage.area.x, damage.area.y, damage.area.width, damage.area.height}});
                if (m_options.trace && m_origin > 0)
                    std::fprintf(stderr, "repaint at %.4f: %dx%d+%d+%d\n", m_repaints.back().time - m_origin,
                                 damage.area.width, damage.area.height, damage.area.x, damage.area.y);
            }
            const double left = until - now();
            if (left <= 0) return;
            pollfd connection{ConnectionNumber(m_display), POLLIN, 0};
            poll(&connection, 1, int(left * 1000) + 1);
        }
    }

    // The viewable window whose title matches, searched through the whole
    // tree so that a window manager's frames do not hide it.
    std::optional<Window> findWindow() { return findBelow(m_root); }

    // How many windows were shown on the screen while it was watched.
    unsigned windowsShown() const { return m_windowsShown; }

    // The window's place on the screen, or nothing once it is gone.
    std::optional<Rect> placeOf(Window window)
    {
        XWindowAttributes attributes;
        Window child;
        Rect place;
        if (!XGetWindowAttributes(m_display, window, &attributes) || attributes.map_state != IsViewable) return {};
        if (!XTranslateCoordinates(m_display, window, m_root, 0, 0, &place.x, &place.y, &child)) return {};
        place.width = attributes.width;
        place.height = attributes.height;
        return place;
    }

    // Waits until the window has not been repainted for the settle period,
    // during which its process (when known) did no work, and returns the time
    // of its last repaint after since; nothing when it was not repainted at
    // all. Without any repaint yet, the quiet period counts from the call,
    // when the window was known to be there.
    std::optional<double> lastRepaint(Window window, pid_t pid, double since, double settle, double deadline)
    {
        const double watchedFrom = now();
        double workedAt = 0, sampledAt = now();
        std::optional<Activity> sampled;
        if (pid > 0) sampled = activityOf(pid);
        for (;;) {
            const std::optional<Rect> place = placeOf(window);
            if (!place) fail(1, "the window closed while it was watched");
            std::optional<double> last;
            for (auto it = m_repaints.rbegin(); it != m_repaints.rend() && it->time >= since; ++it) {
                const bool large = long(it->area.width) * it->area.height >= m_options.minArea;
                if (large && it->area.meets(*place)) {
                    last = it->time;
                    break;
                }
            }
            if (sampled && now() - sampledAt >= kSampleSeconds) {
                const double usedBefore = sampled->cpuSeconds;
                const std::optional<Activity> current = activityOf(pid);
                if (current && (current->waitsOnDisk ||
                                current->cpuSeconds - usedBefore > kWorkingShare * (now() - sampledAt)))
                    workedAt = now();
                sampled = current;
                sampledAt = now();
            }
            const double quietSince = std::max(last.value_or(watchedFrom), workedAt);
            if (now() - quietSince >= settle) return last;
            if (now() >= deadline)
                fail(1, "the window was still repainting, or its program working, after %g seconds", m_options.timeout);
            double until = std::min(quietSince + settle, deadline);
            if (sampled) until = std::min(until, sampledAt + kSampleSeconds);
            watchUntil(until);
        }
    }

    // The process behind the window, as the window says; 0 when it does not.
    pid_t processOf(Window window)
    {
        const Atom pidAtom = XInternAtom(m_display, "_NET_WM_PID", False);
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char *data = nullptr;
        pid_t pid = 0;
        if (XGetWindowProperty(m_display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                               &data) == Success && data && count == 1 && format == 32)
            pid = pid_t(*reinterpret_cast<unsigned long *>(data));
        if (data) XFree(data);
        return pid;
    }

private:
    const Options &m_options;
    Display *m_display = nullptr;
    Window m_root = None;
    int m_damageEvent = 0;
    double m_origin = 0;
    unsigned m_windowsShown = 0;
    regex_t m_name{};
    std::vector<Repaint> m_repaints;

    std::string titleOf(Window window)
    {
        const Atom utf8 = XInternAtom(m_display, "UTF8_STRING", False);
        const Atom netName = XInternAtom(m_display, "_NET_WM_NAME", False);
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char *data = nullptr;
        std::string title;
        if (XGetWindowProperty(m_display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after,
                               &data) == Success && data && type == utf8)
            title.assign(reinterpret_cast<char *>(data), count);
        if (data) XFree(data);
        char *plainName = nullptr;
        if (title.empty() && XFetchName(m_display, window, &plainName) && plainName) title = plainName;
        if (plainName) XFree(plainName);
        return title;
    }

    std::optional<Window> findBelow(Window parent)
    {
        Window root, grandparent, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(m_display, parent, &root, &grandparent, &children, &count)) return {};
        std::optional<Window> found;
        for (unsigned int i = count; i-- > 0 && !found;) {   // topmost first
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(m_display, children[i], &attributes) || attributes.map_state != IsViewable)
                continue;
            if (regexec(&m_name, titleOf(children[i]).c_str(), 0, nullptr, 0) == 0) found = children[i];
            else found = findBelow(children[i]);
        }
        if (children) XFree(children);
        return found;
    }
};

bool processEnded(pid_t pid, bool ownChild)
{
    if (ownChild) return waitpid(pid, nullptr, WNOHANG) == pid;
    if (kill(pid, 0) != 0) return errno == ESRCH;
    // A parent that never reaps leaves a zombie behind: ended all the same.
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/stat", int(pid));
    FILE *stat = std::fopen(path, "r");
    if (!stat) return true;
    char state = '?';
    const bool read = std::fscanf(stat, "%*d (%*[^)]) %c", &state) == 1;
    std::fclose(stat);
    return read && state == 'Z';
}

// Asks the window to close as its close button would, and waits for its
// process to end; a process still there after the timeout is killed, so
// that the next measure never runs beside it.
void closeWindow(RepaintWatch &screen, Window window, pid_t pid, bool ownChild, double timeout)
{
    Display *display = screen.display();
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    message.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &message);
    XFlush(display);
    const double deadline = now() + timeout;
    while (now() < deadline) {
        const bool ended = pid > 0 ? processEnded(pid, ownChild) : !screen.placeOf(window);
        if (ended) return;
        usleep(10000);
    }
    if (pid <= 0) fail(1, "the window did not close within %g seconds", timeout);
    std::fprintf(stderr, "windowclock: the program did not end within %g seconds; killed\n", timeout);
    kill(pid, SIGKILL);
    if (ownChild) waitpid(pid, nullptr, 0);
}

Window targetWindow(RepaintWatch &screen, const Options &options)
{
    if (options.window != None) return options.window;
    const std::optional<Window> found = screen.findWindow();
    if (!found) fail(1, "no open window is titled like %s", options.name.c_str());
    return *found;
}

pid_t launch(const Options &options)
{
    const pid_t pid = fork();
    if (pid < 0) fail(1, "cannot start a process: %s", std::strerror(errno));
    if (pid == 0) {
        // The program's own output would mix with ours.
        const int nothing = open("/dev/null", O_WRONLY);
        dup2(nothing, STDOUT_FILENO);
        execvp(options.command[0], options.command.data());
        std::fprintf(stderr, "windowclock: cannot run %s: %s\n", options.command[0], std::strerror(errno));
        _exit(127);
    }
    return pid;
}

int startMode(RepaintWatch &screen, const Options &options)
{
    if (screen.findWindow()) fail(1, "a window titled like %s is open already", options.name.c_str());
    const double start = screen.startClock();
    const double deadline = start + options.timeout;
    const pid_t pid = launch(options);
    std::optional<Window> window;
    // The tree is searched when a window was shown, and now and then besides
    // (a title set after showing): searching all the time would take the
    // display server's time from the program being timed.
    unsigned searchedAfter = ~0u;
    for (double nextSearch = 0;; screen.watchUntil(now() + 0.005)) {
        if (screen.windowsShown() != searchedAfter || now() >= nextSearch) {
            searchedAfter = screen.windowsShown();
            nextSearch = now() + 0.1;
            if ((window = screen.findWindow())) break;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            fail(1, "the program ended (%s %d) before its window appeared",
                 WIFEXITED(status) ? "exit status" : "signal", WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status));
        if (now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            fail(1, "no window titled like %s within %g seconds", options.name.c_str(), options.timeout);
        }
    }
    const double mapped = now() - start;
    const std::optional<double> last = screen.lastRepaint(*window, pid, start, options.settle, deadline);
    if (!last) fail(1, "the window appeared but was never painted");
    std::printf("seconds=%.4f\nshown=%u\nmapped=%.4f\nwindow=0x%lx\npid=%d\n", *last - start,
                screen.windowsShown() - 1, mapped, *window, int(pid));
    std::fflush(stdout);
    if (!options.leave) closeWindow(screen, *window, pid, true, options.timeout);
    return 0;
}

KeyCode keyCodeOf(Display *display, const std::string &name)
{
    const KeySym symbol = XStringToKeysym(name.c_str());
    const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(display, symbol);
    if (code == 0) fail(2, "no such key: %s", name.c_str());
    return code;
}

// Each stroke is one key with the modifiers before it, joined by "+":
// ctrl+shift+Tab. Modifiers go down in order and come up in reverse.
std::vector<std::vector<KeyCode>> parseStrokes(Display *display, const std::vector<std::string> &words)
{
    const std::vector<std::pair<std::string, std::string>> modifiers{
        {"ctrl", "Control_L"}, {"shift", "Shift_L"}, {"alt", "Alt_L"}, {"super", "Super_L"}};
    std::vector<std::vector<KeyCode>> strokes;
    for (const std::string &word : words) {
        std::vector<KeyCode> keys;
        std::size_t begin = 0;
        for (std::size_t plus; (plus = word.find('+', begin)) != std::string::npos; begin = plus + 1) {
            const std::string part = word.substr(begin, plus - begin);
            auto modifier = std::find_if(modifiers.begin(), modifiers.end(), [&](auto &m) { return m.first == part; });
            keys.push_back(keyCodeOf(display, modifier != modifiers.end() ? modifier->second : part));
        }
        keys.push_back(keyCodeOf(display, word.substr(begin)));
        strokes.push_back(keys);
    }
    return strokes;
}

int actionMode(RepaintWatch &screen, const Options &options)
{
    Display *display = screen.display();
    const bool click = options.mode == "click";
    const int x = click ? int(nonNegative(options.words[0].c_str(), "X")) : 0;
    const int y = click ? int(nonNegative(options.words[1].c_str(), "Y")) : 0;
    const std::vector<std::vector<KeyCode>> strokes = click ? std::vector<std::vector<KeyCode>>{}
                                                            : parseStrokes(display, options.words);
    const Window window = targetWindow(screen, options);
    const pid_t pid = screen.processOf(window);
    const std::optional<Rect> place = screen.placeOf(window);
    if (!place) fail(1, "window 0x%lx is not on the screen", window);
    if (click) {
        if (x >= place->width || y >= place->height)
            fail(2, "%d,%d lies outside the window (%dx%d)", x, y, place->width, place->height);
        XTestFakeMotionEvent(display, DefaultScreen(display), place->x + x, place->y + y, CurrentTime);
    }
    // A user acts in the active window: what the pointer's arrival and the
    // activation repaint is no part of the time.
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    XFlush(display);
    screen.lastRepaint(window, pid, now(), std::min(options.settle, 0.3), now() + options.timeout);

    const double start = screen.startClock();
    const unsigned shownBefore = screen.windowsShown();
    for (int press = 0; click && press < (options.doubleClick ? 2 : 1); ++press) {
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
    }
    for (const std::vector<KeyCode> &keys : strokes) {
        for (KeyCode key : keys) XTestFakeKeyEvent(display, key, True, CurrentTime);
        for (auto key = keys.rbegin(); key != keys.rend(); ++key) XTestFakeKeyEvent(display, *key, False, CurrentTime);
    }
    XFlush(display);
    const std::optional<double> last = screen.lastRepaint(window, pid, start, options.settle, start + options.timeout);
    if (!last) fail(1, "the window did not repaint after the %s", click ? "click" : "keys");
    std::printf("seconds=%.4f\nshown=%u\nwindow=0x%lx\n", *last - start, screen.windowsShown() - shownBefore,
                window);
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    const Options options = parseOptions(argc, argv);
    RepaintWatch screen(options);
    if (options.mode == "start") return startMode(screen, options);
    if (options.mode == "close") {
        const Window window = targetWindow(screen, options);
        closeWindow(screen, window, screen.processOf(window), false, options.timeout);
        return 0;
    }
    return actionMode(screen, options);
}
