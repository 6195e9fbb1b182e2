#!/usr/bin/python3
"""What a Windows screen reader (NVDA, Narrator) is given of Quelvaris,
read through UI Automation under Wine 10, and one copy of the program for
two starts.

Runs on a desktop of its own with a window manager (virtual_desktop.py
--window-manager=fluxbox), in a Wine prefix made for it. Types the worked job
by keyboard, then reads the main window's tree with uia_tree.exe and holds
every element to the table that the Orca and AT-SPI tests use (heard.py):
its control type, its name, its AutomationId, nothing more and nothing
missing. Does the same for the help and about windows. Checks the states
Wine's UI Automation answers (the keyboard focus) and says which it does
not. Then starts the program again, and last starts it twice at once: each
time one copy must run.
    uia_reader.py PROGRAM-FOLDER UIA_TREE.EXE
"""

import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "desktops"))
from desktop import Desktop, Failure, main_of, require, wait_for  # noqa: E402

import heard  # noqa: E402

# Read through UI Automation, the kinds of control in the table: Qt gives
# its central pane, a plain widget, as a group.
CONTROL_TYPES = {"pane": {"Group"}, "text": {"Text"}, "frame": {"Group"}, "class": {"RadioButton"},
                 "box": {"Edit"}, "result": {"Text"}, "picture": {"Image"}, "button": {"Button"},
                 "menu bar": {"MenuBar"}, "menu": {"MenuItem"}}
# The windows by their captions. A reader hears the about window by a longer
# name, with its version, which the table of the window does not hold.
MAIN, HELP, ABOUT = "Quelvaris ", "Ayuda", "Acerca de..."
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


class Reader:
    def __init__(self, desktop, uia_tree):
        self.desktop, self.uia_tree = desktop, uia_tree

    def tree(self, caption):
        """The window's elements as (control type, name, AutomationId, state)."""
        printed = self.desktop.run("wine", self.uia_tree, caption, timeout=60, check=False)
        return [tuple(line.split("\t")) for line in (printed or "").splitlines()]

    def held_to(self, caption, table, form):
        """Checks the window's whole tree against its table; gives the tree."""
        given = self.tree(caption)
        print(f"The window \"{caption}\" through UI Automation (control type | name | state):")
        for control_type, name, _, state in given:
            print(f"  {control_type} | {name} | {state}")
        for difference in heard.differences([(control_type, name, automation_id)
                                             for control_type, name, automation_id, _ in given],
                                            heard.named(table, form), CONTROL_TYPES):
            check(False, f"\"{caption}\": {difference}")
        # Qt gives a widget the path of object names to it as its AutomationId,
        # and a menu, an action rather than a widget, none.
        ids = [automation_id.rsplit(".", 1)[-1]
               for _, _, automation_id, _ in given if automation_id]
        check(ids == [control for control, kind, _ in table if kind != "menu"],
              f"\"{caption}\": the AutomationIds, not the table's object names: {ids}")
        return given


def state_of(tree, control):
    return next((state.split() for *_, automation_id, state in tree
                 if automation_id.endswith("." + control)), [])


def told(tree, control, answer, what):
    """Whether Wine answers `answer` (value, selected, focus) for `control`;
    where it does not, says so."""
    if f"{answer}=?" in state_of(tree, control):
        print(f"Wine's UI Automation does not tell {what}: not checked")
        return False
    return True


