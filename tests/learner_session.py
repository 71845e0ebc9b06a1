#!/usr/bin/env python3
"""A learner's session with the real lesson window under a private Xvfb, driven with xdotool
and judged from screenshots of what the learner would see.

Usage: learner_session.py <path-to-tarvolen> <build-dir>
On failure (or with KEEP_SCREENSHOTS=1) the screenshots stay in <build-dir>/learner_session/.
"""

import math, os, shutil, struct, subprocess, sys, time

PX_PER_CM = 1440 / 2.54 / 15  # 37.795: the window is laid out at 96 dpi
PALE_GREEN, RED, BLUE, GREEN = (213, 255, 220), (255, 0, 0), (0, 0, 255), (0, 192, 0)
YELLOW, MAGENTA, CYAN = (255, 255, 0), (255, 0, 255), (0, 255, 255)
# Places in pixels of the client area; Back lies in Next's spot.
NEXT, HOME, BARE, BARE_TOO = (912, 16), (968, 16), (950, 650), (950, 700)
COMBOS = {"r1": (784, 72, 46, 28), "r2": (836, 72, 44, 28), "PQ": (886, 72, 49, 28)}


def cm(v):
    return v * PX_PER_CM


# Left, top and width of the five case boxes; on the practice page 3 cm in, 1 cm apart.
CASE_WIDTHS = (512, 520, 616, 792, 720)
BOXES = {"intro": [(140, top, w) for top, w in zip((224, 272, 320, 367, 416), CASE_WIDTHS)],
         "practice": [(round(cm(3)), round(cm(3 + i)), w) for i, w in enumerate(CASE_WIDTHS)]}


class Failure(Exception):
    pass


def close(rgb, colour, tol=70):
    return all(abs(a - b) <= tol for a, b in zip(rgb, colour))


class Shot:
    """An xwd screenshot of the root window, read in window coordinates."""

    def __init__(self, data, origin, name):
        head = struct.unpack(">25I", data[:100])
        self.width, self.height, self.stride, bits = head[4], head[5], head[12], head[11]
        if bits not in (24, 32):
            raise Failure("xwd screenshot with %d bits per pixel" % bits)
        self.step, self.order = bits // 8, "little" if head[7] == 0 else "big"
        self.masks = [(m, (m & -m).bit_length() - 1) for m in head[14:17]]
        self.pixels, self.origin, self.name = data[head[0] + 12 * head[19]:], origin, name

    def at(self, x, y):
        x, y = int(round(x)) + self.origin[0], int(round(y)) + self.origin[1]
        if not (0 <= x < self.width and 0 <= y < self.height):
            return (0, 0, 0)
        i = y * self.stride + x * self.step
        value = int.from_bytes(self.pixels[i:i + self.step], self.order)
        return tuple((value & m) >> shift for m, shift in self.masks)

    def count(self, left, top, width, height, colour, tol=70):
        return sum(close(self.at(x, y), colour, tol)
                   for y in range(top, top + height) for x in range(left, left + width))

    def any_near(self, x, y, colour, radius, tol):
        return self.count(round(x) - radius, round(y) - radius, 2 * radius + 1, 2 * radius + 1, colour, tol) > 0

    def next_colour(self):
        """The caption colour in the Next/Back spot: 'red', 'blue' or None."""
        red, blue = (self.count(NEXT[0] - 16, NEXT[1] - 8, 33, 17, c, 90) for c in (RED, BLUE))
        return "red" if red > 5 and red > 3 * blue else "blue" if blue > 5 and blue > 3 * red else None

    def list_colour(self, name):
        """The background of a list's edit field: 'magenta', 'cyan' or None."""
        left, top, width, height = COMBOS[name]
        for label, colour in (("magenta", MAGENTA), ("cyan", CYAN)):
            if self.count(left + 2, top + 2, width - 4, height - 4, colour, 50) > 0.4 * (width - 4) * (height - 4):
                return label
        return None

    def highlighted(self, page):
        """Numbers of the case boxes whose right end shows yellow."""
        return [i + 1 for i, (left, top, width) in enumerate(BOXES[page])
                if self.count(left + width - 4, top + 4, 1, 18, YELLOW, 50) > 0.7 * 18]

    def on_circle(self, cx, cy, r, angles, slack):
        """At how many angles red lies within `slack` px of the circle about (cx, cy) cm."""
        return sum(any(close(self.at(cm(cx) + (cm(r) + d) * math.cos(a), cm(cy) + (cm(r) + d) * math.sin(a)),
                             RED, 90) for d in slack) for a in angles)

    def circle_found(self, cx, cy, r):
        # A few of the 24 angles may be hidden by the other circle, the segment or a dot.
        return self.on_circle(cx, cy, r, [math.pi * (k + 0.5) / 12 for k in range(24)], range(-2, 3)) >= 21


