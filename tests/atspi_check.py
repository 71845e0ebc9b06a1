#!/usr/bin/python3
"""The lesson window as a screen reader meets it: read over AT-SPI with pyatspi and driven only
with what a screen-reader user has (press actions, Tab, arrow keys, Alt shortcuts).

Usage: atspi_check.py <path-to-tarvolen>, run by xvfb_accessibility.sh inside its own Xvfb and
D-Bus session. Prints what a reader would announce on the practice page with a case
highlighted; exits non-zero at the first thing that is not as expected.
"""

import os, re, subprocess, sys, time

import pyatspi
from gi.repository import GLib

CASE = re.compile(r"^\s*\(([1-5])\)")
HEARD = []  # change notices: a reader keeps what it was told until it hears of a change


class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


def heard(kind, name_test, detail=None):
    """Whether a notice of this kind came from an object whose name passes the test. Names are
    asked for only now: a busy program may not answer inside the event handler."""
    for event_type, source, event_detail in HEARD:
        try:
            if event_type == kind and detail in (None, event_detail) and name_test(source.name):
                return True
        except Exception:
            pass
    return False


def last_heard(kind):
    """The name of whatever sent the latest notice of this kind: what a reader said last."""
    for event_type, source, _ in reversed(HEARD):
        if event_type == kind:
            try:
                return source.name
            except Exception:
                return None
    return None


def wait_for(what, probe, timeout=15.0):
    deadline = time.monotonic() + timeout
    while True:
        while GLib.MainContext.default().pending():
            GLib.MainContext.default().iteration(False)
        try:
            value = probe()
        except Exception:  # an object can vanish from the bus between two calls
            value = None
        if value:
            return value
        expect(time.monotonic() < deadline, "timed out waiting for " + what)
        time.sleep(0.1)


def walk(node):
    for child in filter(None, (node.getChildAtIndex(i) for i in range(node.childCount))):
        yield child
        if child.getRole() != pyatspi.ROLE_COMBO_BOX:  # list items are read when it is opened
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def buttons(window, shown_only=False):
    found = {b.name: b for b in walk(window) if b.getRole() == pyatspi.ROLE_PUSH_BUTTON}
    return sorted(n for n, b in found.items() if showing(b)) if shown_only else found


def press_actions(button):
    action = button.queryAction()
    return [(i, action.getKeyBinding(i)) for i in range(action.nActions) if action.getName(i) == "Press"]


def press(button):
    expect(press_actions(button), f"{button.name!r} offers no press action")
    button.queryAction().doAction(press_actions(button)[0][0])


def labels(node):
    return [r.getTarget(i).name for r in node.getRelationSet()
            if r.getRelationType() == pyatspi.RELATION_LABELLED_BY for i in range(r.getNTargets())]


def lists(window):
    found = {}
    for node in walk(window):
        if node.getRole() == pyatspi.ROLE_COMBO_BOX:
            expect(len(labels(node)) == 1, f"list {node.name!r} is labelled by {labels(node)}, not one label")
            found[labels(node)[0]] = node
    return found


def cases(window):
    return {int(CASE.match(n.name).group(1)): n for n in walk(window)
            if n.getRole() == pyatspi.ROLE_LABEL and CASE.match(n.name or "")}


def case_notice(number):
    return lambda name: (CASE.match(name) or [None, None])[1] == str(number)


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "80", *names], check=True)


def announce(window):
    """What a reader would say for each thing shown, in the order of the tree."""
    for node in walk(window):
        if (showing(node) and node.getRole() not in (pyatspi.ROLE_FILLER, pyatspi.ROLE_LIST)
                and (node.name or node.getRole() != pyatspi.ROLE_LABEL)):
            label = "labelled %s: " % "/".join(labels(node)) if labels(node) else ""
            extra = " - " + node.description if node.description else ""
            if node.getRole() == pyatspi.ROLE_PUSH_BUTTON:
                extra += " (%s)" % ", ".join(k for _, k in press_actions(node) if k)
            print(f"  {label}{node.getRoleName()} {node.name!r}{extra}")


