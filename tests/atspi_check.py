#!/usr/bin/python3
"""The lesson window as a screen reader meets it: read over AT-SPI with pyatspi and driven
only with what a screen-reader user has (press actions, Tab, arrow keys, Alt shortcuts).

Usage: atspi_check.py <path-to-tarvolen>, run by xvfb_accessibility.sh inside its own Xvfb
and D-Bus session with the accessibility bus up. Prints what a reader would announce on the
practice page with a case highlighted. Exits non-zero with a message at the first thing that
is not as expected.
"""

import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

CASE = re.compile(r"^\s*\(([1-5])\)")
HOLDS = "This case holds"


class Failure(Exception):
    pass


# Change notices from the program: a reader keeps what it was told until it hears of a change.
HEARD = []


def hear(event):
    HEARD.append((event.type, event.source, event.detail1))


def heard(kind, source_test, detail=None):
    """Whether a notice of this kind came from an object whose name passes the test. Names
    are asked for only now: a busy program may not answer inside the event handler."""
    for event_type, source, event_detail in HEARD:
        if event_type != kind or (detail is not None and event_detail != detail):
            continue
        try:
            if source_test(source.name):
                return True
        except Exception:
            continue
    return False


def wait_for(what, probe, timeout=15.0):
    deadline = time.monotonic() + timeout
    context = GLib.MainContext.default()
    while True:
        while context.pending():
            context.iteration(False)
        try:
            value = probe()
        except Exception:  # an object can vanish from the bus between two calls
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.1)


def find_window():
    def probe():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "tarvolen" and app.childCount > 0:
                return app.getChildAtIndex(0)
        return None
    return wait_for("the lesson on the accessibility bus", probe, timeout=30)


def walk(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        # The items of a list are read when it is opened, not as part of the page.
        if child.getRole() != pyatspi.ROLE_COMBO_BOX:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def buttons(window):
    return {b.name: b for b in walk(window) if b.getRole() == pyatspi.ROLE_PUSH_BUTTON}


def shown_buttons(window):
    return sorted(name for name, b in buttons(window).items() if showing(b))


def press(button):
    action = button.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Press":
            action.doAction(i)
            return
    raise Failure(f"{button.name!r} offers no press action")


def key_binding(button):
    action = button.queryAction()
    return [action.getKeyBinding(i) for i in range(action.nActions) if action.getName(i) == "Press"]


def label_of(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def lists(window):
    result = {}
    for node in walk(window):
        if node.getRole() == pyatspi.ROLE_COMBO_BOX:
            names = label_of(node)
            if len(names) != 1:
                raise Failure(f"list {node.name!r} is labelled by {names}, expected one label")
            result[names[0]] = node
    return result


def cases(window):
    found = {}
    for node in walk(window):
        match = CASE.match(node.name or "")
        if match and node.getRole() == pyatspi.ROLE_LABEL:
            found[int(match.group(1))] = node
    return found


def focused_list(window):
    for name, node in lists(window).items():
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            return name
    return None


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "80", *names], check=True)


def expect(condition, message):
    if not condition:
        raise Failure(message)


def announce(window):
    """What a reader would say for each thing shown, in the order of the tree."""
    lines = []
    for node in walk(window):
        if not showing(node) or node.getRole() in (pyatspi.ROLE_FILLER, pyatspi.ROLE_LIST):
            continue
        if not node.name and node.getRole() == pyatspi.ROLE_LABEL:
            continue
        parts = [node.getRoleName(), repr(node.name)]
        label = label_of(node)
        if label:
            parts.insert(0, "labelled " + "/".join(label) + ":")
        if node.description:
            parts.append("- " + node.description)
        if node.getRole() == pyatspi.ROLE_PUSH_BUTTON:
            parts.append("(" + ", ".join(k for k in key_binding(node) if k) + ")")
        lines.append("  " + " ".join(parts))
    return "\n".join(lines)


