"""The way back to a running copy, as a keyboard user takes it: types into
the area's box, goes to another program and types there, and starts
Quelvaris again. The
second start must end at once, handing over, and the first copy's main window
be the active one, with the text typed."""

import os
import sys

from desktop import Failure, app_id, wait_for

HERE = os.path.dirname(os.path.abspath(__file__))

TYPED = "25"
AREA_BOX = (60, 265)  # in the main window's own area


def user_time(desktop, window):
    """The time of the user's last key or click in `window`, as the program
    stamped it: on the window, or on the one it names for it (GTK writes
    either, as the window manager supports)."""
    named = desktop.prop(window, "_NET_WM_USER_TIME_WINDOW").split("# ")
    windows = [window] + ([named[1].strip()] if len(named) == 2 else [])
    stamps = [desktop.prop(w, "_NET_WM_USER_TIME") for w in windows]
    return max(int(stamp.split("=")[1]) if "=" in stamp else 0 for stamp in stamps)


def start_from_launcher(desktop):
    """Starts Quelvaris as a desktop's launcher starts a D-Bus activatable
    entry: it asks the session bus for the program by its id, with its
    startup id; gives the call's status."""
    answer = desktop.run("gdbus", "call", "--session", "--dest", app_id(),
                         "--object-path", "/" + app_id().replace(".", "/"), "--method",
                         "org.freedesktop.Application.Activate",
                         "{'desktop-startup-id': <'quelvaris-test_TIME0'>}", timeout=10, check=False)
    return 0 if answer is not None else 1


def leave_and_start_again(desktop, program, expected, what, launcher=False):
    """Goes to the other program, types there, and starts Quelvaris again,
    from a shell or `launcher`; `expected`, the window `what`, must then be
    the active one."""
    other = desktop.start("other", [sys.executable, os.path.join(HERE, "other_program.py")],
                          env={"GDK_BACKEND": "x11"})
    window = desktop.window("^Otro programa$", other.pid, what="the other program appearing")
    # Most managers give a new window the keyboard; the others are asked, once:
    # a request still on its way would be stamped later than the second start.
    try:
        wait_for("", lambda: desktop.active_window() == window, 3)
    except Failure:
        desktop.run("xdotool", "windowactivate", window, check=False)
        wait_for("the other program taking the keyboard", lambda: desktop.active_window() == window, 5)
    before = user_time(desktop, window)
    desktop.run("xdotool", "type", "--delay", "30", "hola")
    wait_for("the other program noting the user's keys",
             lambda: user_time(desktop, window) > before, 5)

    # The command line answers at once beside a running copy, handing nothing over.
    if "Quelvaris" not in (desktop.run(program, "--version", timeout=5, check=False) or ""):
        raise Failure("--version did not answer beside the running copy")
    if launcher:
        status = start_from_launcher(desktop)
    else:
        second = desktop.start("second-start", [program])
        status = desktop.ended(second, 10, "a second start ending, handed over to the running copy")
    if status != 0:
        raise Failure(f"a second start ended with status {status}")
    # Active, and holding the keyboard: a manager may name the window active
    # a moment before the X server moves the keyboard to it.
    try:
        wait_for("", lambda: desktop.active_window() == expected == desktop.focused_window(), 5)
    except Failure:
        active, focused = desktop.active_window(), desktop.focused_window()
        name = (desktop.run("xdotool", "getwindowname", active, check=False) or "").strip()
        raise Failure(f"a second start left {active} ({name!r}) active and {focused} with the "
                      f"keyboard, not {what}") from None
    finally:
        other.terminate()
        other.wait()


def way_back(desktop, program, first, main):
    """`first` runs the program, `main` is its main window; raises Failure
    saying what went wrong. Then the same from the help window, which comes
    forward as the window used last, started this time as a launcher starts
    it, through the session bus."""
    desktop.run("xdotool", "windowactivate", "--sync", main, timeout=5, check=False)
    # A window manager may hold a click on a window (Mutter does, under a
    # grab of its own) and hand it on only after it has handled it, while
    # keys typed meanwhile go straight to the program, before the click has
    # put the keyboard into the box. The program notes the click's time on
    # its window as it takes it: the keys go once it has.
    before = user_time(desktop, main)
    desktop.run("xdotool", "mousemove", "--window", main, *map(str, AREA_BOX), "click", "1")
    wait_for("the click into the area's box reaching the program",
             lambda: user_time(desktop, main) > before, 5)
    desktop.run("xdotool", "type", "--delay", "30", TYPED)
    leave_and_start_again(desktop, program, main, "the main window")
    if first.poll() is not None:
        raise Failure("the first copy ended")
    # The window holds the keyboard (above): keys sent now must reach the
    # box, once. The clipboard has an owner once the program took Ctrl+C;
    # lost keys leave it with none.
    desktop.keys("ctrl+a", "ctrl+c")
    def clipboard():
        return desktop.run("xclip", "-o", "-selection", "clipboard", check=False)
    try:
        wait_for("", lambda: clipboard() is not None, 3)
    except Failure:
        pass
    typed = clipboard()
    if typed != TYPED:
        raise Failure(f"the area's box holds {typed!r} after the second start, not {TYPED!r}")
    desktop.keys("F1")
    help_window = desktop.window("^Ayuda$", first.pid, what="the help window opening (F1)")
    wait_for("the help window taking the keyboard", lambda: desktop.active_window() == help_window, 5)
    leave_and_start_again(desktop, program, help_window, "the help window, used last", launcher=True)
