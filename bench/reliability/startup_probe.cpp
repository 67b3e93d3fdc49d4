// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up timing of a program from the outside, as a user sees it: from the start of the
// process until its main window is on the X display with its page painted, and the memory it
// holds then and after it has settled.
//
//   qv_startup_probe [--title TEXT] [--settle MS] [--timeout MS] -- program [args...]
//
// Prints one line: "first_paint_ms=<n> rss_at_paint_mb=<n> rss_settled_mb=<n> peak_mb=<n>".
// A window counts as painted when a grid of samples over it shows at least a few colours: an
// unpainted window on Xvfb is one flat colour.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double megabytes(pid_t pid, const char* field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0) {
            return std::strtod(line.c_str() + prefix.size(), nullptr) / 1024.0;
        }
    }
    return -1;
}

long windowPid(Display* d, Window w) {
    static const Atom pidAtom = XInternAtom(d, "_NET_WM_PID", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                           &data) == Success &&
        data != nullptr) {
        if (items == 1 && format == 32) {
            pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
        }
        XFree(data);
    }
    return pid;
}

std::string windowTitle(Display* d, Window w) {
    char* name = nullptr;
    std::string title;
    if (XFetchName(d, w, &name) && name != nullptr) {
        title = name;
        XFree(name);
    }
    return title;
}

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// At least `wanted` distinct colours over a 24 x 24 grid of samples.
bool painted(Display* d, Window w, std::size_t wanted) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable || a.width < 8 ||
        a.height < 8) {
        return false;
    }
    XImage* image = XGetImage(d, w, 0, 0, static_cast<unsigned>(a.width),
                              static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return false;
    }
    std::set<unsigned long> colours;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            colours.insert(XGetPixel(image, x * (a.width - 1) / 23, y * (a.height - 1) / 23));
        }
    }
    XDestroyImage(image);
    return colours.size() >= wanted;
}

// The top-level windows of the process, by _NET_WM_PID, that carry the title (if one is given).
std::vector<Window> windowsOf(Display* d, pid_t pid, const std::string& title) {
    std::vector<Window> found;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) {
        return found;
    }
    for (unsigned i = 0; i < count; ++i) {
        if (windowPid(d, children[i]) == pid &&
            (title.empty() || windowTitle(d, children[i]).find(title) != std::string::npos)) {
            found.push_back(children[i]);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

} // namespace

int main(int argc, char** argv) {
    std::string title;
    int settleMs = 2000;
    int timeoutMs = 20000;
    std::size_t colours = 4;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--title" && i + 1 < argc) {
            title = argv[++i];
        } else if (a == "--settle" && i + 1 < argc) {
            settleMs = std::atoi(argv[++i]);
        } else if (a == "--timeout" && i + 1 < argc) {
            timeoutMs = std::atoi(argv[++i]);
        } else if (a == "--colours" && i + 1 < argc) {
            colours = static_cast<std::size_t>(std::atoi(argv[++i]));
        } else if (a == "--") {
            ++i;
            break;
        }
    }
    if (i >= argc) {
        std::fprintf(stderr, "usage: %s [--title T] [--settle MS] [--timeout MS] -- program...\n",
                     argv[0]);
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        std::fprintf(stderr, "startup probe: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[i], argv + i);
        _exit(127);
    }
    double paintMs = -1;
    double rssAtPaint = -1;
    while (Clock::now() - start < std::chrono::milliseconds(timeoutMs)) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "startup probe: the program ended before it painted\n");
            return 1;
        }
        for (Window w : windowsOf(d, pid, title)) {
            if (painted(d, w, colours)) {
                paintMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                rssAtPaint = megabytes(pid, "VmRSS");
                break;
            }
        }
        if (paintMs >= 0) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    double settled = -1;
    double peak = -1;
    if (paintMs >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
        settled = megabytes(pid, "VmRSS");
        peak = megabytes(pid, "VmHWM");
    }
    kill(pid, SIGTERM);
    for (int k = 0; k < 100 && waitpid(pid, nullptr, WNOHANG) == 0; ++k) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(d);
    if (paintMs < 0) {
        std::fprintf(stderr, "startup probe: no painted window within %d ms\n", timeoutMs);
        return 1;
    }
    std::printf("first_paint_ms=%.1f rss_at_paint_mb=%.1f rss_settled_mb=%.1f peak_mb=%.1f\n",
                paintMs, rssAtPaint, settled, peak);
    return 0;
}
