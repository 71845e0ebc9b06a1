#!/usr/bin/env python3
"""A learner's session with the real lesson window under an Xvfb of its own, driven with xdotool and
judged from screenshots: learner_session.py <path-to-tarvolen> <build-dir>. With --under-xvfb COMMAND...
it runs any command on such a server. The screenshots stay in
<build-dir>/learner_session/ on failure or with KEEP_SCREENSHOTS=1."""
import atexit, math, os, shutil, struct, subprocess, sys, time

CM = 1440 / 2.54 / 15  # pixels per centimetre: the window is laid out at 96 dpi
CAPTION = r"^Chapter 4:  Tarvolen in a Plane\.$"
PALE_GREEN, RED, BLUE, GREEN, YELLOW = (213, 255, 220), (255, 0, 0), (0, 0, 255), (0, 192, 0), (255, 255, 0)
NEXT, HOME, BARE, BARE_TOO = (912, 16), (968, 16), (950, 650), (950, 700)  # Back lies in Next's spot
COMBOS = {"r1": (784, 72, 46, 28), "r2": (836, 72, 44, 28), "PQ": (886, 72, 49, 28)}
# Left, top and width of the five case boxes on the practice page: 3 cm in, 1 cm apart.
BOXES = [(round(3 * CM), round((3 + i) * CM), width) for i, width in enumerate((512, 520, 616, 792, 720))]
PROCESSES = []
atexit.register(lambda: [process.kill() or process.wait() for process in PROCESSES])


def expect(condition, message, shot=None):
    if not condition:
        raise AssertionError(message + (" (see %s)" % shot.name if shot else ""))


def until(probe, timeout=60):
    """Asks the probe again until it has no complaint (None): a busy machine only makes the wait longer."""
    deadline = time.monotonic() + timeout
    while (complaint := probe()) and time.monotonic() < deadline:
        time.sleep(0.05)
    expect(not complaint, str(complaint))


def close(rgb, colour, tol=90):
    return all(abs(a - b) <= tol for a, b in zip(rgb, colour))


def start_xvfb(log, screen="1024x768"):
    """An X server of our own on a free display: its DISPLAY."""
    read, write = os.pipe()
    PROCESSES.append(subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", screen + "x24", "-dpi", "96",
                                       "-nolisten", "tcp", "-noreset"], pass_fds=(write,), stderr=open(log, "w")))
    os.close(write)
    return ":" + os.read(read, 32).decode().strip()  # written once the server is ready


class Shot:  # an xwd screenshot of the lesson window

    def __init__(self, data, name):
        h = struct.unpack(">25I", data[:100])
        expect(h[11] == 32 and h[7] == 0 and h[14:17] == (0xFF0000, 0xFF00, 0xFF), "xwd pixels are not 32-bit BGRX")
        self.stride, self.pixels, self.name = h[12], data[h[0] + 12 * h[19]:], name

    def at(self, x, y):
        i = round(y) * self.stride + round(x) * 4
        return self.pixels[i + 2], self.pixels[i + 1], self.pixels[i]

    def count(self, x0, y0, width, height, colour, tol=50):
        return sum(close(self.at(x, y), colour, tol) for y in range(y0, y0 + height) for x in range(x0, x0 + width))

    def look(self, area, tol, **looks):
        """Which of the looks (name=colour) the area (left, top, width, height) clearly shows, if any."""
        seen = {name: self.count(*area, colour, tol) for name, colour in looks.items()}
        best = max(seen, key=seen.get)
        return best if seen[best] > 5 and seen[best] > 3 * min(seen.values()) else None

    def highlighted(self):
        return [i + 1 for i, (x, y, width) in enumerate(BOXES) if self.count(x + width - 4, y + 4, 1, 18, YELLOW) > 12]

    def has_circle(self, cx, cy, r):
        # Red within 2 px of the circle at 21 of 24 angles: the other circle, the segment or a dot may hide a few.
        cx, cy, r = CM * cx, CM * cy, CM * r
        return sum(any(close(self.at(cx + (r + d) * math.cos(a), cy + (r + d) * math.sin(a)), RED) for d in range(-2, 3))
                   for a in (math.pi * (k + 0.5) / 12 for k in range(24))) >= 21


