#!/usr/bin/python3
"""The program under each X11 window manager its users have, each on a private
1920x1080 virtual screen with a private session bus and a user of its own,
and in KWin's Wayland session on Xwayland.

Checks that the main window takes the keyboard as it appears (and F1 then
opens the help), that the three windows stand where they are laid out, that
none has a task-bar button (_NET_WM_STATE_SKIP_TASKBAR), that the main window
asks for the help window's title bar, and that starting the program again
brings the running copy back (way_back). With --pictures DIR, leaves a picture
of each desktop there.

    window_managers.py [--pictures DIR] PROGRAM [MANAGER...]

MANAGER is openbox, xfwm4, metacity, mutter, kwin, icewm, fluxbox or
kwin-wayland; all by default. A manager that is not installed is passed over, and the test is
skipped (77) when none is, or where Xvfb or a tool is missing.
"""

import argparse
import os
import shutil
import sys

from desktop import Desktop, Failure, SKIP, main_of, require, wait_for
from way_back import way_back

MANAGERS = {
    "openbox": ["openbox"],
    "xfwm4": ["xfwm4", "--compositor=off"],
    "metacity": ["metacity", "--sm-disable"],
    "mutter": ["mutter", "--x11", "--sm-disable"],
    "kwin": ["kwin_x11"],
    "icewm": ["icewm"],
    # Without a background of its style's, Fluxbox shows no message window at
    # start that would take the keyboard.
    "fluxbox": ["fluxbox", "-rc", "{home}/.fluxbox/init"],
    # KDE Plasma's own session, where the program runs on Xwayland.
    "kwin-wayland": ["kwin_wayland"],
}
# Where each window's own area stands on the screen; the main window's
# starts with its menu bar.
PLACES = {"main": (334, 67), "help": (123, 584), "about": (771, 600)}


def check_place(desktop, name, window, failures, lower=0):
    """The window stands where it is laid out (`lower` px lower, where a
    desktop places it by a taller title bar), once the window manager has
    done with it: one may still be framing or restacking a window a moment
    after another one opened."""
    x, y = PLACES[name]
    expected = f"{x},{y + lower}"
    try:
        wait_for("", lambda: desktop.place(window) == expected, 3)
    except Failure:
        failures.append(f"the {name} window stands at {desktop.place(window)}, not at {expected}")


def keyboard_at_start(desktop, first, main, failures, key_display=None):
    """The main window takes the keyboard by itself as it appears (a window
    manager may grant it a moment after it maps), and F1 typed at once, on
    `key_display` where the desktop's own takes no keys, opens the help.
    Gives the windows found, by name."""
    try:
        wait_for("the main window taking the keyboard", lambda: desktop.focused_window() == main, 5)
    except Failure as failure:
        failures.append(str(failure))
    desktop.keys("F1", display=key_display)
    windows = {"main": main}
    try:
        windows["help"] = desktop.window("^Ayuda$", first.pid,
                                         what="a key typed at start opening the help (F1)")
    except Failure as failure:
        failures.append(str(failure))
    return windows


def check_desktop(desktop, manager, program, pictures):
    """The checks on one desktop; gives the failures."""
    failures = []
    first = desktop.start("program", [program])
    main = desktop.window("^Quelvaris $", first.pid, what="the main window appearing")
    windows = keyboard_at_start(desktop, first, main, failures)
    desktop.run("xdotool", "windowactivate", "--sync", main, timeout=5, check=False)
    desktop.keys("F10", "Right", "Down", "Return")  # Ayuda > Acerca de...
    try:
        windows["about"] = desktop.window("^Acerca de...$", first.pid,
                                          what="the about window opening from the menu")
    except Failure as failure:
        failures.append(str(failure))

    for name, window in windows.items():
        check_place(desktop, name, window, failures)
        if "_NET_WM_STATE_SKIP_TASKBAR" not in desktop.prop(window, "_NET_WM_STATE"):
            failures.append(f"the {name} window has a task-bar button (no _NET_WM_STATE_SKIP_TASKBAR)")
    for hint in ("_MOTIF_WM_HINTS", "_NET_WM_WINDOW_TYPE"):
        if "help" in windows and desktop.prop(main, hint) != desktop.prop(windows["help"], hint):
            failures.append(f"the main window asks for another title bar than the help ({hint})")
    if pictures:
        desktop.run("import", "-window", "root", os.path.join(pictures, f"{manager}.png"), check=False)
    try:
        way_back(desktop, program, first, main)
    except Failure as failure:
        failures.append(str(failure))
    return failures


def test():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pictures")
    parser.add_argument("program")
    parser.add_argument("managers", nargs="*", default=list(MANAGERS))
    arguments = parser.parse_args()
    require("Xvfb", "xdotool", "xprop", "xwininfo", "xclip", "gdbus", "dbus-daemon")
    program = os.path.realpath(arguments.program)
    pictures = arguments.pictures and os.path.realpath(arguments.pictures)
    status, ran = 0, 0
    for manager in arguments.managers:
        if manager not in MANAGERS:
            print(f"unknown window manager: {manager}")
            return 2
        if shutil.which(MANAGERS[manager][0]) is None:
            print(f"skip [{manager}]: not installed")
            continue
        ran += 1
        with Desktop(fresh_user=True) as desktop:
            home = desktop.env["HOME"]
            os.makedirs(f"{home}/.fluxbox")
            with open(f"{home}/.fluxbox/overlay", "w") as overlay:
                overlay.write("background: none\n")
            with open(f"{home}/.fluxbox/init", "w") as init:
                init.write(f"session.styleOverlay: {home}/.fluxbox/overlay\n")
            try:
                desktop.session_bus()
                if manager == "kwin-wayland":
                    desktop.kwin_wayland()
                else:
                    desktop.screen("1920x1080")
                    desktop.window_manager([part.format(home=home) for part in MANAGERS[manager]])
                failures = check_desktop(desktop, manager, program, pictures)
            except Failure as failure:
                failures = [str(failure)]
            for failure in failures:
                print(f"FAIL [{manager}]: {failure}")
            if failures:
                status = 1
                print("".join(f"  [{manager}] {line}\n" for line in desktop.log("manager", 5).splitlines()))
            else:
                print(f"ok [{manager}]: keyboard at start, windows in place, "
                      "no task-bar buttons, a way back")
    if ran == 0:
        print("SKIP: none of the window managers is installed")
        return SKIP
    return status


if __name__ == "__main__":
    sys.exit(main_of(test))
