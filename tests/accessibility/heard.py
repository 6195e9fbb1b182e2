"""What every screen reader is given of Quelvaris' windows, whatever reads
them: Orca through AT-SPI on Linux, NVDA and Narrator through UI Automation
on Windows. One table for the tests of all three.

Each window is listed control by control, in the order of its tree, after
the worked job (WORKED_JOB: 25 m2 x 0.12 m of f'c = 150, "Calcular"), as
(object name, kind, name). A name of None is the control's own text in its
form, read from the form itself. The captions a control says already are not
listed: no reader is given them.
"""

import difflib
import os
import xml.etree.ElementTree as ElementTree

FORMS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "ui", "forms")

# The boxes' texts, the class's row, and the results it gives, as spoken.
WORKED_JOB = {"area": "25", "height": "0.12", "class": "Option2"}

CLASS_NAMES = {
    "Option1": "f'c = 100 kg/cm2 Para plantillas de cimentación, muertos de concreto o mojoneras.",
    "Option2": "f'c = 150 kg/cm2 Para pisos y firmes, castillos de seccion pequeña y cerramientos",
    "Option3": "f'c = 200 kg/cm2 Para losas, trabes y columnas en claros cortos.",
    "Option4": "f'c = 250 kg/cm2 Para losas, trabes y columnas de claro medianos.",
}
RESULT_NAMES = {
    "Label33": "Volumen: 3.00 metros cúbicos",
    "Label8": "Cemento: 21 sacos",
    "Label9": "Arena: 80 botes",
    "Label10": "Grava: 112 botes",
    "Label11": "Agua: 38 botes",
    "Label16": "Cemento: 1.1 toneladas",
    "Label17": "Arena: 1.4 metros cúbicos",
    "Label18": "Grava: 2.0 metros cúbicos",
    "Label19": "Agua: 690 litros",
}
AREA_BOX = "Área del elemento, en metros cuadrados"
HEIGHT_BOX = "Altura o peralte del elemento, en metros"

MAIN_WINDOW = (
    [("centralwidget", "pane", "Calculadora"),
     ("Label1", "text", None),
     ("Frame1", "frame", "Quelvaris"),
     ("Frame4", "frame", "SELECCIONAR TIPO DE CONCRETO")]
    + [(button, "class", name) for button, name in CLASS_NAMES.items()]
    + [("Frame5", "frame", "INTRODUCIR DATOS"),
       ("Text1", "box", AREA_BOX),
       ("Text2", "box", HEIGHT_BOX),
       ("Label33", "result", RESULT_NAMES["Label33"]),
       ("Frame3", "frame", "RESULTADO")]
    + [(field, "result", name) for field, name in RESULT_NAMES.items() if field != "Label33"]
    + [("Image1", "picture", "Dibujo de una revolvedora de concreto portátil, amarilla"),
       ("Command1", "button", "Calcular"),
       ("Command2", "button", "Borrar"),
       ("Command3", "button", "Salir"),
       ("Frame2", "frame", "NOTAS IMPORTANTES")]
    + [(note, "text", None) for note in ("Label28", "Label32", "Label29", "Label30", "Label31")]
    + [("menubar", "menu bar", "Menú"),
       ("mnufile", "menu", "Archivo"),
       ("mnuhelp", "menu", "Ayuda")]
)
HELP_WINDOW = (
    [(label, "text", None)
     for label in ("Label2", "Label1", "Label3", "Label4", "Label6", "Label5", "Label8", "Label7", "Label9")]
    + [("Command1", "button", "Regresar")])
ABOUT_WINDOW = (
    [(label, "text", None) for label in ("Label1", "Label5", "Label2", "Label3", "Label4", "Label6")]
    + [("Command1", "button", "Aceptar")])


def form_text(form, name):
    """A control's text (or a menu's title) as its form gives it."""
    root = ElementTree.parse(os.path.join(FORMS, form + ".ui")).getroot()
    widget = root.find(f".//widget[@name='{name}']")
    for prop in ("text", "title"):
        found = widget.find(f"property[@name='{prop}']/string")
        if found is not None:
            return found.text or ""
    raise KeyError(f"{form}.ui gives {name} no text")


def named(table, form):
    """The table with every name filled in: (object name, kind, name)."""
    return [(name, kind, spoken if spoken is not None else form_text(form, name))
            for name, kind, spoken in table]


def differences(given, table, roles):
    """What a reader is given, as (role, name, where) in the order it reads,
    held to a named table, with `roles` the reader's roles for each kind:
    one line for each element given that the table does not hold, and for
    each the table holds that is not given."""
    same = {role: min(kind_roles) for kind_roles in roles.values() for role in kind_roles}
    keys = [(same.get(role, role), name) for role, name, _ in given]
    wanted = [(min(roles[kind]), name) for _, kind, name in table]
    lines = []
    matcher = difflib.SequenceMatcher(None, keys, wanted, autojunk=False)
    for change, i1, i2, j1, j2 in matcher.get_opcodes():
        lines += [f"given, not in the table: {role} \"{name}\" ({where})"
                  for role, name, where in given[i1:i2] if change != "equal"]
        lines += [f"in the table, not given: {control}, {kind} \"{name}\""
                  for control, kind, name in table[j1:j2] if change != "equal"]
    return lines
