#pragma once

#include <memory>
#include <string>

// Start-to-window timing against the X server named by DISPLAY. Kept free of Qt: Xlib's
// macros (None, Bool, Status) clash with Qt's names.
namespace bench {

struct Launch
{
    bool ok = false;
    double mapMs = 0.0; // process launch until its top-level window is mapped
    double cpuMs = 0.0; // CPU time all its threads had used by then (scheduler's account)
    long rssKiB = 0;    // VmRSS, 1 s after the map (when asked for)
    long hwmKiB = 0;    // VmHWM at the same moment
    std::string error;
};

class StartupWatch
{
public:
    StartupWatch();
    ~StartupWatch();
    StartupWatch(const StartupWatch &) = delete;
    StartupWatch &operator=(const StartupWatch &) = delete;

    bool isOpen() const;

    // Launches the program, waits for the MapNotify of its first top-level window (root's
    // SubstructureNotify, so no polling of the window tree), optionally reads its memory one
    // second later, then ends it.
    Launch run(const std::string &program, bool readMemory, double timeoutSeconds = 30.0);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace bench
