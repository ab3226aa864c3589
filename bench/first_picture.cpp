// Starts a program and reads off the screen when its window first shows a picture.
//
//   first_picture WINDOW-NAME PROGRAM [ARG...]
//
// Prints "<ms> <pid> <cpu ms>": the milliseconds from the exec to the first poll that found the
// viewable window of that exact name (WM_NAME) showing a picture, the program's process id, and
// the CPU time the program had used by then (all its threads; steadier than the wall time on a
// busy machine, where waiting for a core stretches everything). The
// program keeps running, its output going to our standard error. A window counts as showing a picture once two lines across it (at a
// third and at two thirds of its height) hold at least MinColours colours: a background, a black
// video window or a half-drawn frame hold one or two, an ffmpeg test picture dozens.
// Exits 1 (and kills the program) when nothing showed within 30 s.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int MinColours = 8;
constexpr long PollMicroseconds = 2000;
constexpr double TimeoutMs = 30000;

double nowMs()
{
    timespec t { };
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The viewable window named `name` among the root's children and grandchildren (a window manager
// frames top-level windows); 0 when none.
Window findWindow(Display* display, Window under, const char* name, int depth)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, under, &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = count; i-- > 0 && !found;) {
        char* title = nullptr;
        XWindowAttributes a { };
        if (XFetchName(display, children[i], &title) && title && std::strcmp(title, name) == 0 &&
            XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable)
            found = children[i];
        XFree(title);
        if (!found && depth > 0)
            found = findWindow(display, children[i], name, depth - 1);
    }
    XFree(children);
    return found;
}

// Read from the root window, as the screen shows it: the window's children (mpv's own window) may
// have another depth, whose contents a read of the window itself leaves undefined.
int coloursOnLine(Display* display, int x0, int y, int width)
{
    XImage* line =
        XGetImage(display, DefaultRootWindow(display), x0, y, unsigned(width), 1, AllPlanes, ZPixmap);
    if (!line)
        return 0;
    std::set<unsigned long> colours;
    for (int x = 0; x < width; ++x)
        colours.insert(XGetPixel(line, x, 0));
    XDestroyImage(line);
    return int(colours.size());
}

bool showsPicture(Display* display, Window window)
{
    XWindowAttributes a { };
    if (!XGetWindowAttributes(display, window, &a) || a.map_state != IsViewable || a.width < 8 ||
        a.height < 8)
        return false;
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    // Only what lies on the screen can be read.
    const int left = x < 0 ? 0 : x;
    const int right = x + a.width > DisplayWidth(display, 0) ? DisplayWidth(display, 0) : x + a.width;
    const int top = y < 0 ? 0 : y;
    const int bottom = y + a.height > DisplayHeight(display, 0) ? DisplayHeight(display, 0) : y + a.height;
    if (right - left < 8 || bottom - top < 8)
        return false;
    return coloursOnLine(display, left, top + (bottom - top) / 3, right - left) +
               coloursOnLine(display, left, top + 2 * (bottom - top) / 3, right - left) >=
           MinColours;
}

// User and system time of a process so far, in ms.
double cpuMs(pid_t pid)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/stat", int(pid));
    FILE* f = std::fopen(path, "r");
    if (!f)
        return -1;
    char text[1024] = {};
    const std::size_t n = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    text[n] = 0;
    // Fields after the command name, which is in parentheses and may hold spaces.
    const char* p = std::strrchr(text, ')');
    unsigned long user = 0, system = 0;
    if (!p || std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &user,
                  &system) != 2)
        return -1;
    return double(user + system) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }  // windows come and go while we look

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s WINDOW-NAME PROGRAM [ARG...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const double start = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(STDERR_FILENO, STDOUT_FILENO);  // our output is the result alone
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    Window window = 0;
    while (nowMs() - start < TimeoutMs) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "%s ended before showing a picture\n", argv[2]);
            return 1;
        }
        if (!window)
            window = findWindow(display, DefaultRootWindow(display), argv[1], 2);
        if (window && showsPicture(display, window)) {
            std::printf("%.0f %d %.0f\n", nowMs() - start, int(pid), cpuMs(pid));
            return 0;
        }
        usleep(PollMicroseconds);
    }
    kill(pid, SIGKILL);
    std::fprintf(stderr, "no picture in window \"%s\" within %.0f s\n", argv[1], TimeoutMs / 1e3);
    return 1;
}
