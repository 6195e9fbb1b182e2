#!/usr/bin/python3
"""A private desktop for the tests, written once for all of them: a virtual
screen, a session bus (with the accessibility bus), an X11 window manager or
GNOME Shell on Wayland, and the programs on it; every wait with a deadline and
a clear message; whatever was started ended at the end, gently first, also
when the test is killed (SIGTERM, SIGINT, SIGHUP).

    with Desktop(fresh_user=True) as desktop:
        desktop.screen("1920x1080")
        desktop.session_bus()
        desktop.window_manager(["openbox"])
        program = desktop.start("program", [PROGRAM])
        main = desktop.window("^Quelvaris $", pid=program.pid)
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77  # CTest's SKIP_RETURN_CODE: a tool is missing


class Skip(Exception):
    """A tool the desktop needs is not installed."""


class Failure(Exception):
    """Something did not come to be within its time; says what."""


TOP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def release_version():
    """The release's version, from its one home: debian/changelog's newest entry."""
    with open(os.path.join(TOP, "debian", "changelog"), encoding="utf-8") as entries:
        return re.match(r"\S+ \(([^)]+)\)", entries.readline()).group(1)


def app_id():
    """The application id, from its one home: the top CMakeLists.txt."""
    with open(os.path.join(TOP, "CMakeLists.txt"), encoding="utf-8") as lists:
        return re.search(r"^set\(QUELVARIS_APP_ID (\S+)\)$", lists.read(), re.M).group(1)


def require(*tools):
    for tool in tools:
        if shutil.which(tool) is None:
            raise Skip(f"{tool} is missing")


def wait_for(what, probe, seconds):
    """Calls `probe` every 0.1 s until it gives something true, for at most
    `seconds`; gives that, or fails saying what did not come to be."""
    deadline = time.monotonic() + seconds
    while True:
        found = probe()
        if found:
            return found
        if time.monotonic() >= deadline:
            raise Failure(f"{what} within {seconds:g} s")
        time.sleep(0.1)


def end_gently(processes, grace=5.0):
    """Asks each process (or its process group) to end, and kills what is
    still there after `grace` seconds."""
    for process, group in processes:
        if process.poll() is None:
            _signal(process, group, signal.SIGTERM)
    deadline = time.monotonic() + grace
    for process, group in processes:
        try:
            process.wait(timeout=max(0.0, deadline - time.monotonic()))
        except subprocess.TimeoutExpired:
            _signal(process, group, signal.SIGKILL)
            process.wait()
        if group:  # what the group's leader left behind
            _signal(process, group, signal.SIGKILL)
            # An X server left in the group holds its display's sockets until
            # it is gone, and the next desktop may be handed that display.
            try:
                wait_for("", lambda: not _group_running(process.pid), grace)
            except Failure:
                print(f"desktop: process group {process.pid} outlived SIGKILL", file=sys.stderr)


def _group_running(group):
    """Whether a process of the group still runs (its zombies, awaiting a
    parent that may never come, do not count)."""
    for entry in os.listdir("/proc"):
        try:
            with open(f"/proc/{entry}/stat") as stat:
                # After the command's name, in parentheses: state, parent, group.
                state, _parent, pgrp = stat.read().rsplit(")", 1)[1].split()[:3]
        except (OSError, ValueError):
            continue
        if int(pgrp) == group and state != "Z":
            return True
    return False


def _signal(process, group, signum):
    try:
        if group:
            os.killpg(process.pid, signum)
        else:
            process.send_signal(signum)
    except ProcessLookupError:
        pass


def _ended_by_signal(signum, _frame):
    raise SystemExit(128 + signum)


class Desktop:
    """One private desktop. With `fresh_user`, a user of its own: home,
    settings, caches and runtime folder in a scratch folder, which nothing
    of the real user's reaches."""

    def __init__(self, fresh_user=False):
        self.scratch = tempfile.mkdtemp(prefix="quelvaris-desktop-")
        self.env = dict(os.environ)
        self.processes = []  # (Popen, whether its process group is its own)
        self.fresh_user = fresh_user
        for name in ("DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN"):
            self.env.pop(name, None)
        if fresh_user:
            runtime = self.path("runtime")
            os.mkdir(runtime, 0o700)
            self.env.update(HOME=self.scratch, XDG_RUNTIME_DIR=runtime,
                            XDG_CONFIG_HOME=self.path("config"), XDG_CACHE_HOME=self.path("cache"),
                            XDG_DATA_HOME=self.path("data"))
            for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"):
                self.env.pop(name, None)

    def __enter__(self):
        for signum in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
            signal.signal(signum, _ended_by_signal)
        return self

    def __exit__(self, *_):
        self.end()

    def path(self, *parts):
        return os.path.join(self.scratch, *parts)

    # -- starting --------------------------------------------------------

    def start(self, name, argv, env=None, group=False, **popen):
        """Starts `argv` on the desktop, its output in the scratch folder's
        NAME.log unless told otherwise; ended with the desktop."""
        popen.setdefault("stdin", subprocess.DEVNULL)
        if "stdout" not in popen:
            popen["stdout"] = open(self.path(f"{name}.log"), "ab")
            popen.setdefault("stderr", subprocess.STDOUT)
        process = subprocess.Popen(argv, env=dict(self.env, **(env or {})),
                                   start_new_session=group, **popen)
        self.processes.append((process, group))
        return process

    def log(self, name, lines=20):
        """The last `lines` lines of NAME.log; all of it with None."""
        try:
            with open(self.path(f"{name}.log"), encoding="utf-8", errors="replace") as log:
                return "".join(log.readlines()[-lines:] if lines else log.readlines())
        except OSError:
            return ""

    def screen(self, size="1280x1024"):
        """Xvfb on a display it picks itself (a guessed one may be taken),
        answering before anything else starts on it. It never resets: an X
        server resets whenever its last client leaves, as each probe here
        does, and refuses the clients that come meanwhile (a window manager
        then ends at once with "Can't open display")."""
        require("Xvfb", "xprop")
        read, write = os.pipe()
        server = self.start("xvfb", ["Xvfb", "-displayfd", str(write), "-screen", "0",
                                     f"{size}x24", "-nolisten", "tcp", "-noreset"],
                            pass_fds=(write,))
        os.close(write)
        with os.fdopen(read) as display:
            number = display.readline().strip()
        if not number:
            raise Failure(f"the virtual screen (Xvfb) did not start:\n{self.log('xvfb')}")
        self.env["DISPLAY"] = f":{number}"
        wait_for("the virtual screen answering", lambda: server.poll() is None and
                 self.run("xprop", "-root", check=False) is not None, 20)
        return self.env["DISPLAY"]

    def session_bus(self, accessibility=False):
        """A session bus of the desktop's own; with `accessibility`, the
        accessibility bus up on it, as a screen reader's session has."""
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self._bus("session-bus")
        if accessibility:
            require("dbus-send")
            # Asking for the accessibility bus starts it; the answer comes once it is up.
            if self.run("dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                        "/org/a11y/bus", "org.a11y.Bus.GetAddress", timeout=20, check=False) is None:
                raise Failure("the accessibility bus did not come up within 20 s")

    def _bus(self, name):
        """A message bus of the desktop's own (a session bus's rules, also
        where it stands for the system bus); gives its address."""
        require("dbus-daemon")
        read, write = os.pipe()
        self.start(name, ["dbus-daemon", "--session", "--nofork", f"--print-address={write}"],
                   pass_fds=(write,))
        os.close(write)
        with os.fdopen(read) as address:
            return address.readline().strip()

    def window_manager(self, argv, attempts=2, env=None):
        """An X11 window manager, up once it names itself on the root window
        and offers to activate windows. One that ended at its start (one may,
        on a busy machine) is started again."""
        require(argv[0])
        for attempt in range(attempts):
            manager = self.start("manager", argv, env=env)

            def managing():
                return manager.poll() is None and "_NET_ACTIVE_WINDOW" in (
                    self.run("xprop", "-root", "_NET_SUPPORTED", check=False) or "") and "window id" in (
                    self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False) or "")
            try:
                wait_for(f"the window manager ({argv[0]})", managing, 15)
                return manager
            except Failure:
                end_gently([(manager, False)])
        raise Failure(f"the window manager ({argv[0]}) did not come up, {attempts} times "
                      f"within 15 s:\n{self.log('manager')}")

    def gnome_shell(self, x11=True):
        """GNOME Shell on Wayland, nested on the screen, as Debian's default
        desktop runs, with a system bus of its own; gives Xwayland's display
        (None with Wayland alone). The session's environment is the
        desktop's from then on."""
        require("gnome-shell", *(["Xwayland"] if x11 else []))
        self.env["DBUS_SYSTEM_BUS_ADDRESS"] = self._bus("system-bus")
        # In a process group of its own, so that its Xwayland goes with it: a
        # display left behind would be taken for free by the next test.
        argv = ["gnome-shell", "--nested", "--wayland",
                "--wayland-display=quelvaris-wayland"] + ([] if x11 else ["--no-x11"])
        # Its start takes seconds alone, and up to a minute on two busy cores.
        # Now and then it falls silent partway (seen once, in CI, before its
        # Xwayland had said a word) and never ends its start: that one is
        # started again, once.
        for attempt in (1, 2):
            earlier = len(self.log("shell", lines=None))  # an earlier attempt's words
            shell = self.start("shell", argv, group=True, env={
                "MUTTER_DEBUG_DUMMY_MODE_SPECS": "1920x1080", "XDG_SESSION_TYPE": "wayland"})

            def started():
                log = self.log("shell", lines=None)[earlier:]
                if "GNOME Shell started" not in log:
                    return None
                inner = re.search(r"Using public X11 display (:\d+)", log)
                return (inner.group(1) if inner else "none") if x11 else "none"
            try:
                inner = wait_for("GNOME Shell's start", started, 75)
                break
            except Failure as failure:
                end_gently([(shell, True)])
                if attempt == 2:
                    raise Failure(f"{failure}, twice:\n{self.log('shell')}") from None
                print(f"desktop: {failure}; starting it again. It said:\n{self.log('shell')}",
                      file=sys.stderr)
        self.outer = self.env["DISPLAY"]
        self.env.update(WAYLAND_DISPLAY="quelvaris-wayland", XDG_SESSION_TYPE="wayland",
                        XDG_CURRENT_DESKTOP="GNOME")
        if not x11:
            del self.env["DISPLAY"]
            return None
        self.env["DISPLAY"] = inner
        # The session hands its programs Xwayland's key, as GNOME Shell does.
        runtime = self.env["XDG_RUNTIME_DIR"]
        keys = [os.path.join(runtime, name) for name in os.listdir(runtime)
                if name.startswith(".mutter-Xwaylandauth.")]
        if keys:
            self.env["XAUTHORITY"] = max(keys, key=os.path.getmtime)  # this start's
        return inner

    def kwin_wayland(self):
        """KWin on Wayland, on a framebuffer of its own, with Xwayland, as KDE
        Plasma runs; gives Xwayland's display, and the session's
        environment is the desktop's from then on."""
        require("kwin_wayland", "Xwayland")
        kwin = shutil.which("kwin_wayland")
        # Debian gives kwin_wayland a file capability (to raise its priority),
        # which a container may refuse at exec; a copy without it runs the same.
        try:
            subprocess.run([kwin, "--version"], capture_output=True, check=False)
        except PermissionError:
            kwin = shutil.copy(kwin, self.path("kwin_wayland"))
        display = self.path("xwayland-display")
        self.start("kwin", [kwin, "--virtual", "--xwayland", "--width", "1920", "--height", "1080",
                            "--socket", "quelvaris-wayland", "--exit-with-session",
                            f"sh -c 'echo $DISPLAY > {display}; exec sleep infinity'"], group=True)

        def xwayland():
            try:
                with open(display) as file:
                    return file.read().strip()
            except OSError:
                return None
        self.env.update(DISPLAY=wait_for("KWin with Xwayland starting", xwayland, 60),
                        WAYLAND_DISPLAY="quelvaris-wayland", XDG_SESSION_TYPE="wayland",
                        XDG_CURRENT_DESKTOP="KDE")
        return self.env["DISPLAY"]

    # -- asking ----------------------------------------------------------

    def run(self, *argv, timeout=10, check=True, display=None):
        """Runs a tool on the desktop and gives what it printed, or None
        where it failed (an error, if `check`)."""
        env = self.env if display is None else dict(self.env, DISPLAY=display)
        try:
            done = subprocess.run(argv, env=env, capture_output=True, text=True, timeout=timeout)
        except subprocess.TimeoutExpired:
            if check:
                raise Failure(f"{' '.join(argv)} did not answer within {timeout} s") from None
            return None
        if done.returncode != 0:
            if check:
                raise Failure(f"{' '.join(argv)} failed: {done.stderr.strip()}")
            return None
        return done.stdout

    def windows(self, name, pid=None, by="name"):
        """The visible windows whose name (or `by` "classname", ...) matches
        the pattern `name`, of process `pid`."""
        argv = ["xdotool", "search", "--all", "--onlyvisible"]
        argv += ["--pid", str(pid)] if pid else []
        return (self.run(*argv, f"--{by}", name, check=False) or "").split()

    def window(self, name, pid=None, seconds=10, what=None, by="name"):
        found = wait_for(what or f"a window named {name!r}",
                         lambda: self.windows(name, pid, by), seconds)
        return found[0]

    def active_window(self):
        return (self.run("xdotool", "getactivewindow", check=False) or "").strip()

    def focused_window(self):
        return (self.run("xdotool", "getwindowfocus", check=False) or "").strip()

    def takes_keyboard(self, name, pid=None, seconds=10):
        """Whether a window named `name` holds the keyboard focus within
        `seconds`: one the program gives it at start, with nobody clicking."""
        try:
            return wait_for("", lambda: self.focused_window() in self.windows(name, pid), seconds)
        except Failure:
            return False

    def place(self, window):
        """Where the window's own area stands on the screen, as "x,y"."""
        info = self.run("xwininfo", "-id", window)
        x = re.search(r"Absolute upper-left X:\s*(-?\d+)", info).group(1)
        y = re.search(r"Absolute upper-left Y:\s*(-?\d+)", info).group(1)
        return f"{x},{y}"

    def prop(self, window, name):
        return self.run("xprop", "-id", window, name, check=False) or ""

    def picture(self, window):
        """The window as it stands on the screen, as PNG."""
        return subprocess.run(["import", "-window", window, "png:-"], env=self.env,
                              capture_output=True).stdout

    def keys(self, *keys, display=None):
        for key in keys:
            self.run("xdotool", "key", key, display=display)

    def ended(self, process, seconds, what):
        """Waits for `process` to end; gives its status."""
        try:
            return process.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            raise Failure(f"{what} within {seconds:g} s") from None

    # -- ending ----------------------------------------------------------

    def end(self):
        """Ends everything the desktop started, the latest first, and the
        helpers a session bus started for its user (they can outlive it for a
        moment and still write their settings), then removes its files."""
        end_gently(list(reversed(self.processes)))
        self.processes = []
        if self.fresh_user:
            mine = f"XDG_RUNTIME_DIR={self.env['XDG_RUNTIME_DIR']}".encode()
            helpers = []
            for entry in os.listdir("/proc"):
                try:
                    with open(f"/proc/{entry}/environ", "rb") as environ:
                        if mine in environ.read().split(b"\0"):
                            helpers.append(int(entry))
                except (OSError, ValueError):
                    pass
            for pid in helpers:
                try:
                    os.kill(pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        try:
            wait_for("the desktop's files removed",
                     lambda: shutil.rmtree(self.scratch, ignore_errors=True) or
                     not os.path.exists(self.scratch), 5)
        except Failure as failure:
            print(f"desktop: {failure}", file=sys.stderr)


def main_of(test):
    """Runs `test()`: its status, or SKIP with the reason where a tool is
    missing, or 1 with the message of what did not come to be."""
    try:
        return test()
    except Skip as skip:
        print(f"SKIP: {skip}")
        return SKIP
    except Failure as failure:
        print(f"FAIL: {failure}")
        return 1


def cli(argv):
    """The same waits for the shell scripts, on the display in $DISPLAY:
    desktop.py window PATTERN [SECONDS]       prints the first visible window so named
    desktop.py keyboard WINDOW [SECONDS]      until WINDOW has the keyboard focus
    desktop.py active WINDOW [SECONDS]        until WINDOW is the active window
    desktop.py painted WINDOW FILE [SECONDS]  until its picture stops changing; writes it to FILE
    desktop.py ended PID [SECONDS]            until process PID has ended"""
    desktop = Desktop()
    try:
        what, subject, rest = argv[0], argv[1], argv[2:]
        file = rest.pop(0) if what == "painted" else None
        seconds = float(rest[0]) if rest else 10
        if what == "window":
            print(desktop.window(subject, seconds=seconds,
                                 what=f"a window named {subject!r} appearing"))
        elif what == "keyboard":
            wait_for(f"window {subject} taking the keyboard",
                     lambda: desktop.focused_window() == subject, seconds)
        elif what == "active":
            wait_for(f"window {subject} becoming the active one",
                     lambda: desktop.active_window() == subject, seconds)
        elif what == "painted":
            shots = []

            def still():
                shots.append(desktop.picture(subject))
                return len(shots) > 1 and shots[-1] and shots[-1] == shots[-2]
            wait_for(f"window {subject} painted", still, seconds)
            with open(file, "wb") as picture:
                picture.write(shots[-1])
        elif what == "ended":
            def ended():
                try:
                    with open(f"/proc/{subject}/stat") as stat:
                        return stat.read().rsplit(")", 1)[1].split()[0] == "Z"  # awaits its parent
                except OSError:
                    return True
            wait_for(f"process {subject} ending", ended, seconds)
        else:
            raise IndexError
        return 0
    except IndexError:
        print(cli.__doc__.split("\n", 1)[1], file=sys.stderr)
        return 2
    except Failure as failure:
        print(f"desktop.py: {failure}", file=sys.stderr)
        return 1
    finally:
        desktop.end()


if __name__ == "__main__":
    sys.exit(cli(sys.argv[1:]))
