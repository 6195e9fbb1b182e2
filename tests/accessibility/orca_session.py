"""Quelvaris used by keyboard alone with Orca, and what Orca says.

Runs on a screen-reader user's desktop of its own, with a window manager
(tests/desktops/virtual_desktop.py --accessibility --window-manager). Starts
Orca speaking Spanish through speech-dispatcher into a file, with nothing played, then the
program, and types as a blind user would: a class, the two boxes, Calcular,
the nine results, the help and about windows, and Salir. After each key it
waits until Orca has said everything (its debug log goes quiet) and checks
what was said. Prints the whole conversation.
    orca_session.py PROGRAM
"""

import ctypes
import os
import pty
import re
import shutil
import signal
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "desktops"))
from desktop import Desktop, release_version  # noqa: E402

import heard  # noqa: E402

PROGRAM = sys.argv[1]
HOME = os.environ["HOME"]
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'\s*\{")

# Each step: the keys pressed (xdotool names, or "type:TEXT"), and what Orca
# must say in answer, every piece somewhere in its words (a piece in a tuple
# said one way or another); or, last, that the program has ended.
PROGRAM_ENDS = "the program ends"
RESULT = heard.RESULT_NAMES


class Word(str):
    """A piece Orca must say on its own, not within a longer text: the word
    the caret moved over."""


STEPS = [
    ("start", ["Calcular"]),  # the program opens with the focus on Calcular
    # Without a class, only the volume is computed, and the user is told so.
    ("Return", ["Volumen: 0.00 metros cúbicos", "Solo se calculó el volumen"]),
    ("Tab", ["Calcular"]),
    ("Tab Tab Tab", ["f'c = 250 kg/cm2"]),
    ("Up Up", ["f'c = 150 kg/cm2"]),
    ("space", ["seleccionado"]),
    ("Tab", [heard.HEIGHT_BOX]),
    # Each key echoed; the full stop by its name with Orca 43 (Debian 12), as
    # a bare "." with Orca 48 and speech-dispatcher 0.12 (Debian 13).
    ("type:0.12", ["0", ("punto", "."), "1", "2"]),
    ("Tab", [heard.AREA_BOX]),
    ("type:25", ["2", "5"]),
    # The last results stay keyboard stops after the boxes.
    ("Tab", ["Volumen: 0.00 metros cúbicos"]),
    ("Tab", ["Calcular"]),
    ("Return", [RESULT["Label33"]]),
    ("Tab", [RESULT["Label8"]]),
    ("Tab", [RESULT["Label16"]]),
    ("Tab", [RESULT["Label9"]]),
    ("Tab", [RESULT["Label17"]]),
    ("Tab", [RESULT["Label10"]]),
    ("Tab", [RESULT["Label18"]]),
    ("Tab", [RESULT["Label11"]]),
    ("Tab", [RESULT["Label19"]]),
    ("Tab", ["Calcular"]),
    # Back into the boxes: their values heard whole, and every way of moving
    # through them answered (Ctrl+Right to the end once hung the program).
    ("shift+Tab shift+Tab", [RESULT["Label11"]]),
    ("Tab Tab Tab Tab Tab", ["f'c = 150 kg/cm2", "seleccionado"]),
    ("Tab", [heard.HEIGHT_BOX, "0.12"]),
    ("Tab", [heard.AREA_BOX, "25.00"]),
    ("End", ["Texto no seleccionado"]),
    # Ctrl and an arrow move by words, "25", "." and "00", and Orca reads the
    # word the caret moved over. A move read as one by characters ("0", or
    # "en blanco" at the end) or by lines ("25.00") fails.
    ("ctrl+Left", [Word("00")]),
    ("ctrl+Right", [Word("00")]),
    ("Home", ["2"]),
    ("ctrl+Right", [Word("25")]),
    ("ctrl+Right", [Word(".")]),
    ("shift+End", ["00", "seleccionado"]),
    ("shift+ctrl+Left", ["no seleccionado"]),
    ("shift+Home", ["25.", "seleccionado"]),
    ("F1", ["Ayuda", "diálogo", "COMO UTILIZAR EL PROGRAMA", "7.- Si se desea calcular", "Regresar"]),
    ("Escape", [heard.AREA_BOX]),
    ("F10", ["Archivo"]),
    # Qt closes one menu before it opens the next: Orca reads the window between.
    ("Right", [heard.AREA_BOX]),
    ("Down", ["Acerca de..."]),
    ("Return", ["Acerca de...", "diálogo", "QUELVARIS", f"Versión {release_version()}", "Aceptar"]),
    ("Escape", [heard.AREA_BOX]),
    ("F10", ["Archivo"]),
    ("Down", ["Salir"]),
    ("Return", PROGRAM_ENDS),
]


