#!/usr/bin/python3
"""Runs a command on a private desktop of its own (desktop.py): the program
without a desktop (over SSH, in a container), the screen-reader tests, the
Windows tests under Wine, the proofs of the packages, the README's picture.

    virtual_desktop.py [--screen WIDTHxHEIGHT] [--window-manager[=NAME]]
                       [--accessibility] COMMAND [ARGUMENT...]

- The screen: Xvfb, 1280x1024 unless told.
- --window-manager: Openbox, or the manager NAME (fluxbox, ...), up before
  the command starts, in a home folder of its own so that it neither reads
  nor writes the user's settings. A desktop's window manager gives windows
  the keyboard; Wine waits long without one.
- --accessibility: a screen-reader user's session: a user of its own (home,
  settings, caches, runtime files) with a session bus and the accessibility
  bus on it.

Exits with the command's status; 77 where a tool is missing (CTest's skip),
1 where the desktop did not come up.
"""

import os
import sys

from desktop import Desktop, main_of


def run():
    # Read by hand: a bare --window-manager takes no value, and the command's
    # own options are its own.
    arguments, screen, manager, accessibility = sys.argv[1:], "1280x1024", None, False
    while arguments and arguments[0].startswith("--"):
        option = arguments.pop(0)
        if option == "--":
            break
        if option == "--screen" and arguments:
            screen = arguments.pop(0)
        elif option in ("--window-manager", "--window-manager=openbox"):
            manager = "openbox"
        elif option.startswith("--window-manager="):
            manager = option.split("=", 1)[1]
        elif option == "--accessibility":
            accessibility = True
        else:
            arguments = []
            break
    if not arguments:
        print("usage:" + __doc__.split("\n\n")[1][3:], file=sys.stderr)
        return 2
    with Desktop(fresh_user=accessibility) as desktop:
        desktop.screen(screen)
        if accessibility:
            desktop.session_bus(accessibility=True)
        if manager:
            home = desktop.path("manager")
            os.mkdir(home)
            desktop.window_manager([manager], env={"HOME": home})
        command = desktop.start("command", arguments, stdout=None, stderr=None)
        return command.wait()


if __name__ == "__main__":
    sys.exit(main_of(run))
