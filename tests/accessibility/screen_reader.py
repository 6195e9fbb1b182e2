"""What a screen reader finds in Quelvaris, read through AT-SPI.

Types an area and a height through the text interface, selects a class and
presses "Calcular" through their actions, reads the nine results back by
their descriptions, and opens the help window through the menu. Prints the
main window's controls as the screen reader sees them.
"""

import sys
import time

import pyatspi

AREA, HEIGHT, CLASS = "25", "0.12", "f'c = 150 kg/cm2 Para pisos y firmes, castillos de seccion pequeña y cerramientos"
# 3 m3 of class 2: the texts the window shows.
EXPECTED = {
    "volumen (m3)": "3.00",
    "Cemento, sacos": "21",
    "Cemento, toneladas": "1.1",
    "Arena, botes": "80",
    "Arena, m3": "1.4",
    "Grava, botes": "112",
    "Grava, m3": "2.0",
    "Agua, botes": "38",
    "Agua, litros": "690",
}
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
    print("FAIL: never appeared:", what)
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


app = wait_for(application, "the program on the accessibility bus")
main = wait_for(lambda: window(app, "frame", "Quelvaris "), "the main window as a frame")
nodes = descendants(main)

print("The main window, as a screen reader reads it (role | name | description):")
for node in nodes:
    if node.getRoleName() not in ("filler", "panel") or node.name:
        print(f"  {node.getRoleName()} | {node.name} | {node.description}")

def result(description):
    fields = [n for n in descendants(main) if n.description == description]
    return fields[0].name if len(fields) == 1 else None


check(all(result(d) == "" for d in EXPECTED), "the nine result fields, empty at start, named by their text")

texts = [n for n in nodes if n.getRoleName() == "text"]
area = one([n for n in texts if n.name == "Área del elemento, en metros cuadrados"], "area box")
height = one([n for n in texts if n.name == "Altura o peralte del elemento, en metros"], "height box")
area.queryEditableText().setTextContents(AREA)
height.queryEditableText().setTextContents(HEIGHT)

buttons = [n for n in nodes if n.getRoleName() == "radio button"]
check(all(b.name.startswith("f'c = ") for b in buttons) and len(buttons) == 4,
      "four class buttons named by their captions: " + repr([b.name for b in buttons]))
press(one([b for b in buttons if b.name == CLASS], "class button of f'c = 150"))
press(one([n for n in nodes if n.getRoleName() == "push button" and n.name == "Calcular"], "Calcular"))

frames = sorted(n.name for n in nodes if n.getRoleName() == "panel" and n.name)
check(frames == sorted(["Quelvaris", "SELECCIONAR TIPO DE CONCRETO", "INTRODUCIR DATOS",
                        "RESULTADO", "NOTAS IMPORTANTES"]), "frames by their captions: " + repr(frames))
picture = [n for n in nodes if n.getRoleName() in ("image", "icon")]
check(len(picture) == 1 and "revolvedora" in picture[0].name, "the picture described")

wait_for(lambda: result("volumen (m3)") == EXPECTED["volumen (m3)"], "the volume", 5)
shown = {description: result(description) for description in EXPECTED}
check(shown == EXPECTED, f"the results read by description: {shown}")
check(area.queryText().getText(0, -1) == "25.00", "the area box rewritten as 25.00")

menu_items = [n for n in nodes if n.getRoleName() == "menu item"]
press(one([n for n in menu_items if n.name == "Ayuda de Quelvaris"], "menu item Ayuda de Quelvaris"))
wait_for(lambda: window(app, "frame", "Ayuda") or window(app, "dialog", "Ayuda"),
         "the help window as a window titled Ayuda")
print("The help window is announced as a window titled \"Ayuda\".")

print("screen reader: " + ("all checks pass" if not failures else f"{len(failures)} failed"))
sys.exit(1 if failures else 0)