def run():
    require("wine", "xdotool")
    folder, uia_tree = sys.argv[1:3]
    program = os.path.join(folder, "quelvaris.exe")
    with Desktop() as desktop:
        reader = Reader(desktop, uia_tree)
        first = desktop.start("program", ["wine", program])
        desktop.window(f"^{MAIN}$", seconds=60, what="the main window")
        if not desktop.takes_keyboard(f"^{MAIN}$", seconds=10):
            raise Failure("the main window taking the keyboard")
        # A screen reader reads the window from the start, and so the program
        # knows one is there; before a calculation no result is named.
        before = {automation_id.rsplit(".", 1)[-1]: name
                  for _, name, automation_id, _ in reader.tree(MAIN)}
        check(all(before.get(field) == "" for field in heard.RESULT_NAMES),
              f"no result named before a calculation: {before}")
        # The worked job, by keyboard as a blind user types it: from
        # "Calcular" to the class, the height, the area, "Calcular".
        job = heard.WORKED_JOB
        desktop.keys("Tab", "Tab", "Tab", "Up", "Up", "space", "Tab")
        desktop.run("xdotool", "type", "--delay", "100", job["height"])
        desktop.keys("Tab")
        desktop.run("xdotool", "type", "--delay", "100", job["area"])
        desktop.keys("Tab", "Return")
        volume = heard.RESULT_NAMES["Label33"]
        wait_for("the volume named by the calculation",
                 lambda: any(name == volume for _, name, *_ in reader.tree(MAIN)), 20)

        if told(reader.tree(MAIN), "Label33", "focus", "the keyboard focus"):
            try:
                wait_for("the focus on the volume after Calcular",
                         lambda: "focus" in state_of(reader.tree(MAIN), "Label33"), 10)
            except Failure as failure:
                check(False, str(failure))
        tree = reader.held_to(MAIN, heard.MAIN_WINDOW, "main_window")
        if told(tree, "Text1", "value", "the boxes' values (Value pattern)"):
            check("value=25.00" in state_of(tree, "Text1") and
                  f"value={job['height']}" in state_of(tree, "Text2"), "the boxes' values")
        if told(tree, job["class"], "selected", "which class is selected (SelectionItem)"):
            check("selected=yes" in state_of(tree, job["class"]), "the worked job's class selected")

        desktop.keys("F1")
        desktop.window(f"^{HELP}$", seconds=10, what="the help window")
        reader.held_to(HELP, heard.HELP_WINDOW, "help_window")
        desktop.keys("Escape")
        wait_for("the help window closed", lambda: not desktop.windows(f"^{HELP}$"), 10)
        # The about window through the menu: Archivo, then Ayuda's second
        # item. Wine shows each menu as a window of its own, named after the
        # program; a key pressed before its menu shows is lost.
        menus = lambda: desktop.windows("^Quelvaris$")  # noqa: E731
        desktop.keys("F10")
        archivo = wait_for("the menu Archivo open", menus, 10)
        desktop.keys("Right")
        wait_for("the menu Ayuda open", lambda: menus() and menus() != archivo, 10)
        desktop.keys("Down", "Return")
        desktop.window(f"^{re.escape(ABOUT)}$", seconds=10, what="the about window")
        reader.held_to(ABOUT, heard.ABOUT_WINDOW, "about_window")
        desktop.keys("Escape")
        wait_for("the about window closed",
                 lambda: not desktop.windows(f"^{re.escape(ABOUT)}$"), 10)

        # Started again, the program hands over to the copy running and ends.
        again = desktop.start("again", ["wine", program])
        check(desktop.ended(again, 30, "a second start ending") == 0, "a second start ending well")
        check(first.poll() is None, "the first copy running on")

        # Two starts at once, as a double-click gives: one ends, one runs.
        desktop.keys("F10")  # Archivo, Salir
        wait_for("the menu Archivo open", menus, 10)
        desktop.keys("Down", "Return")
        desktop.ended(first, 30, "the program ending at Salir")
        starts = [desktop.start(f"start{n}", ["wine", program]) for n in (1, 2)]
        wait_for("one of two starts at once ending",
                 lambda: any(s.poll() is not None for s in starts), 30)
        running = [s for s in starts if s.poll() is None]
        ended = [s for s in starts if s.poll() is not None]
        check(len(running) == 1 and ended[0].returncode == 0,
              f"two starts at once give one copy: {len(running)} running, "
              f"{[s.returncode for s in ended]} ended")
        windows = wait_for("a main window of the copy running",
                           lambda: desktop.windows(f"^{MAIN}$"), 30)
        check(len(windows) == 1, f"one main window, found {len(windows)}")

    print("uia reader: " + ("all checks pass" if not failures else f"{len(failures)} failed"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main_of(run))
