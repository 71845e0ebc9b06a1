#include "startup_watch.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>
#include <vector>

extern char **environ;

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

long windowPid(Display *display, Window window, Atom netWmPid)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success
        && data && count == 1 && format == 32) {
        pid = long(*reinterpret_cast<unsigned long *>(data)); // format 32 comes as C longs
    }
    if (data)
        XFree(data);
    return pid;
}

long statusKiB(pid_t pid, const char *field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0)
            return std::stol(line.substr(length));
    }
    return -1;
}

// Nanoseconds on a CPU, summed over the process's threads: unlike the wall clock, it does
// not grow when other processes hold the CPUs.
double cpuMsOf(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR *dir = opendir(tasks.c_str());
    if (!dir)
        return 0.0;
    double ns = 0.0;
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
        double onCpu = 0.0;
        if (stat >> onCpu)
            ns += onCpu;
    }
    closedir(dir);
    return ns / 1e6;
}

// The programs must come up on this X server even when the caller runs offscreen.
std::vector<std::string> childEnvironment()
{
    std::vector<std::string> env;
    for (char **entry = environ; *entry; ++entry) {
        if (std::strncmp(*entry, "QT_QPA_PLATFORM=", 16) != 0)
            env.emplace_back(*entry);
    }
    env.emplace_back("QT_QPA_PLATFORM=xcb");
    return env;
}

void endChild(pid_t pid)
{
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
}

} // namespace

struct StartupWatch::Impl
{
    Display *display = nullptr;
    Window root = 0;
    Atom netWmPid = 0;
};

StartupWatch::StartupWatch()
    : d(std::make_unique<Impl>())
{
    d->display = XOpenDisplay(nullptr);
    if (!d->display)
        return;
    d->root = DefaultRootWindow(d->display);
    d->netWmPid = XInternAtom(d->display, "_NET_WM_PID", False);
    XSelectInput(d->display, d->root, SubstructureNotifyMask);
    XSync(d->display, False);
}

StartupWatch::~StartupWatch()
{
    if (d->display)
        XCloseDisplay(d->display);
}

bool StartupWatch::isOpen() const
{
    return d->display != nullptr;
}

Launch StartupWatch::run(const std::string &program, bool readMemory, double timeoutSeconds)
{
    Launch result;
    Display *display = d->display;

    // Whatever the previous launch left in the queue belongs to it.
    XSync(display, False);
    while (XPending(display) > 0) {
        XEvent stale;
        XNextEvent(display, &stale);
    }

    std::vector<std::string> env = childEnvironment();
    std::vector<char *> envp;
    for (std::string &entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string path = program;
    char *argv[] = {path.data(), nullptr};

    pid_t pid = 0;
    const Clock::time_point launched = Clock::now();
    const int spawned = posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data());
    if (spawned != 0) {
        result.error = "cannot start " + program + ": " + std::strerror(spawned);
        return result;
    }

    const int fd = ConnectionNumber(display);
    bool mapped = false;
    Clock::time_point mappedAt;
    while (!mapped) {
        while (!mapped && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            const Clock::time_point now = Clock::now();
            if (event.type != MapNotify || event.xmap.event != d->root
                || event.xmap.override_redirect)
                continue;
            const long owner = windowPid(display, event.xmap.window, d->netWmPid);
            if (owner == pid || owner < 0) {
                mapped = true;
                mappedAt = now;
            }
        }
        if (mapped)
            break;
        if (std::chrono::duration<double>(Clock::now() - launched).count() > timeoutSeconds) {
            result.error = program + " mapped no window within the time limit";
            endChild(pid);
            return result;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            result.error = program + " ended before it mapped a window";
            return result;
        }
        // Wakes on the X event itself; the slice only notices a child that died silently.
        pollfd wait{fd, POLLIN, 0};
        poll(&wait, 1, 200);
    }
    result.cpuMs = cpuMsOf(pid);
    result.mapMs = std::chrono::duration<double, std::milli>(mappedAt - launched).count();

    if (readMemory) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        result.rssKiB = statusKiB(pid, "VmRSS:");
        result.hwmKiB = statusKiB(pid, "VmHWM:");
    }
    endChild(pid);
    result.ok = !readMemory || (result.rssKiB > 0 && result.hwmKiB > 0);
    if (!result.ok)
        result.error = program + ": no memory figures in /proc";
    return result;
}

} // namespace bench
