#!/usr/bin/env python3
"""A learner's session with the real lesson window, driven with xdotool under a private Xvfb
and judged from screenshots of the screen (what the learner would see).

Usage: learner_session.py <path-to-tarvolen> <build-dir>
On failure (or with KEEP_SCREENSHOTS=1) the screenshots are kept in <build-dir>/learner_session/.
"""

import math
import os
import select
import shutil
import struct
import subprocess
import sys
import time

PX_PER_CM = 1440 / 2.54 / 15  # 37.795: the window is laid out at 96 dpi

# Colours as the window paints them (R, G, B).
PALE_GREEN = (213, 255, 220)
RED = (255, 0, 0)
BLUE = (0, 0, 255)
GREEN = (0, 192, 0)
YELLOW = (255, 255, 0)
MAGENTA = (255, 0, 255)
CYAN = (0, 255, 255)

# Places in design pixels of the client area (twips / 15), from the window's design.
NEXT_SPOT = (912, 16)          # lblNext and lblBack share it
HOME_SPOT = (968, 16)
BARE_SPOT = (950, 650)         # bare window surface on both pages
FRAME_CBO = (776, 48)
COMBOS = {                     # left, top, width, height inside the window
    "r1": (FRAME_CBO[0] + 8, FRAME_CBO[1] + 24, 46, 28),
    "r2": (FRAME_CBO[0] + 60, FRAME_CBO[1] + 24, 44, 28),
    "PQ": (FRAME_CBO[0] + 110, FRAME_CBO[1] + 24, 49, 28),
}
CASE_WIDTHS = (512, 520, 616, 776, 720)


def cm(v):
    return v * PX_PER_CM


def practice_box(i):
    """Case box i (0..4) in the practice column: left 3 cm, top 3 + i cm."""
    return (round(cm(3)), round(cm(3 + i)), CASE_WIDTHS[i])


def intro_box(i):
    tops = (3360, 4080, 4800, 5505, 6240)
    return (round(2098 / 15), round(tops[i] / 15), CASE_WIDTHS[i])


class Failure(Exception):
    pass


class Shot:
    """One screenshot, from xwd (fast) or ImageMagick's import as an 8-bit PPM; pixels are
    addressed in window coordinates."""

    def __init__(self, data, origin, name):
        self.name = name
        self.origin = origin
        if data[:2] == b"P6":
            self._read_ppm(data)
        else:
            self._read_xwd(data)

    def _read_ppm(self, data):
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        if int(fields[3]) != 255:
            raise Failure("screenshot is not an 8-bit PPM")
        self.width, self.height = int(fields[1]), int(fields[2])
        pixels = data[pos + 1:]
        self._pixel = lambda i: tuple(pixels[i * 3:i * 3 + 3])

    def _read_xwd(self, data):
        header = struct.unpack(">25I", data[:100])
        size, width, height = header[0], header[4], header[5]
        byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
        masks, ncolors = header[14:17], header[19]
        if bits_per_pixel not in (24, 32):
            raise Failure("xwd screenshot with %d bits per pixel" % bits_per_pixel)
        self.width, self.height = width, height
        pixels = data[size + 12 * ncolors:]
        step = bits_per_pixel // 8
        order = "little" if byte_order == 0 else "big"
        shifts = [(m, (m & -m).bit_length() - 1) for m in masks]

        def pixel(i):
            y, x = divmod(i, width)
            at = y * bytes_per_line + x * step
            value = int.from_bytes(pixels[at:at + step], order)
            return tuple((value & m) >> shift for m, shift in shifts)
        self._pixel = pixel

    def at(self, x, y):
        x = int(round(x)) + self.origin[0]
        y = int(round(y)) + self.origin[1]
        if not (0 <= x < self.width and 0 <= y < self.height):
            return (0, 0, 0)
        return self._pixel(y * self.width + x)

    def any_near(self, x, y, colour, radius=1, tol=70):
        return any(close(self.at(x + dx, y + dy), colour, tol)
                   for dx in range(-radius, radius + 1) for dy in range(-radius, radius + 1))

    def count(self, left, top, width, height, colour, tol=70):
        return sum(1 for y in range(top, top + height) for x in range(left, left + width)
                   if close(self.at(x, y), colour, tol))


def close(rgb, colour, tol=70):
    return all(abs(a - b) <= tol for a, b in zip(rgb, colour))


