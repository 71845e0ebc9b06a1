#!/usr/bin/python3
"""The real lesson window as a screen reader meets it: read over AT-SPI with pyatspi, driven with press
actions, Tab and the arrow keys. ctest runs it in a D-Bus session of its own."""
import os, re, subprocess, sys, time

import pyatspi
from pyatspi import RELATION_LABELLED_BY, ROLE_COMBO_BOX, ROLE_LABEL, ROLE_PUSH_BUTTON, STATE_FOCUSED, STATE_SHOWING
from gi.repository import GLib
from learner_session import Session, expect

CASE = re.compile(r"^\s*\(([1-5])\)")
described = []  # whatever announced a new description, latest last: what a reader said last


def wait_for(what, probe, want=None):
    """The probe's value once it equals `want` (or, without one, once it is true)."""
    deadline = time.monotonic() + 60  # a busy machine only makes the wait longer
    while True:
        while GLib.MainContext.default().pending():
            GLib.MainContext.default().iteration(False)
        try:
            value = probe()
        except Exception:  # an object can vanish from the bus between two calls
            value = None
        if value if want is None else value == want:
            return value
        expect(time.monotonic() < deadline, f"{what}: {value!r}, waited for {want!r}")
        time.sleep(0.1)


def shown(node, role):
    for child in filter(None, map(node.getChildAtIndex, range(node.childCount))):
        if child.getRole() == role and child.getState().contains(STATE_SHOWING):
            yield child
        if child.getRole() != ROLE_COMBO_BOX:  # its items are read when it is opened
            yield from shown(child, role)


def buttons(window, press=None):
    """{name: keys of its press actions} of the buttons shown; or presses the one named."""
    found = {}
    for button in shown(window, ROLE_PUSH_BUTTON):
        action = button.queryAction()
        presses = [i for i in range(action.nActions) if action.getName(i) == "Press"]
        found[button.name] = [action.getKeyBinding(i) for i in presses]
        if button.name == press:
            return action.doAction(presses[0])
    return found


def lists(window):
    """{names of the labels it is labelled by: (its value, whether it has the focus)} of the lists shown."""
    return {"/".join(r.getTarget(i).name for r in node.getRelationSet() if r.getRelationType() == RELATION_LABELLED_BY
                     for i in range(r.getNTargets())): (node.name, node.getState().contains(STATE_FOCUSED))
            for node in shown(window, ROLE_COMBO_BOX)}


def cases(window):
    """[(case number, description)] of the case sentences shown, in the order a reader walks them."""
    return [(int(case[1]), n.description) for n in shown(window, ROLE_LABEL) if (case := CASE.match(n.name or ""))]


def check(s):
    desktop = pyatspi.Registry.getDesktop(0)
    window = wait_for("the lesson on the accessibility bus", lambda: next(a.getChildAtIndex(0) for a in map(
        desktop.getChildAtIndex, range(desktop.childCount)) if a and a.name == "tarvolen" and a.childCount))
    wait_for("buttons on the introduction", lambda: buttons(window), dict(Home=["Alt+H"], Next=["Alt+N"]))
    wait_for("case sentences at the start, (1) to (5)", lambda: cases(window), [(k, "") for k in range(1, 6)])
    buttons(window, press="Next")
    wait_for("buttons on the practice page", lambda: buttons(window), dict(Back=["Alt+B"], Home=["Alt+H"]))
    wait_for("case sentences on the practice page", lambda: [k for k, _ in cases(window)], [1, 2, 3, 4, 5])
    # The keyboard alone: Tab reaches the lists labelled r1, r2, PQ in that order; the arrow keys choose.
    for name, downs, value in (("r1", 2, "2"), ("r2", 3, "3"), ("PQ", 5, "4")):
        s.xdo("key", "--delay", 80, "Tab", *["Down"] * downs)
        wait_for(f"list {name}: value, focus", lambda: lists(window)[name], (value, True))
    # 1 < 4 < 5: the circles cut each other. Case (3) alone holds, and a reader hears of it last.
    wait_for("cases described as holding", lambda: [c for c in cases(window) if c[1]],
             [(3, "This case holds for the chosen r1 = 2, r2 = 3 and PQ = 4. |2 \u2212 3| = 1 < 4 < 5 = 2 + 3")])
    wait_for("the case of the last description notice", lambda: CASE.match(described[-1].name)[1], "3")
    wait_for("buttons with a figure", lambda: buttons(window), dict(Back=["Alt+B"], Home=["Alt+H"], Print=["Alt+P"]))
    buttons(window, press="Home")
    expect(s.app.wait(timeout=10) == 0, f"Home pressed over AT-SPI ended the program with {s.app.returncode}")


if __name__ == "__main__":
    # The program asks org.a11y.Bus for its bus once, at start: start it (by asking) before.
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                    "org.a11y.Bus.GetAddress"], check=True, stdout=subprocess.DEVNULL)
    # Listen before the program starts: it learns which notices anyone wants as it joins the bus.
    pyatspi.Registry.registerEventListener(lambda event: described.append(event.source),
                                           "object:property-change:accessible-description")
    os.makedirs(out := os.path.join(sys.argv[2], "accessibility"), exist_ok=True)
    try:
        check(Session(sys.argv[1], out, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    except Exception as failure:
        sys.exit(f"FAIL: {failure!r}; the program's log is in {out}")