class Session:
    def __init__(self, program, out, args=(), screen="1024x768", size=(1018, 736), **env):
        self.out, self.env = out, {**os.environ, "DISPLAY": start_xvfb(os.path.join(out, "xvfb.log"), screen),
                                   "QT_QPA_PLATFORM": "xcb", "QT_SCALE_FACTOR": "1", "QT_ACCESSIBILITY": "0", **env}
        self.pointer = None
        self.app = subprocess.Popen([program, *args], env=self.env, stderr=open(os.path.join(out, "tarvolen.log"), "w"))
        PROCESSES.append(self.app)
        self.window = self.xdo("search", "--sync", "--onlyvisible", "--name", CAPTION).split()[0]
        self.wait_size(size)
        self.xdo("windowfocus", "--sync", self.window)

    def xdo(self, *args, text=None):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True, text=True,
                              timeout=20, input=text, check=True).stdout

    def size(self, window):
        shell = dict(line.partition("=")[::2] for line in self.xdo("getwindowgeometry", "--shell", window).split())
        return int(shell["WIDTH"]), int(shell["HEIGHT"])

    def wait_size(self, size):
        until(lambda: self.size(self.window) != size and "the window is %d x %d, not %d x %d" % (*self.size(self.window), *size))

    def point(self, x, y, button=None, window=None):
        """Moves the pointer to (x, y) in the window and, given a button (4, 5: the wheel), clicks there."""
        # --sync waits for the pointer to arrive, and for long where it is already there.
        sync = ("--sync",) if (x, y, window) != self.pointer else ()
        self.pointer = (x, y, window)
        self.xdo("mousemove", *sync, "--window", window or self.window, int(x), int(y), *(("click", button) if button else ()))

    def into_list(self, name, *keys, button=1):
        """Clicks (or turns the wheel: buttons 4, 5) in a list's edit field, then presses keys."""
        self.point(COMBOS[name][0] + 8, COMBOS[name][1] + 14, button)
        if keys:
            self.xdo("key", "--delay", 80, *keys)

    def pick_from_list(self, name, index, count):
        left, top, width, height = COMBOS[name]
        self.point(left + width - 8, top + height // 2, 1)
        opened = time.monotonic()
        popups = lambda: [w for w in self.xdo("search", "--onlyvisible", "--pid", self.app.pid).split() if w != self.window]
        until(lambda: not popups() and "clicking the arrow of %s opened no list" % name)
        # It ignores a release sooner than a double-click interval (400 ms) after it opens: at least that long.
        time.sleep(max(0.0, opened + 0.5 - time.monotonic()))
        width, height = self.size(popups()[-1])
        self.point(width // 3, (index + 0.5) * height / count, 1, popups()[-1])
        until(lambda: popups() and "the list %s stayed open" % name)

    def shot(self, label=None):
        data = subprocess.check_output(["xwd", "-id", self.window, "-silent"], env=self.env)
        if label:
            label = "%02d-%s.xwd" % (len(os.listdir(self.out)), label)
            open(os.path.join(self.out, label), "wb").write(data)
        return Shot(data, label)

    def watch_blinks(self, look, looks, what):
        # The pointer sweeping the bare window: from two seconds on, both looks by turns, each for a fair share,
        # seen in as many screenshots as a busy machine needs. Two timers of a pair ticking milliseconds apart
        # leave one look on screen.
        seen, start = [], time.monotonic()

        def judged():
            self.point(*(BARE, BARE_TOO)[len(seen) % 2])
            seen.append((round(time.monotonic() - start, 2), look(self.shot())))
            late = [look for t, look in seen if t >= 2 and look]
            turns = [look for i, look in enumerate(late) if i == 0 or look != late[i - 1]]
            if len(late) < 12 or not all(turns.count(k) >= 3 and late.count(k) >= len(late) / 4 for k in looks):
                return "%s did not show %s by turns: %s" % (what, " and ".join(looks), seen)
        until(judged)
        return seen

    def expect_figure(self, r1, r2, pq, case, dotted, what):
        """Red circles about P and Q on y = 13 cm either side of x = 13 cm; green dots only where
        both circles are, one at the grid point `dotted` (cm), or none at all; the case in yellow."""
        self.point(*BARE)
        until(lambda: self.figure_complaint(self.shot(what), r1, r2, pq, case, dotted, what))

    def figure_complaint(self, shot, r1, r2, pq, case, dotted, what):
        px, qx = 13 - pq / 2, 13 + pq / 2
        if not (shot.has_circle(px, 13, r1) and shot.has_circle(qx, 13, r2)):
            return "%s: no circles about P, Q (see %s)" % (what, shot.name)
        dist = lambda x, y, cx, cy=13: math.hypot(x - CM * cx, y - CM * cy)
        dots = [(x, y) for y in range(int(CM * (12.5 - max(r1, r2))), int(CM * (13.5 + max(r1, r2))))
                for x in range(int(CM * (px - r1 - 0.5)), int(CM * (qx + r2 + 0.5)))  # less the centre dots:
                if close(shot.at(x, y), GREEN, 60) and dist(x, y, px) > 4 and dist(x, y, qx) > 4]
        stray = [(x, y) for x, y in dots if dist(x, y, px) > CM * r1 + 1 or dist(x, y, qx) > CM * r2 + 1]
        if stray or not (any(dist(x, y, *dotted) <= 2.5 for x, y in dots) if dotted else not dots):
            return "%s: %d green pixels, e.g. %s px outside the common region, a dot wanted at the grid point %s (see %s)" % (
                what, len(dots), stray[:3], dotted, shot.name)
        if shot.highlighted() != [case]:
            return "%s: cases %s in yellow (see %s)" % (what, shot.highlighted(), shot.name)


def run(s):
    until(lambda: (shot := s.shot("start")) and not all(close(shot.at(*xy), PALE_GREEN, 8) for xy in ((10, 10), (1010, 400), (500, 728)))
          and "the bare window is not pale green (see %s)" % shot.name)

    # Next stays red while the pointer rests on it, turns blue by itself some 0.8 s after it left, then
    # blinks red and blue.
    next_look = lambda shot: shot.look((NEXT[0] - 16, NEXT[1] - 8, 33, 17), 90, red=RED, blue=BLUE)
    s.point(*NEXT)
    until(lambda: next_look(s.shot()) != "red" and "Next is not red under the pointer")
    seen = s.watch_blinks(next_look, ("red", "blue"), "Next")
    expect(min([t for t, look in seen if look == "blue"]) > 0.5, "Next blue within 0.5 s: %s" % seen)
    # On the practice page the pending list r1 blinks magenta and cyan.
    s.point(*NEXT, 1)
    s.watch_blinks(lambda shot: shot.look((786, 74, 42, 24), 50, magenta=(255, 0, 255), cyan=(0, 255, 255)),
                   ("magenta", "cyan"), "the pending list r1")

    # r1 = 2 from the opened list with the pointer, r2 = 3 with the arrow keys, PQ = 4 with the wheel.
    s.pick_from_list("r1", 1, 5)
    s.into_list("r2", "Down", "Down", "Down")
    for _ in range(5):  # the wheel towards the learner: 0, 1, 2, 3, 4
        s.into_list("PQ", button=5)
    s.expect_figure(2, 3, 4, 3, (12.4, 12.6), "r1=2 r2=3 PQ=4")
    s.point(*HOME, 1)
    expect(s.app.wait(timeout=60) == 0, "Home ended the program with status %d" % s.app.returncode)


def projector(s):
    """--full-screen on a 1920 x 1080 screen: the page 1080 / 736 times larger, 213 px in; Next, r1's blink; F11 back."""
    z, x0 = 1080 / 736, 213
    # Shape1's 4 px olive border 32 px in: 6 px, 213 + 47 px in.
    until(lambda: not ((shot := s.shot("full screen")).count(x0 + 40, 300, 20, 1, (60, 104, 0), 30) == 6
                       and shot.count(x0 + 47, 300, 6, 1, (60, 104, 0), 30) == 6 and close(shot.at(100, 500), PALE_GREEN, 8))
          and "no page 1080 / 736 times larger from 213 px (see %s)" % shot.name)
    s.point(x0 + NEXT[0] * z, NEXT[1] * z, 1)
    area = tuple(round(v * z) for v in (786, 74, 42, 24))
    s.watch_blinks(lambda shot: shot.look((x0 + area[0], *area[1:]), 50, magenta=(255, 0, 255), cyan=(0, 255, 255)),
                   ("magenta", "cyan"), "the pending list r1 at full screen")
    s.xdo("key", "F11")
    s.wait_size((1018, 736))
    s.point(*HOME, 1)
    expect(s.app.wait(timeout=60) == 0, "Home ended the program with status %d" % s.app.returncode)


if __name__ == "__main__":
    if sys.argv[1] == "--under-xvfb":  # the bench guard's way to a private X server: the command runs on one
        sys.exit(subprocess.call(sys.argv[2:], env={**os.environ, "DISPLAY": start_xvfb(os.devnull), "QT_QPA_PLATFORM": "xcb"}))
    out = os.path.join(sys.argv[2], "learner_session")
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    try:
        run(Session(sys.argv[1], out))
        projector(Session(sys.argv[1], out, ["--full-screen"], "1920x1080", (1920, 1080)))
    except (AssertionError, subprocess.SubprocessError, OSError) as failure:
        sys.exit("FAIL: %s\nscreenshots and the program's log: %s" % (failure, out))
    if not os.environ.get("KEEP_SCREENSHOTS"):
        shutil.rmtree(out)