class Session:
    def __init__(self, program, build_dir):
        self.program = program
        self.out_dir = os.path.join(build_dir, "learner_session")
        shutil.rmtree(self.out_dir, ignore_errors=True)
        os.makedirs(self.out_dir)
        self.xvfb = None
        self.app = None
        self.env = None
        self.origin = (0, 0)
        self.shots = 0
        self.checks = 0

    # --- processes -------------------------------------------------------------------------

    def start(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-dpi", "96",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=open(os.path.join(self.out_dir, "xvfb.log"), "w"))
        os.close(write_end)
        # Xvfb writes the number and the newline separately; closing early would kill it.
        said = b""
        while not said.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], 15)
            chunk = os.read(read_end, 64) if ready else b""
            if not chunk:
                raise Failure("Xvfb did not say which display it took")
            said += chunk
        display = said.decode().strip()
        os.close(read_end)
        if not display:
            raise Failure("Xvfb did not start")
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR")}
        self.env.update(DISPLAY=":" + display, QT_QPA_PLATFORM="xcb",
                        QT_ENABLE_HIGHDPI_SCALING="0", QT_ACCESSIBILITY="0")
        self.app = subprocess.Popen([self.program], env=self.env,
                                    stdout=subprocess.DEVNULL,
                                    stderr=open(os.path.join(self.out_dir, "tarvolen.log"), "w"))
        window = None
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline and window is None:
            found = self.xdo("search", "--onlyvisible", "--pid", str(self.app.pid), check=False)
            for wid in found.split():
                if self.geometry(wid)[2:] == (1018, 736):
                    window = wid
            if window is None:
                if self.app.poll() is not None:
                    raise Failure("tarvolen ended at start with status %d" % self.app.returncode)
                time.sleep(0.1)
        if window is None:
            raise Failure("no 1018 x 736 window of tarvolen appeared")
        self.window = window
        self.origin = self.geometry(window)[:2]
        self.xdo("windowfocus", "--sync", window)

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

    def geometry(self, wid):
        values = {}
        for line in self.xdo("getwindowgeometry", "--shell", wid).splitlines():
            key, _, value = line.partition("=")
            values[key] = int(value) if value.lstrip("-").isdigit() else value
        return (values["X"], values["Y"], values["WIDTH"], values["HEIGHT"])

    # --- the learner's hands -----------------------------------------------------------------

    def move(self, x, y):
        self.xdo("mousemove", str(self.origin[0] + int(x)), str(self.origin[1] + int(y)))
        time.sleep(0.08)

    def click(self, x, y):
        self.move(x, y)
        self.xdo("click", "1")
        time.sleep(0.15)

    def keys(self, *names):
        for name in names:
            self.xdo("key", name)
            time.sleep(0.08)

    def type(self, text):
        # Read from stdin, so that text beginning with "-" is not taken for an option.
        self.xdo("type", "--delay", "20", "--file", "-", stdin=text)
        time.sleep(0.1)

    def wheel(self, x, y, steps):
        """Positive steps turn the wheel towards the learner (button 5), negative away."""
        self.move(x, y)
        button = "5" if steps > 0 else "4"
        for _ in range(abs(steps)):
            self.xdo("click", button)
            time.sleep(0.1)

    def pick_from_list(self, name, index, count):
        """Opens the list with its arrow and clicks item `index` of `count` in the popup."""
        left, top, width, height = COMBOS[name]
        self.click(left + width - 8, top + height // 2)
        # The popup ignores a release sooner than a double-click interval after it opens.
        time.sleep(0.6)
        popup = None
        for wid in self.xdo("search", "--onlyvisible", "--pid", str(self.app.pid)).split():
            if wid != self.window:
                popup = self.geometry(wid)
        if popup is None:
            raise Failure("clicking the arrow of %s opened no list" % name)
        px, py, pw, ph = popup
        row = ph / count
        self.xdo("mousemove", str(px + pw // 3), str(int(py + (index + 0.5) * row)))
        time.sleep(0.1)
        self.xdo("click", "1")
        time.sleep(0.2)

    # --- the learner's eyes ------------------------------------------------------------------

    def shot(self, label, keep=True):
        if shutil.which("xwd"):
            command = ["xwd", "-root", "-silent"]
        else:
            command = ["import", "-window", "root", "-depth", "8", "ppm:-"]
        data = subprocess.run(command, env=self.env, capture_output=True, timeout=15,
                              check=True).stdout
        self.shots += 1
        name = "%02d-%s" % (self.shots, label)
        if keep:
            with open(os.path.join(self.out_dir, name + (".ppm" if data[:2] == b"P6" else ".xwd")), "wb") as f:
                f.write(data)
        return Shot(data, self.origin, name)

    def check(self, condition, message, shot=None):
        self.checks += 1
        if not condition:
            where = " (see %s in %s)" % (shot.name, self.out_dir) if shot else ""
            raise Failure(message + where)

    def poll(self, label, predicate, seconds):
        """Screenshots until predicate(shot) holds; returns (shot, seconds waited) or (last, None)."""
        start = time.monotonic()
        last = None
        while time.monotonic() - start < seconds:
            last = self.shot(label)
            if predicate(last):
                return last, time.monotonic() - start
            time.sleep(0.05)
        return last, None


# --- what the screen must show -------------------------------------------------------------

def next_colour(shot):
    """The colour of the caption in the Next/Back spot: 'red', 'blue' or None."""
    left, top = NEXT_SPOT[0] - 16, NEXT_SPOT[1] - 8
    red = shot.count(left, top, 33, 17, RED, 90)
    blue = shot.count(left, top, 33, 17, BLUE, 90)
    if red > 5 and red > 3 * blue:
        return "red"
    if blue > 5 and blue > 3 * red:
        return "blue"
    return None


def spot_text_pixels(shot):
    left, top = NEXT_SPOT[0] - 16, NEXT_SPOT[1] - 8
    return sum(1 for y in range(top, top + 17) for x in range(left, left + 33)
               if not close(shot.at(x, y), PALE_GREEN, 40))


def list_colour(shot, name):
    """The background of a list's edit field: 'magenta', 'cyan' or None."""
    left, top, width, height = COMBOS[name]
    area = (width - 4) * (height - 4)
    for label, colour in (("magenta", MAGENTA), ("cyan", CYAN)):
        if shot.count(left + 2, top + 2, width - 4, height - 4, colour, 50) > area * 0.4:
            return label
    return None


def highlighted_boxes(shot, practice):
    """Indices of case boxes whose right end shows yellow."""
    found = []
    for i in range(5):
        left, top, width = practice_box(i) if practice else intro_box(i)
        column = [shot.at(left + width - 4, y) for y in range(top + 4, top + 22)]
        if sum(close(c, YELLOW, 50) for c in column) > len(column) * 0.7:
            found.append(i + 1)
    return found


def circle_found(shot, cx, cy, r):
    """True when red pixels lie on the circle about (cx, cy) cm of radius r cm, at 24 angles
    out of 24 but for a few hidden by the other circle, the segment or a dot."""
    hits = 0
    for k in range(24):
        a = 2 * math.pi * (k + 0.5) / 24
        found = False
        for dr in (-2, -1, 0, 1, 2):
            x = cm(cx) + (cm(r) + dr) * math.cos(a)
            y = cm(cy) + (cm(r) + dr) * math.sin(a)
            if close(shot.at(x, y), RED, 90):
                found = True
                break
        hits += found
    return hits >= 21


def red_inside(shot, cx, cy, r):
    """Red pixels on a circle 0.5 cm inside the expected one: the circle is not drawn there."""
    return sum(close(shot.at(cm(cx) + (cm(r) - 19) * math.cos(a), cm(cy) + (cm(r) - 19) * math.sin(a)), RED, 90)
               for a in (2 * math.pi * k / 36 for k in range(36)))


def green_dots(shot, band):
    """Green pixels (the colour of the common-region dots) in a band of the figure, cm."""
    x0, y0, x1, y1 = (int(cm(v)) for v in band)
    return [(x, y) for y in range(y0, y1) for x in range(x0, x1) if close(shot.at(x, y), GREEN, 60)]


def check_figure(s, shot, r1, r2, pq, common_region, what):
    px, qx = 13 - pq / 2, 13 + pq / 2
    s.check(circle_found(shot, px, 13, r1),
            "%s: no red circle of radius %g cm about P (%g, 13) cm" % (what, r1, px), shot)
    s.check(circle_found(shot, qx, 13, r2),
            "%s: no red circle of radius %g cm about Q (%g, 13) cm" % (what, r2, qx), shot)
    s.check(red_inside(shot, px, 13, r1) < 6 and red_inside(shot, qx, 13, r2) < 6,
            "%s: red circles where none should be" % what, shot)
    band = (px - r1 - 0.5, 13 - max(r1, r2) - 0.5, qx + r2 + 0.5, 13 + max(r1, r2) + 0.5)
    dots = [(x, y) for x, y in green_dots(shot, band)  # less the centre dots of P and Q
            if math.hypot(x - cm(px), y - cm(13)) > 4 and math.hypot(x - cm(qx), y - cm(13)) > 4]
    outside = [(x, y) for x, y in dots
               if math.hypot(x - cm(px), y - cm(13)) > cm(r1) + 1
               or math.hypot(x - cm(qx), y - cm(13)) > cm(r2) + 1]
    s.check(not outside, "%s: green dots outside the common region, e.g. at %s px" % (what, outside[:3]), shot)
    if common_region:
        s.check(len(dots) > 20, "%s: the common region is not dotted (%d green pixels)" % (what, len(dots)), shot)
        for gx, gy in common_region:
            s.check(shot.any_near(cm(gx), cm(gy), GREEN, 2, 60),
                    "%s: no green dot at the grid point (%g, %g) cm" % (what, gx, gy), shot)
    else:
        s.check(not dots, "%s: %d green pixels but the circles share no region" % (what, len(dots)), shot)
    s.check(shot.any_near(cm(px), cm(13), GREEN, 1, 60) or shot.any_near(cm(qx), cm(13), (0, 128, 0), 1, 40),
            "%s: no centre dot" % what, shot)


def run(s):
    s.start()

    # The introduction page.
    shot = s.shot("start")
    s.check(close(shot.at(10, 10), PALE_GREEN, 8) and close(shot.at(*BARE_SPOT), PALE_GREEN, 8),
            "the bare window is not pale green", shot)
    s.check(spot_text_pixels(shot) > 10, "no caption in the Next spot", shot)
    s.check(highlighted_boxes(shot, practice=False) == [], "a case is highlighted at start", shot)

    # Next blinks: red under the pointer and while its first interval runs, then blue on its own.
    s.move(*NEXT_SPOT)
    shot = s.shot("hover-next")
    s.check(next_colour(shot) == "red", "Next is not red under the pointer", shot)
    time.sleep(0.5)
    shot = s.shot("resting-on-next")
    s.check(next_colour(shot) == "red", "Next does not stay red while the pointer rests on it", shot)
    s.move(*BARE_SPOT)
    shot, waited = s.poll("next-blinks", lambda sh: next_colour(sh) == "blue", 3.0)
    s.check(waited is not None, "Next did not turn blue by itself once the pointer left it", shot)
    s.check(waited > 0.3, "Next turned blue %.2f s after the pointer left: sooner than a tick" % waited, shot)

    # To the practice page; the r1 list blinks magenta, then cyan.
    s.click(*NEXT_SPOT)
    seen = []
    start = time.monotonic()
    while time.monotonic() - start < 2.0:
        sh = s.shot("r1-blinks")
        seen.append((time.monotonic() - start, list_colour(sh, "r1")))
        time.sleep(0.05)
    magenta = [t for t, c in seen if c == "magenta"]
    cyan = [t for t, c in seen if c == "cyan"]
    s.check(magenta and cyan and max(cyan) - min(magenta) >= 0.4,
            "the pending list r1 did not blink magenta and cyan: %s"
            % ", ".join("%.2fs %s" % (t, c) for t, c in seen), sh)
    s.check(spot_text_pixels(sh) > 10, "nothing in the Back spot on the practice page", sh)
    s.check(highlighted_boxes(sh, practice=True) == [], "a case is highlighted before any choice", sh)

    # r1 = 2 from the opened list with the pointer.
    s.pick_from_list("r1", 1, 5)
    # r2 = 3 with the arrow keys on the focused list.
    left, top, _, height = COMBOS["r2"]
    s.click(left + 8, top + height // 2)
    s.keys("Down", "Down", "Down")
    shot = s.shot("r1-r2-chosen")
    s.check(highlighted_boxes(shot, practice=True) == [], "a case is highlighted before PQ is chosen", shot)
    s.check(not circle_found(shot, 11, 13, 2), "a figure is drawn before PQ is chosen", shot)
    # The pending list takes its colour at the next blink tick, up to an interval later.
    blinking, waited = s.poll("pq-blinks", lambda sh: list_colour(sh, "PQ") in ("magenta", "cyan"), 2.0)
    s.check(waited is not None, "the pending list PQ does not blink", blinking)

    # PQ = 4 with the wheel over the focused list: 0, 1, 2, 3, 4.
    left, top, _, height = COMBOS["PQ"]
    s.click(left + 8, top + height // 2)
    s.wheel(left + 8, top + height // 2, 5)
    s.move(*BARE_SPOT)
    shot = s.shot("figure-2-3-4")
    check_figure(s, shot, 2, 3, 4, [(12.4, 12.6), (12.6, 13.4), (12.2, 13.2)], "r1=2 r2=3 PQ=4")
    s.check(highlighted_boxes(shot, practice=True) == [3],
            "r1=2 r2=3 PQ=4 should highlight case (3), highlighted: %s" % highlighted_boxes(shot, True), shot)
    s.check(list_colour(shot, "PQ") is None, "the PQ list still blinks after the choice", shot)

    # A typed PQ changes nothing until a radius changes; then it is classified, centres stay.
    s.click(left + 8, top + height // 2)
    s.keys("ctrl+a")
    s.type("6")
    shot = s.shot("typed-pq")
    check_figure(s, shot, 2, 3, 4, [(12.4, 12.6)], "after typing 6 into PQ")
    s.check(highlighted_boxes(shot, practice=True) == [3], "typing into PQ changed the highlight", shot)
    left, top, _, height = COMBOS["r1"]
    s.click(left + 8, top + height // 2)
    s.keys("Down")
    s.move(*BARE_SPOT)
    shot = s.shot("r1-3-typed-pq-6")
    s.check(circle_found(shot, 11, 13, 3) and circle_found(shot, 15, 13, 3),
            "r1 changed to 3: the circles are not r=3 about the stored centres (11, 13), (15, 13)", shot)
    s.check(highlighted_boxes(shot, practice=True) == [1],
            "r1=3 r2=3 with PQ typed as 6 should highlight case (1), highlighted: %s"
            % highlighted_boxes(shot, True), shot)

    # Back: the figure and the highlight go, Next comes back.
    s.click(*NEXT_SPOT)
    s.move(*BARE_SPOT)
    shot = s.shot("back")
    s.check(highlighted_boxes(shot, practice=False) == [], "a case stays highlighted after Back", shot)
    s.check(not circle_found(shot, 11, 13, 3), "the figure stays after Back", shot)
    s.check(all(close(shot.at(x, 86), PALE_GREEN, 8) for x in (788, 850, 900)),
            "the lists stay on the introduction page", shot)

    # Next again redraws from the text of PQ: 6 typed, r1 = r2 = 3, circles touching outside.
    s.click(*NEXT_SPOT)
    s.move(*BARE_SPOT)
    shot = s.shot("next-again")
    check_figure(s, shot, 3, 3, 6, None, "Next with PQ typed as 6")
    s.check(highlighted_boxes(shot, practice=True) == [1], "touching externally is not case (1)", shot)

    # A cat on the keyboard: junk typed into a list, Enter, wheel the other way; then a real
    # choice puts everything right again.
    left, top, _, height = COMBOS["PQ"]
    s.click(left + 8, top + height // 2)
    s.keys("ctrl+a")
    s.type("-1e9 \u00fcn\u00ef 99999999999 ,.;")
    s.keys("Return", "BackSpace", "Return")
    s.wheel(left + 8, top + height // 2, -1)
    s.check(s.app.poll() is None, "tarvolen ended after junk was typed into a list")
    s.pick_from_list("PQ", 5, 13)
    s.move(*BARE_SPOT)
    shot = s.shot("pq-5")
    check_figure(s, shot, 3, 3, 5, [(12.9, 12.6), (13.1, 13.4)], "r1=3 r2=3 PQ=5")
    s.check(highlighted_boxes(shot, practice=True) == [3], "r1=3 r2=3 PQ=5 should highlight case (3)", shot)

    # Home ends the program at once, with status 0.
    s.click(*HOME_SPOT)
    try:
        status = s.app.wait(timeout=5)
    except subprocess.TimeoutExpired:
        raise Failure("Home did not end the program within 5 s")
    s.check(status == 0, "Home ended the program with status %d" % status)


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    started = time.monotonic()
    session = Session(os.path.abspath(sys.argv[1]), sys.argv[2])
    try:
        run(session)
    except (Failure, subprocess.SubprocessError, OSError) as failure:
        print("FAIL: %s" % failure)
        print("screenshots and the program's log: %s" % session.out_dir)
        return 1
    finally:
        session.stop()
    if not os.environ.get("KEEP_SCREENSHOTS"):
        shutil.rmtree(session.out_dir, ignore_errors=True)
    print("learner session: %d checks on %d screenshots passed in %.1f s"
          % (session.checks, session.shots, time.monotonic() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())
