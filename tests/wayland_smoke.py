#!/usr/bin/python3
# The lesson as a native Wayland client of a headless weston started here, judged from the compositor's screenshot
# against the introduction page under Xvfb: wayland_smoke.py <path-to-tarvolen> <build-dir>, in a D-Bus session of its
# own. The compositor has no input devices: Home is pressed over AT-SPI, as a screen reader would press it.
import atexit, os, pyatspi, re, shutil, subprocess, sys, tempfile
from atspi_check import buttons, wait_for
from learner_session import PALE_GREEN, PROCESSES, Session, Shot, close, expect

W, H = 1018, 736


def screenshot(env, out, left, top):
    # weston's picture of its 1280 px wide output, once the area at (left, top) is pale green to its W x H corners.
    subprocess.run(["weston-screenshooter"], env=env, cwd=out, check=True, timeout=10)
    png = max((os.path.join(out, f) for f in os.listdir(out) if f.startswith("wayland-")), key=os.path.getmtime)
    shot = Shot.__new__(Shot)  # pixels as an xwd's, without its header
    shot.stride, shot.name, shot.pixels = 5120, png, subprocess.check_output(["convert", png, "-depth", "8", "bgra:-"])
    return shot if all(close(shot.at(left + x, top + y), PALE_GREEN, 8) == (0 <= x < W and 0 <= y < H)
                       for x in (-1, 0, W - 1, W) for y in (-1, 0, H - 1, H)) else None


def run(program, out):
    atexit.register(shutil.rmtree, runtime := tempfile.mkdtemp(), True)
    open(runtime + "/weston.ini", "w").write("[shell]\nanimation=none\nstartup-animation=none\n")  # as Qt drew it
    env = {**os.environ, "XDG_RUNTIME_DIR": runtime, "WAYLAND_DISPLAY": "wayland-smoke"}
    PROCESSES.append(weston := subprocess.Popen(
        ("weston --backend=headless-backend.so --use-pixman --debug --width=1280 --height=1024 --socket=wayland-smoke "
         "--config=%s/weston.ini" % runtime).split(), env=env, stderr=open(out + "/weston.log", "w")))
    x11 = Session(program, out)  # while weston starts
    picture = x11.shot("x11")
    wait_for("weston's socket", lambda: weston.poll() is not None or os.path.exists(runtime + "/wayland-smoke"))
    weston.poll() is None or sys.exit("SKIP: weston did not start; its log: " + open(out + "/weston.log").read())

    # A Wayland desktop as the learner has it: Qt left to choose, the X display of the compatibility server set too.
    env = {k: v for k, v in {**x11.env, **env}.items() if k not in ("QT_QPA_PLATFORM", "QT_ACCESSIBILITY")}
    pyatspi.Registry.getDesktop(0)  # starts the accessibility bus: the program asks for it once, at start
    PROCESSES.append(app := subprocess.Popen([program], env={**env, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"},
                                             stderr=open(out + "/tarvolen.log", "w")))
    window = wait_for("the lesson in weston's scene graph", lambda: re.search(
        r"top-level window '(.*)' of (\S+), .*\n.*\n\s*\[opaque: \((\d+), (\d+)\)", subprocess.run(
            ["weston-debug", "scene-graph"], env=env, capture_output=True, text=True, timeout=10).stdout))
    expect(window.group(1, 2) == ("Chapter 4:  Tarvolen in a Plane.", "org.example.tarvolen"), str(window.group(1, 2)))
    left, top = map(int, window.group(3, 4))
    shot = wait_for("a %d x %d pale-green area at %d, %d" % (W, H, left, top), lambda: screenshot(env, out, left, top))
    # The same pixels, but for Next and Home (896 to 985 px across, 8 to 25 down), whose colours follow the pointer.
    row = lambda s, x, y: s.pixels[y * s.stride + 4 * x:y * s.stride + 4 * (x + W)]
    wrong = sorted({(i // 4, y) for y in range(H) for i, (p, q) in enumerate(zip(row(shot, left, top + y), row(
        picture, 0, y))) if i % 4 != 3 and p != q and not (896 <= i // 4 < 985 and 8 <= y < 25)})
    expect(not wrong, "%d pixels unlike the X11 picture, e.g. at %s" % (len(wrong), wrong[:5]))

    wait_for("Home pressed over AT-SPI", lambda: buttons(next(
        a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == app.pid), press="Home") is True)
    expect(app.wait(timeout=10) == 0, "Home ended the program with status %d" % app.returncode)
    expect(not open(out + "/tarvolen.log").read(), "the program warned: " + open(out + "/tarvolen.log").read())

    # With --full-screen the page fills the 1280 x 1024 output at 1280 / 1018, 49 px down (1024 - 736 z) / 2, pale
    # green above it: Shape1's olive border 32 px in, 5 px wide, from 40 px in.
    PROCESSES.append(app := subprocess.Popen([program, "--full-screen"], env={**env, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"},
                                             stderr=open(out + "/tarvolen-full.log", "w")))
    def full():
        subprocess.run(["weston-screenshooter"], env=env, cwd=out, check=True, timeout=10)
        pixels = subprocess.check_output(["convert", max((os.path.join(out, f) for f in os.listdir(out) if f.startswith(
            "wayland-")), key=os.path.getmtime), "-depth", "8", "rgb:-"])
        at = lambda x, y: tuple(pixels[3 * (y * 1280 + x):3 * (y * 1280 + x) + 3])
        return [at(x, 500) for x in (39, 40, 44, 45)] + [at(640, 40)] == [PALE_GREEN] + [(60, 104, 0)] * 2 + [(0, 128, 128), PALE_GREEN]
    wait_for("the page full screen", full)
    wait_for("Home pressed over AT-SPI at full screen", lambda: buttons(next(
        a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == app.pid), press="Home") is True)
    expect(app.wait(timeout=10) == 0, "Home at full screen ended the program with status %d" % app.returncode)


if __name__ == "__main__":
    os.makedirs(out := os.path.join(sys.argv[2], "wayland_smoke"), exist_ok=True)
    run(sys.argv[1], out)  # on failure the screenshots and logs stay there
    os.environ.get("KEEP_SCREENSHOTS") or shutil.rmtree(out)
