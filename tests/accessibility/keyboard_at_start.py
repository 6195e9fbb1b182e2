"""What a keyboard-only or blind user meets at start: the main window with
the keyboard, taken by the program itself, with nobody clicking it."""

import subprocess
import time


def main_window_has_keyboard(seconds=10):
    """Waits, at most `seconds`, until the main window "Quelvaris " holds the
    keyboard focus; says whether it came to."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        windows = subprocess.run(["xdotool", "search", "--name", "^Quelvaris $"],
                                 capture_output=True, text=True).stdout.split()
        focused = subprocess.run(["xdotool", "getwindowfocus"],
                                 capture_output=True, text=True).stdout.strip()
        if focused and focused in windows:
            return True
        time.sleep(0.1)
    return False