class Session:
    def __init__(self, program, build_dir):
        self.program, self.out = program, os.path.join(build_dir, "learner_session")
        shutil.rmtree(self.out, ignore_errors=True)
        os.makedirs(self.out)
        self.xvfb = self.app = self.env = None
        self.origin, self.shots, self.checks = (0, 0), 0, 0

    def start(self):
        display = os.path.join(self.out, "display")
        with open(display, "w") as fd:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(fd.fileno()), "-screen", "0", "1024x768x24", "-dpi", "96",
                 "-nolisten", "tcp", "-noreset"], pass_fds=(fd.fileno(),),
                stdout=subprocess.DEVNULL, stderr=open(os.path.join(self.out, "xvfb.log"), "w"))
        deadline = time.monotonic() + 15
        while not open(display).read().endswith("\n"):  # Xvfb writes it once it is ready
            if time.monotonic() > deadline:
                raise Failure("Xvfb did not say which display it took")
            time.sleep(0.1)
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR")}
        self.env.update(DISPLAY=":" + open(display).read().strip(), QT_QPA_PLATFORM="xcb",
                        QT_ENABLE_HIGHDPI_SCALING="0", QT_ACCESSIBILITY="0")
        self.app = subprocess.Popen([self.program], env=self.env, stdout=subprocess.DEVNULL,
                                    stderr=open(os.path.join(self.out, "tarvolen.log"), "w"))
        deadline = time.monotonic() + 20
        while not (found := [w for w in self.windows() if self.geometry(w)[2:] == (1018, 736)]):
            if self.app.poll() is not None:
                raise Failure("tarvolen ended at start with status %d" % self.app.returncode)
            if time.monotonic() > deadline:
                raise Failure("no 1018 x 736 window of tarvolen appeared")
            time.sleep(0.1)
        self.window, self.origin = found[0], self.geometry(found[0])[:2]
        self.xdo("windowfocus", "--sync", self.window)

    def stop(self):
        for proc in (self.app, self.xvfb):
            if proc and proc.poll() is None:
                proc.kill()
                proc.wait()

    def xdo(self, *args, check=True, stdin=None):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                                text=True, timeout=15, input=stdin)
        if check and result.returncode != 0:
            raise Failure("xdotool %s failed: %s" % (" ".join(args), result.stderr.strip()))
        return result.stdout

    def windows(self):
        return self.xdo("search", "--onlyvisible", "--pid", str(self.app.pid), check=False).split()

    def geometry(self, wid):
        values = dict(line.partition("=")[::2] for line in self.xdo("getwindowgeometry", "--shell", wid).split())
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    # The learner's hands.
    def move(self, x, y, pause=0.08):
        self.xdo("mousemove", str(self.origin[0] + int(x)), str(self.origin[1] + int(y)))
        time.sleep(pause)

    def click(self, x, y, button="1", pause=0.15):
        self.move(x, y)
        self.xdo("click", button)
        time.sleep(pause)

    def click_into(self, name, *keys, text=None):
        """Clicks into the edit field of a list, then presses keys or types text."""
        left, top, _, height = COMBOS[name]
        self.click(left + 8, top + height // 2)
        if keys:
            self.xdo("key", "--delay", "80", *keys)
        if text:  # from stdin, so that text beginning with "-" is not taken for an option
            self.xdo("type", "--delay", "20", "--file", "-", stdin=text)
            time.sleep(0.1)

    def wheel(self, name, steps):
        """Positive steps turn the wheel towards the learner (button 5), negative away."""
        left, top, _, height = COMBOS[name]
        for _ in range(abs(steps)):
            self.click(left + 8, top + height // 2, "5" if steps > 0 else "4", 0.1)

    def pick_from_list(self, name, index, count):
        """Opens the list with its arrow and clicks item `index` of `count` in the popup."""
        left, top, width, height = COMBOS[name]
        # The popup ignores a release sooner than a double-click interval after it opens.
        self.click(left + width - 8, top + height // 2, pause=0.75)
        popups = [w for w in self.windows() if w != self.window]
        if not popups:
            raise Failure("clicking the arrow of %s opened no list" % name)
        px, py, pw, ph = self.geometry(popups[-1])
        self.click(px + pw // 3 - self.origin[0], py + (index + 0.5) * ph / count - self.origin[1], pause=0.2)

    # The learner's eyes.
    def shot(self, label, keep=True):
        data = subprocess.run(["xwd", "-root", "-silent"], env=self.env, capture_output=True,
                              timeout=15, check=True).stdout
        self.shots += 1
        name = "%02d-%s" % (self.shots, label)
        if keep:
            with open(os.path.join(self.out, name + ".xwd"), "wb") as f:
                f.write(data)
        return Shot(data, self.origin, name)

    def check(self, condition, message, shot=None):
        self.checks += 1
        if not condition:
            raise Failure(message + (" (see %s in %s)" % (shot.name, self.out) if shot else ""))

    def watch(self, seconds, look, sweep=()):
        """Screenshots, not kept, for `seconds`, the pointer moved to the next `sweep` spot
        before each: [(seconds since the start, look(shot))]."""
        seen, start = [], time.monotonic()
        while time.monotonic() - start < seconds:
            if sweep:
                self.move(*sweep[len(seen) % len(sweep)], pause=0)
            seen.append((time.monotonic() - start, look(self.shot("watch", keep=False))))
            time.sleep(0.03)
        return seen

    def poll(self, label, predicate, seconds):
        """Screenshots until predicate(shot) holds: (shot, seconds waited), else (last, None)."""
        start = time.monotonic()
        while not predicate(shot := self.shot(label)):
            if time.monotonic() - start > seconds:
                return shot, None
            time.sleep(0.05)
        return shot, time.monotonic() - start


def check_blinks(s, seen, looks, what):
    """From two seconds on, each of the two looks by turns, for a fair share of the screenshots:
    two timers of a pair ticking milliseconds apart leave one look on screen."""
    late = [look for t, look in seen if t >= 2 and look]
    turns = [look for i, look in enumerate(late) if i == 0 or look != late[i - 1]]
    fair = all(turns.count(look) >= 2 and late.count(look) >= len(late) / 4 for look in looks)
    s.check(len(late) >= 8 and fair, "%s did not show %s by turns after the first two seconds: %s"
            % (what, " and ".join(looks), ", ".join("%.2fs %s" % sample for sample in seen)))


def check_figure(s, label, r1, r2, pq, grid_points, case, what):
    """With the pointer away: circles about P and Q on y = 13 cm, either side of x = 13 cm;
    green dots only in the region they share, through the given grid points (cm), none if
    they share none; the one case that holds highlighted, and no list blinking."""
    s.move(*BARE)
    shot = s.shot(label)
    centres = ((13 - pq / 2, r1, "P"), (13 + pq / 2, r2, "Q"))
    for cx, r, name in centres:
        s.check(shot.circle_found(cx, 13, r),
                "%s: no red circle of radius %g cm about %s (%g, 13) cm" % (what, r, name, cx), shot)
        s.check(shot.on_circle(cx, 13, r, [math.pi * k / 18 for k in range(36)], [-19]) < 6,
                "%s: red 0.5 cm inside the circle about %s" % (what, name), shot)
    (px, _, _), (qx, _, _) = centres
    x0, x1, y0, y1 = (int(cm(v)) for v in (px - r1 - 0.5, qx + r2 + 0.5, 12.5 - max(r1, r2), 13.5 + max(r1, r2)))
    dist = lambda x, y, cx: math.hypot(x - cm(cx), y - cm(13))
    dots = [(x, y) for y in range(y0, y1) for x in range(x0, x1)  # less the centre dots
            if close(shot.at(x, y), GREEN, 60) and dist(x, y, px) > 4 and dist(x, y, qx) > 4]
    outside = [(x, y) for x, y in dots if dist(x, y, px) > cm(r1) + 1 or dist(x, y, qx) > cm(r2) + 1]
    s.check(not outside, "%s: green dots outside the common region, e.g. at %s px" % (what, outside[:3]), shot)
    if grid_points:
        s.check(len(dots) > 20, "%s: the common region is not dotted (%d green pixels)" % (what, len(dots)), shot)
        for gx, gy in grid_points:
            s.check(shot.any_near(cm(gx), cm(gy), GREEN, 2, 60),
                    "%s: no green dot at the grid point (%g, %g) cm" % (what, gx, gy), shot)
    else:
        s.check(not dots, "%s: %d green pixels but the circles share no region" % (what, len(dots)), shot)
    s.check(shot.any_near(cm(px), cm(13), GREEN, 1, 60) or shot.any_near(cm(qx), cm(13), (0, 128, 0), 1, 40),
            "%s: no centre dot" % what, shot)
    s.check(shot.highlighted("practice") == [case], "%s should highlight case (%d), highlighted: %s"
            % (what, case, shot.highlighted("practice")), shot)
    s.check(shot.list_colour("PQ") is None, "%s: the PQ list still blinks" % what, shot)


def run(s):
    s.start()
    shot = s.shot("start")
    s.check(close(shot.at(10, 10), PALE_GREEN, 8) and close(shot.at(*BARE), PALE_GREEN, 8),
            "the bare window is not pale green", shot)
    s.check(shot.highlighted("intro") == [], "a case is highlighted at start", shot)

    # Next blinks: red under the pointer and while its first interval runs, then red and blue
    # by turns, also while the pointer sweeps the bare window.
    s.move(*NEXT)
    for label, pause in (("hover-next", 0), ("resting-on-next", 0.5)):
        time.sleep(pause)
        shot = s.shot(label)
        s.check(shot.next_colour() == "red", "Next is not red %.1f s after the pointer came" % pause, shot)
    seen = s.watch(4.6, Shot.next_colour, sweep=(BARE, BARE_TOO))
    blue = [t for t, look in seen if look == "blue"]
    s.check(blue and blue[0] > 0.5, "Next did not turn blue by itself some 0.8 s after the pointer "
            "left it: %s" % ", ".join("%.2fs %s" % sample for sample in seen))
    check_blinks(s, seen, ("red", "blue"), "Next")

    # To the practice page, where Back shows and the pending list r1 blinks magenta and cyan.
    s.click(*NEXT)
    check_blinks(s, s.watch(4.6, lambda sh: sh.list_colour("r1")), ("magenta", "cyan"), "the pending list r1")
    shot = s.shot("practice")
    s.check(33 * 17 - shot.count(NEXT[0] - 16, NEXT[1] - 8, 33, 17, PALE_GREEN, 40) > 10,
            "nothing in the Back spot on the practice page", shot)

    # r1 = 2 from the opened list with the pointer, r2 = 3 with the arrow keys.
    s.pick_from_list("r1", 1, 5)
    s.click_into("r2", "Down", "Down", "Down")
    shot = s.shot("r1-r2-chosen")
    s.check(shot.highlighted("practice") == [], "a case is highlighted before PQ is chosen", shot)
    s.check(not shot.circle_found(11, 13, 2), "a figure is drawn before PQ is chosen", shot)
    # The pending list takes its colour at the next blink tick, up to an interval later.
    shot, waited = s.poll("pq-blinks", lambda sh: sh.list_colour("PQ") is not None, 2.0)
    s.check(waited is not None, "the pending list PQ does not blink", shot)

    s.click_into("PQ")
    s.wheel("PQ", 5)  # 0, 1, 2, 3, 4
    check_figure(s, "pq-4", 2, 3, 4, [(12.4, 12.6), (12.6, 13.4), (12.2, 13.2)], 3, "r1=2 r2=3 PQ=4")

    # A typed PQ changes nothing until a radius changes; then it is classified, centres stay.
    s.click_into("PQ", "ctrl+a", text="6")
    check_figure(s, "typed-pq", 2, 3, 4, [(12.4, 12.6)], 3, "after typing 6 into PQ")
    s.click_into("r1", "Down")
    check_figure(s, "r1-3-typed-pq-6", 3, 3, 4, [(13, 12.6)], 1, "r1=3 r2=3 with PQ typed as 6")

    # Back: the figure, the highlight and the lists go.
    s.click(*NEXT)
    s.move(*BARE)
    shot = s.shot("back")
    s.check(shot.highlighted("intro") == [], "a case stays highlighted after Back", shot)
    s.check(not shot.circle_found(11, 13, 3), "the figure stays after Back", shot)
    s.check(all(close(shot.at(x, 86), PALE_GREEN, 8) for x in (788, 850, 900)),
            "the lists stay on the introduction page", shot)

    # Next again redraws from the text of PQ: 6, with r1 = r2 = 3 the circles touch outside.
    s.click(*NEXT)
    check_figure(s, "next-again", 3, 3, 6, None, 1, "Next with PQ typed as 6")

    # A cat on the keyboard: junk typed into a list, Enter, the wheel the other way; then a
    # real choice puts everything right again.
    s.click_into("PQ", "ctrl+a", text="-1e9 \u00fcn\u00ef 99999999999 ,.;")
    s.xdo("key", "--delay", "80", "Return", "BackSpace", "Return")
    s.wheel("PQ", -1)
    s.check(s.app.poll() is None, "tarvolen ended after junk was typed into a list")
    s.pick_from_list("PQ", 5, 13)
    check_figure(s, "pq-5", 3, 3, 5, [(12.9, 12.6), (13.1, 13.4)], 3, "r1=3 r2=3 PQ=5")

    # Home ends the program at once, with status 0.
    s.click(*HOME)
    try:
        status = s.app.wait(timeout=5)
    except subprocess.TimeoutExpired:
        raise Failure("Home did not end the program within 5 s")
    s.check(status == 0, "Home ended the program with status %d" % status)


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    started, session = time.monotonic(), Session(os.path.abspath(sys.argv[1]), sys.argv[2])
    try:
        run(session)
    except (Failure, subprocess.SubprocessError, OSError) as failure:
        sys.exit("FAIL: %s\nscreenshots and the program's log: %s" % (failure, session.out))
    finally:
        session.stop()
    if not os.environ.get("KEEP_SCREENSHOTS"):
        shutil.rmtree(session.out, ignore_errors=True)
    print("learner session: %d checks on %d screenshots passed in %.1f s"
          % (session.checks, session.shots, time.monotonic() - started))


if __name__ == "__main__":
    main()