# An Orca left behind would keep every later run from starting one. So the
# session ends itself, Orca with it, before CTest's time limit (240 s) would
# kill it; and Orca and the program, should the session be killed all the same,
# are ended by the system with it.
TIME_LIMIT = 200
PRCTL = ctypes.CDLL(None, use_errno=True).prctl  # looked up before any fork
PR_SET_PDEATHSIG = 1


def end_with_parent():
    """In a child, before it runs: have it ended when this session ends."""
    PRCTL(PR_SET_PDEATHSIG, int(signal.SIGKILL))  # Orca takes its time over SIGTERM


class OutOfTime(Exception):
    pass


def out_of_time(signum, frame):
    raise OutOfTime()


class Log:
    """Orca's debug log, read line by line as Orca writes it."""

    def __init__(self, command, env):
        # A terminal makes Orca's writes line by line; to a file they would
        # come in blocks, long after they were said.
        main, child = pty.openpty()
        self.process = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL,
                                        stdout=child, stderr=child, close_fds=True,
                                        preexec_fn=end_with_parent)
        os.close(child)
        self.lines = []
        self.changed = time.monotonic()
        self.lock = threading.Lock()
        threading.Thread(target=self.read, args=(main,), daemon=True).start()

    def read(self, fd):
        pending = b""
        while True:
            try:
                chunk = os.read(fd, 65536)
            except OSError:
                return
            if not chunk:
                return
            pending += chunk
            *complete, pending = pending.split(b"\n")
            with self.lock:
                self.lines.extend(line.decode("utf-8", "replace") for line in complete)
                self.changed = time.monotonic()

    def mark(self):
        with self.lock:
            return len(self.lines)

    def quiet(self, quiet_for=1.5, limit=30):
        """Waits until nothing was written for `quiet_for` seconds."""
        deadline = time.monotonic() + limit
        while time.monotonic() < deadline:
            with self.lock:
                if time.monotonic() - self.changed >= quiet_for:
                    return True
            time.sleep(0.1)
        return False

    def said_since(self, mark):
        with self.lock:
            return [m.group(1) for m in map(SPOKEN.search, self.lines[mark:]) if m]

    def wait_for(self, pattern, limit=30):
        deadline = time.monotonic() + limit
        while time.monotonic() < deadline:
            with self.lock:
                if any(pattern in line for line in self.lines):
                    return True
            time.sleep(0.1)
        return False


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as file:
        file.write(text)


def speak_into_a_file():
    """speech-dispatcher with one voice, which appends what it would say to a
    file, and libao with its null driver, so that nothing is played."""
    config = os.path.join(os.environ["XDG_CONFIG_HOME"], "speech-dispatcher")
    write(os.path.join(config, "speechd.conf"),
          'AddModule "file" "sd_generic" "file.conf"\n'
          "DefaultModule file\n"
          'LanguageDefaultModule "es" "file"\n'
          'AudioOutputMethod "libao"\n')
    write(os.path.join(config, "modules", "file.conf"),
          f"GenericExecuteSynth \"printf '%s\\\\n' \\'$DATA\\' >> {HOME}/spoken.txt\"\n"
          'AddVoice "es" "MALE1" "es"\n'
          'GenericLanguage "es" "es" "utf-8"\n')
    write(os.path.join(HOME, ".libao"), "default_driver=null\n")


def another_orca(patience=20):
    """Whether another Orca of this user runs, after waiting `patience` seconds
    for one that is ending. Orca refuses to start beside any process of its
    name, even one that has ended and awaits its parent, so neither counts
    as gone until it is. CTest runs no two Orca tests at once (RESOURCE_LOCK);
    this is for an Orca started outside the tests, or one just ending."""
    deadline = time.monotonic() + patience
    while time.monotonic() < deadline:
        if subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                          capture_output=True).returncode != 0:
            return False
        time.sleep(0.5)
    return True


def heard_piece(piece, said):
    """Whether an expected piece was said: a text somewhere in what was said,
    a Word on its own, or any of a tuple of those (where Orca's releases say
    it differently)."""
    if isinstance(piece, tuple):
        return any(heard_piece(one, said) for one in piece)
    if isinstance(piece, Word):
        return piece in (part.strip() for part in said)
    return piece in " ".join(said)