def main(program):
    desktop = pyatspi.Registry.getDesktop(0)
    window = wait_for("the lesson on the accessibility bus", lambda: next(
        (app.getChildAtIndex(0) for app in map(desktop.getChildAtIndex, range(desktop.childCount))
         if app is not None and app.name == "tarvolen" and app.childCount > 0), None), timeout=30)

    # Introduction page: Next and Home; Back lies unseen beneath Next, Print is hidden.
    wait_for("Next and Home to be the buttons shown", lambda: buttons(window, True) == ["Home", "Next"])
    found = sorted(buttons(window))
    expect(found == ["Back", "Home", "Next", "Print"], f"buttons on the bus: {found}")
    for name, key in (("Next", "Alt+N"), ("Home", "Alt+H")):
        found = [k for _, k in press_actions(buttons(window)[name])]
        expect(found == [key], f"{name} should be pressed with {key}, has {found}")
    found = cases(window)
    expect(sorted(found) == [1, 2, 3, 4, 5], f"case sentences found: {sorted(found)}")
    for number, node in found.items():
        expect(showing(node) and node.description == "",
               f"case {number} hidden or already described at the start: {node.description!r}")
    expect("r1 + r2" in found[1].name and "each other externally." in found[1].name,
           f"case 1 does not read as plain text: {found[1].name!r}")

    # Next, pressed as a screen reader does; Back replaces it, the lists and the r1 prompt show.
    press(buttons(window)["Next"])
    wait_for("Back to replace Next", lambda: buttons(window, True) == ["Back", "Home"])
    found = wait_for("the three lists", lambda: lists(window))
    expect(sorted(found) == ["PQ", "r1", "r2"] and all(map(showing, found.values())),
           f"lists labelled {sorted(found)}, not all shown")
    wait_for("the r1 prompt", lambda: any(showing(n) and "radius  r1" in (n.name or "") for n in walk(window)))
    wait_for("notice of the new prompt",
             lambda: heard("object:property-change:accessible-name", lambda name: "radius  r1" in name))
    wait_for("notice that Back can be seen",
             lambda: heard("object:state-changed:showing", lambda name: name == "Back", 1))

    # The keyboard alone: Tab reaches the lists in the order r1, r2, PQ; arrows choose.
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "Tarvolen in a Plane",
                    "windowfocus", "--sync"], check=True, stdout=subprocess.DEVNULL)
    for name, downs, value in (("r1", 2, "2"), ("r2", 3, "3"), ("PQ", 5, "4")):
        keys("Tab")
        wait_for(f"Tab to reach the {name} list",
                 lambda: lists(window)[name].getState().contains(pyatspi.STATE_FOCUSED))
        keys(*["Down"] * downs)
        wait_for(f"{name} = {value}", lambda: lists(window)[name].name == value)

    # 1 < 4 < 5: the circles intersect, case (3), and only that case says it holds.
    holding = wait_for("a case that says it holds", lambda: [
        n for n, node in cases(window).items() if node.description.startswith("This case holds")])
    expect(holding == [3], f"cases saying they hold: {holding}")
    wait_for("the last description notice to come from case 3",
             lambda: case_notice(3)(last_heard("object:property-change:accessible-description") or ""))
    described = cases(window)[3].description
    expect(all(v in described for v in ("r1 = 2", "r2 = 3", "PQ = 4")),
           f"the highlighted case does not name the values: {described!r}")
    wait_for("Print to be offered", lambda: buttons(window, True) == ["Back", "Home", "Print"])
    print("Practice page, r1 = 2, r2 = 3, PQ = 4, as a screen reader finds it:")
    announce(window)

    # Back from the keyboard: the introduction again, nothing highlighted.
    del HEARD[:]
    keys("alt+b")
    wait_for("Next to come back", lambda: buttons(window, True) == ["Home", "Next"])
    wait_for("the highlight to be gone", lambda: all(n.description == "" for n in cases(window).values()))
    wait_for("notice that the case no longer holds",
             lambda: heard("object:property-change:accessible-description", case_notice(3)))

    # Home, pressed over AT-SPI, ends the program at once and cleanly.
    press(buttons(window)["Home"])
    try:
        status = program.wait(timeout=10)
    except subprocess.TimeoutExpired:
        raise Failure("Home pressed over AT-SPI did not end the program")
    expect(status == 0, f"the program ended with {status} after Home")


if __name__ == "__main__":
    # Listen before the program starts: it learns which notices anyone wants when it joins the
    # bus, and one that joined first may miss a later registration.
    pyatspi.Registry.registerEventListener(
        lambda event: HEARD.append((event.type, event.source, event.detail1)),
        "object:property-change:accessible-name", "object:property-change:accessible-description",
        "object:state-changed:showing")
    program = subprocess.Popen(
        [sys.argv[1]], stdout=open(os.environ.get("PROGRAM_LOG", os.devnull), "w"), stderr=subprocess.STDOUT,
        env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                 QT_SCALE_FACTOR="1"))
    try:
        main(program)
    except Failure as failure:
        print("FAIL:", failure, file=sys.stderr)
        sys.exit(1)
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
