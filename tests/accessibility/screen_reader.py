"""What a screen reader finds in Quelvaris, read through AT-SPI.

Types an area and a height through the text interface, selects a class and
presses "Calcular" through their actions, then reads the nine results by the
names a screen reader speaks, with their meaning, from the volume that takes
the focus. Reads a box's text as a screen reader does at its end, and opens
the help and about windows through the menu. Prints the main window's
controls as the screen reader sees them. Runs on a screen-reader user's
desktop of its own (tests/desktops/virtual_desktop.py --accessibility).
    screen_reader.py PROGRAM
"""

import atexit
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "desktops"))
from desktop import SKIP, Desktop, end_gently, release_version  # noqa: E402

import heard  # noqa: E402

try:
    import pyatspi
except ImportError:
    print("SKIP: /usr/bin/python3 cannot import pyatspi (Debian's python3-pyatspi)")
    sys.exit(SKIP)

# Read through AT-SPI, the kinds of control in the table of what readers hear.
ROLES = {"pane": {"filler"}, "text": {"label"}, "frame": {"panel"}, "class": {"radio button"},
         "box": {"text"}, "result": {"label"}, "picture": {"image", "icon"},
         # AT-SPI 2.46 (Debian 12) names the role "push button", 2.56 (Debian 13) "button".
         "button": {"push button", "button"}, "menu bar": {"menu bar"}, "menu": {"menu item"}}
EXPECTED = list(heard.RESULT_NAMES.values())
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def wait_for(find, what, seconds=15):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    check(False, "never appeared: " + what)
    sys.exit(1)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name.lower() == "quelvaris":
            return app
    return None


def descendants(root):
    return pyatspi.utils.findAllDescendants(root, lambda node: True)


def one(nodes, what):
    check(len(nodes) == 1, f"one {what}, found {len(nodes)}")
    return nodes[0] if nodes else sys.exit(1)


def window(app, role, title):
    return next((w for w in app if w.getRoleName() == role and w.name == title), None)


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    index = next((i for i, n in enumerate(names) if n in ("press", "click", "Press")), 0)
    action.doAction(index)


# The program, its messages kept to be shown when anything fails.
log = open(os.path.join(os.environ["XDG_RUNTIME_DIR"], "program.log"), "w+")
program = subprocess.Popen(sys.argv[1:], stderr=log,
                           env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))


@atexit.register
def end_program():
    end_gently([(program, False)])
    if failures:
        log.seek(0)
        print("The program said:\n" + "".join("    " + line for line in log))


app = wait_for(application, "the program on the accessibility bus")
main = wait_for(lambda: window(app, "frame", "Quelvaris "), "the main window as a frame")
# The program takes the keyboard at start by itself, as a blind user needs.
desktop = Desktop()  # the one this runs on
atexit.register(desktop.end)
if not desktop.takes_keyboard("^Quelvaris $"):
    check(False, "the main window did not take the keyboard at start")
    sys.exit(1)
nodes = descendants(main)

print("The main window, as a screen reader reads it (role | name | description):")
for node in nodes:
    if node.getRoleName() not in ("filler", "panel") or node.name:
        print(f"  {node.getRoleName()} | {node.name} | {node.description}")

def labels():
    return [n for n in descendants(main) if n.getRoleName() == "label"]


def results():
    meanings = tuple(e.split(":")[0] + ":" for e in EXPECTED)
    return [n.name for n in labels() if n.name.startswith(meanings)]


check(results() == [], "no result field is named before a calculation: " + repr(results()))

texts = [n for n in nodes if n.getRoleName() == "text"]
area = one([n for n in texts if n.name == heard.AREA_BOX], "area box")
height = one([n for n in texts if n.name == heard.HEIGHT_BOX], "height box")
area.queryEditableText().setTextContents(heard.WORKED_JOB["area"])
height.queryEditableText().setTextContents(heard.WORKED_JOB["height"])

buttons = [n for n in nodes if n.getRoleName() == "radio button"]
check(all(b.name.startswith("f'c = ") for b in buttons) and len(buttons) == 4,
      "four class buttons named by their captions: " + repr([b.name for b in buttons]))
press(one([b for b in buttons if b.name == heard.CLASS_NAMES[heard.WORKED_JOB["class"]]],
          "class button of the worked job"))
press(one([n for n in nodes if n.getRoleName() in ROLES["button"] and n.name == "Calcular"], "Calcular"))

def focused():
    return next((n for n in descendants(main) if n.getState().contains(pyatspi.STATE_FOCUSED)), None)


wait_for(lambda: getattr(focused(), "name", None) == EXPECTED[0], "the focus on the volume", 5)


def walked(node, path=""):
    """(role, name, where) of what a reader goes through, in order; a menu's
    items are read as it opens."""
    for at, child in enumerate(node):
        yield child.getRoleName(), child.name, f"{path}{at}"
        if child.getRoleName() not in ROLES["menu"]:
            yield from walked(child, f"{path}{at}.")


# Every control as the table has it, and nothing more: no caption a control
# says already.
table = heard.named(heard.MAIN_WINDOW, "main_window")
for difference in heard.differences(list(walked(main)), table, ROLES):
    check(False, difference)
check(area.queryText().getText(0, -1) == "25.00", "the area box rewritten as 25.00")

# What a screen reader asks of a box when the cursor reaches its end: the
# word there, and the attributes of its text, in one run over all of it.
text = area.queryText()
text.setCaretOffset(5)
word = text.getTextAtOffset(5, pyatspi.TEXT_BOUNDARY_WORD_START)
check(word[0] == "" and word[1] == word[2] == 5, f"the word at the end of the box: {word}")
run = text.getAttributeRun(2, False)
check((run[1], run[2]) == (0, 5), f"the box's text is one attribute run: {run}")

menu_items = [n for n in nodes if n.getRoleName() == "menu item"]
for item, title in (("Ayuda de Quelvaris", "Ayuda"),
                    ("Acerca de...", f"Acerca de... QUELVARIS, Versión {release_version()}")):
    press(one([n for n in menu_items if n.name == item], "menu item " + item))
    wait_for(lambda: window(app, "dialog", title), f"the window {title} as a dialog, read whole on opening")
    print(f"The window \"{title}\" opens as a dialog.")

print("screen reader: " + ("all checks pass" if not failures else f"{len(failures)} failed"))
sys.exit(1 if failures else 0)