def press(keys, answered):
    """Presses the keys one after another. A key with modifiers ("ctrl+Left")
    is pressed as a hand does, the modifiers held until `answered()` says Orca
    has spoken: Orca tells a move by words from one by characters by the
    modifiers of the last key event it has seen, and xdotool's own release
    comes within a millisecond, often before Orca looks at the caret."""
    if keys.startswith("type:"):
        subprocess.run(["xdotool", "type", "--delay", "150", keys[5:]], check=True)
        return
    for key in keys.split():
        *held, last = key.split("+")
        if held:
            subprocess.run(["xdotool", "keydown", *held, "key", last], check=True)
            answered()
            subprocess.run(["xdotool", "keyup", *reversed(held)], check=True)
        else:
            subprocess.run(["xdotool", "key", key], check=True)
            time.sleep(0.4)


def lacking():
    """What this machine lacks for the session, if anything (CTest's skip)."""
    for tool in ("/usr/bin/orca", "/usr/bin/speech-dispatcher", "xdotool", "xset"):
        if shutil.which(tool) is None:
            return f"{tool} is missing (Debian's orca, speech-dispatcher, xdotool, x11-xserver-utils)"
    locales = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.lower()
    if not re.search(r"^es_mx\.utf-?8$", locales, re.M):
        return "the locale es_MX.UTF-8 is missing (localedef -i es_MX -f UTF-8 es_MX.UTF-8)"
    return None


def main():
    if lacking():
        print("SKIP:", lacking())
        return 77
    if another_orca():
        print("FAIL: another Orca is running on this machine; Orca runs once a user")
        return 1
    speak_into_a_file()
    subprocess.run(["xset", "r", "off"], check=True)  # no repeated keys on a slow machine
    env = dict(os.environ, LANG="es_MX.UTF-8", LANGUAGE="es")
    env.pop("LC_ALL", None)
    orca = Log(["/usr/bin/python3", "/usr/bin/orca", "--disable", "braille",
                "-u", os.path.join(HOME, "orca"), "--debug-file=/dev/stdout"], env)
    program = None
    failures = []
    # Each step counts once, as passed or failed, when it was checked; a
    # time-out fails the step it stopped, and the steps after it are not run.
    checked, failed = set(), set()

    def fail(step, message):
        failures.append(message)
        failed.add(step)
    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(TIME_LIMIT)
    try:
        if not orca.wait_for("SPEECH OUTPUT:"):
            print("FAIL: Orca did not start:\n" + "\n".join(orca.lines[-30:]))
            return 1
        orca.quiet()
        print("key | what Orca said")
        for step, (keys, expected) in enumerate(STEPS):
            checked.add(step)
            mark = orca.mark()
            if keys == "start":
                program = subprocess.Popen([PROGRAM], preexec_fn=end_with_parent,
                                           stderr=open(os.path.join(HOME, "program.log"), "w"))
                here = Desktop()  # the desktop this session runs on
                if not here.takes_keyboard("^Quelvaris $"):
                    fail(step, "start: the main window did not take the keyboard")
                here.end()
            else:
                press(keys, orca.quiet)
            if expected == PROGRAM_ENDS:
                try:
                    program.wait(timeout=10)
                    print(f"{keys} | (the program ended)")
                except subprocess.TimeoutExpired:
                    fail(step, f"{keys}: the program did not end")
                continue
            if not orca.quiet():
                fail(step, f"{keys}: Orca never went quiet")
            said = orca.said_since(mark)
            print(f"{keys} | " + " / ".join(said))
            missing = [piece for piece in expected if not heard_piece(piece, said)]
            if missing:
                fail(step, f"{keys}: not heard {missing}")
                print("  FAIL: not heard:", missing)
    except OutOfTime:
        fail(max(checked, default=0), f"the session took more than {TIME_LIMIT} s")
    finally:
        signal.alarm(0)
        if program and program.poll() is None:
            program.kill()
        orca.process.terminate()
        try:
            orca.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            orca.process.kill()
            orca.process.wait()
    if failures:
        print("\n".join(["FAIL: " + f for f in failures]))
        troubles = [line for line in orca.lines if re.search(r"ERROR|EXCEPTION|Traceback|hung|timed out", line)]
        print("Orca's log, its troubles:\n" + "\n".join(troubles[-30:]))
        with open(os.path.join(HOME, "program.log"), encoding="utf-8", errors="replace") as log:
            print("The program said:\n" + log.read())
    not_run = len(STEPS) - len(checked)
    print(f"orca: {len(checked - failed)} passed, {len(failed)} failed"
          + (f", {not_run} skipped" if not_run else ""))
    return 1 if failures else 0


sys.exit(main())
