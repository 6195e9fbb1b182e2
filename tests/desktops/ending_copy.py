#!/usr/bin/python3
"""A start that meets the running copy as it ends: the copy is asked to come
forward and leaves the session bus without an answer. The start must then
take the program's name and run as the one copy, which a later start hands
over to. Runs on a session bus of its own, the windows on Qt's offscreen
platform.
    ending_copy.py PROGRAM
"""

import os
import subprocess
import sys

from desktop import Desktop, Failure, app_id, main_of, require, wait_for

OFFSCREEN = {"QT_QPA_PLATFORM": "offscreen"}


def ending_copy():
    """Holds the program's name, and ends, unanswering, when called."""
    from gi.repository import Gio, GLib

    node = Gio.DBusNodeInfo.new_for_xml(
        "<node><interface name='org.freedesktop.Application'><method name='Activate'>"
        "<arg type='a{sv}' direction='in'/></method></interface></node>")

    def on_bus(connection, _name):
        connection.register_object("/" + app_id().replace(".", "/"), node.interfaces[0],
                                   lambda *_call: os._exit(0), None, None)

    Gio.bus_own_name(Gio.BusType.SESSION, app_id(), Gio.BusNameOwnerFlags.DO_NOT_QUEUE,
                     on_bus, None, lambda *_: os._exit(1))
    GLib.MainLoop().run()


def owner(desktop):
    """The process that holds the program's name on the bus, or None."""
    answer = desktop.run("gdbus", "call", "--session", "--dest", "org.freedesktop.DBus",
                         "--object-path", "/org/freedesktop/DBus", "--method",
                         "org.freedesktop.DBus.GetConnectionUnixProcessID", app_id(), check=False)
    return int(answer.strip("()\n,").split()[1]) if answer else None


def test():
    require("dbus-daemon", "gdbus")
    with Desktop(fresh_user=True) as desktop:
        desktop.session_bus()
        ending = desktop.start("ending", [sys.executable, os.path.abspath(__file__), "--ending-copy"])
        wait_for("the ending copy holding the name", lambda: owner(desktop) == ending.pid, 10)
        start = desktop.start("start", [PROGRAM], env=OFFSCREEN)
        wait_for("the ending copy gone", lambda: ending.poll() is not None, 10)
        wait_for("the start holding the name", lambda: owner(desktop) == start.pid, 10)
        if start.poll() is not None:
            raise Failure(f"the start ended too (status {start.returncode}):\n{desktop.log('start')}")
        later = desktop.start("later", [PROGRAM], env=OFFSCREEN)
        try:
            status = later.wait(10)
        except subprocess.TimeoutExpired:
            raise Failure("a later start ran beside the start that took the name") from None
        if status != 0 or start.poll() is not None:
            raise Failure(f"a later start ended with {status}, the copy with {start.poll()}")
        print("A start that met the running copy as it ended took its name; a later start handed over.")
    return 0


if __name__ == "__main__":
    if sys.argv[1:] == ["--ending-copy"]:
        ending_copy()
    PROGRAM = sys.argv[1]
    sys.exit(main_of(test))