def main(program):
    window = find_window()

    # Introduction page: Next and Home; Back lies unseen beneath Next, Print is hidden.
    wait_for("Next and Home to be the buttons shown",
             lambda: shown_buttons(window) == ["Home", "Next"])
    all_buttons = buttons(window)
    expect(sorted(all_buttons) == ["Back", "Home", "Next", "Print"],
           f"buttons on the bus: {sorted(all_buttons)}")
    for name, key in (("Next", "Alt+N"), ("Home", "Alt+H")):
        expect(key_binding(all_buttons[name]) == [key],
               f"{name} should be pressed with {key}, has {key_binding(all_buttons[name])}")
    found = cases(window)
    expect(sorted(found) == [1, 2, 3, 4, 5], f"case sentences found: {sorted(found)}")
    for number, node in found.items():
        expect(showing(node), f"case {number} is not shown on the introduction page")
        expect(node.description == "", f"case {number} already described: {node.description!r}")
    expect("r1 + r2" in found[1].name and "each other externally." in found[1].name,
           f"case 1 does not read as plain text: {found[1].name!r}")

    # Next, pressed as a screen reader does.
    press(all_buttons["Next"])
    wait_for("Back to replace Next", lambda: shown_buttons(window) == ["Back", "Home"])
    found_lists = wait_for("the three lists", lambda: lists(window))
    expect(sorted(found_lists) == ["PQ", "r1", "r2"], f"lists labelled {sorted(found_lists)}")
    expect(all(showing(node) for node in found_lists.values()), "a list is not shown")
    wait_for("the r1 prompt", lambda: any(
        showing(n) and "radius  r1" in (n.name or "") for n in walk(window)))
    wait_for("notice of the new prompt", lambda: heard(
        "object:property-change:accessible-name", lambda name: "radius  r1" in name))
    wait_for("notice that Back can be seen", lambda: heard(
        "object:state-changed:showing", lambda name: name == "Back", 1))

    # The keyboard alone: Tab reaches the lists in the order r1, r2, PQ; arrows choose.
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                    "Tarvolen in a Plane", "windowfocus", "--sync"], check=True,
                   stdout=subprocess.DEVNULL)
    keys("Tab")
    wait_for("Tab to reach the r1 list", lambda: focused_list(window) == "r1")
    keys("Down", "Down")
    wait_for("r1 = 2", lambda: lists(window)["r1"].name == "2")
    keys("Tab")
    wait_for("Tab to reach the r2 list", lambda: focused_list(window) == "r2")
    keys("Down", "Down", "Down")
    wait_for("r2 = 3", lambda: lists(window)["r2"].name == "3")
    keys("Tab")
    wait_for("Tab to reach the PQ list", lambda: focused_list(window) == "PQ")
    keys("Down", "Down", "Down", "Down", "Down")
    wait_for("PQ = 4", lambda: lists(window)["PQ"].name == "4")

    # 1 < 4 < 5: the circles intersect, case (3), and only that case says it holds.
    holding = wait_for("a case that says it holds", lambda: [
        n for n, node in cases(window).items() if node.description.startswith(HOLDS)])
    expect(holding == [3], f"cases saying they hold: {holding}")
    wait_for("notice of the case that holds", lambda: heard(
        "object:property-change:accessible-description", lambda name: CASE.match(name)
        and CASE.match(name).group(1) == "3"))
    described = cases(window)[3].description
    expect("r1 = 2" in described and "r2 = 3" in described and "PQ = 4" in described,
           f"the highlighted case does not name the values: {described!r}")
    wait_for("Print to be offered", lambda: shown_buttons(window) == ["Back", "Home", "Print"])
    print("Practice page, r1 = 2, r2 = 3, PQ = 4, as a screen reader finds it:")
    print(announce(window))

    # Back from the keyboard: the introduction again, nothing highlighted.
    del HEARD[:]
    keys("alt+b")
    wait_for("Next to come back", lambda: shown_buttons(window) == ["Home", "Next"])
    wait_for("the highlight to be gone",
             lambda: all(node.description == "" for node in cases(window).values()))
    wait_for("notice that the case no longer holds", lambda: heard(
        "object:property-change:accessible-description", lambda name: CASE.match(name)
        and CASE.match(name).group(1) == "3"))

    # Home ends the program, at once and cleanly.
    press(buttons(window)["Home"])
    try:
        status = program.wait(timeout=10)
    except subprocess.TimeoutExpired:
        raise Failure("Home pressed over AT-SPI did not end the program")
    expect(status == 0, f"the program ended with {status} after Home")


if __name__ == "__main__":
    # Listen before the program starts: it learns which notices anyone wants when it joins
    # the bus, and one that joined first may miss a later registration.
    pyatspi.Registry.registerEventListener(
        hear, "object:property-change:accessible-name",
        "object:property-change:accessible-description", "object:state-changed:showing")
    log = open(os.environ.get("PROGRAM_LOG", os.devnull), "w")
    program = subprocess.Popen(
        [sys.argv[1]], stdout=log, stderr=subprocess.STDOUT,
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
