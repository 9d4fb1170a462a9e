"""Harness of the end-to-end scenarios: the real Horalune.exe under Wine in a
virtual X display, looked at and driven by the probe (win32/probe.cpp).

A scenario is a plain script:

    with Session("esc_saves") as s:
        skin = s.write_skin("skin", body=(120, 80))
        s.start(s.win(skin))
        clock = s.wait_window("Horalune", "Horalune")
        ...
        s.expect_exit(0)

Failures raise AssertionError, which ends the script with a non-zero status.
Every session runs in its own Xvfb and its own Wine prefix, a copy of one
prepared prefix (made once, by scripts/wine-prefix.sh), so scenarios can run
side by side; it ends both, and its wineserver, whatever happened.
"""
import datetime
import os
import select
import shutil
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.environ.get("HORALUNE_SOURCE") or os.path.abspath(os.path.join(HERE, "..", ".."))
BUILD = os.environ.get("HORALUNE_BUILD") or os.path.join(SOURCE, "build", "win64")
# The prepared prefix every session copies. Nothing runs in it after it is made,
# so a copy never catches a wineserver half way through writing the registry.
PREFIX = os.environ.get("WINEPREFIX") or os.path.join(SOURCE, "build", "wineprefix-e2e")
CONVERT = "/usr/bin/convert"  # /usr/local/bin/convert may be a stub
FAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1"

# Every wait for what must come lasts at least this long: on a busy machine a
# Wine program can take many seconds to show a window, and a passing run never
# waits this long. (No scenario waits for something not to happen.)
WAIT_FLOOR = 60

VK_ESCAPE = 0x1B
VK_F12 = 0x7B


def unescape(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            out.append({"n": "\n", "r": "\r", "t": "\t", "\\": "\\"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def escape(text):
    return (text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")
            .replace("\r", "\\r"))


def check(condition, message):
    if not condition:
        raise AssertionError(message)


# ---------------------------------------------------------------- files ----

def bmp24(width, height, pixel):
    """A bottom-up 24-bit BMP; pixel(x, y) gives 0xRRGGBB, y = 0 the top row."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            c = pixel(x, y)
            row += bytes((c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def ini_text(sections):
    """sections: list of (name, [(key, value), ...]) -> CP932 bytes, CRLF."""
    lines = []
    for name, keys in sections:
        lines.append("[%s]" % name)
        lines += ["%s=%s" % (k, v) for k, v in keys]
        lines.append("")
    return "\r\n".join(lines).encode("cp932")


def ini_keys(path, section):
    """The key=value lines of one section, in file order (as (key, value)).

    A missing file has none. The program writes a settings file beside it
    (`<name>.~`) and then swaps it in, and Wine's swap leaves a moment without
    the file: a read in that moment waits for the swap to end."""
    keys, inside = [], False
    beside = os.path.splitext(path)[0] + ".~"
    end = time.monotonic() + 5
    while True:
        try:
            with open(path, "rb") as f:
                data = f.read()
            break
        except FileNotFoundError:
            if not os.path.exists(beside) or time.monotonic() >= end:
                return keys
            time.sleep(0.01)
    for raw in data.decode("cp932").splitlines():
        line = raw.strip()
        if line.startswith("["):
            inside = line[1:-1].strip().lower() == section.lower()
        elif inside and "=" in line:
            k, v = line.split("=", 1)
            keys.append((k.strip(), v.strip()))
    return keys


# ---------------------------------------------------------------- probe ----

class ProbeGone(Exception):
    pass


class Probe:
    """`probe serve`: one Wine process that runs a session's probe commands."""

    END = "\x1e"

    def __init__(self, exe, env):
        self.env = dict(env)
        self.process = subprocess.Popen(["wine", exe, "serve"], env=self.env, bufsize=0,
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL)
        self.pending = b""

    def run(self, arguments, timeout):
        """(exit code, answer lines split at tabs) of one command."""
        line = "\t".join(escape(str(a)) for a in arguments) + "\n"
        try:
            self.process.stdin.write(line.encode("utf-8"))
        except OSError:
            raise ProbeGone()
        end = time.monotonic() + timeout
        lines = []
        while True:
            while b"\n" in self.pending:
                raw, self.pending = self.pending.split(b"\n", 1)
                text = raw.decode("utf-8", "replace")
                if text.startswith(self.END):
                    return int(text[len(self.END):]), lines
                if text:
                    lines.append([unescape(f) for f in text.split("\t")])
            left = end - time.monotonic()
            if left <= 0:
                self.close()
                raise AssertionError("the probe did not answer %r within %d s" % (arguments, timeout))
            ready, _, _ = select.select([self.process.stdout], [], [], left)
            if ready:
                chunk = os.read(self.process.stdout.fileno(), 65536)
                if not chunk:
                    raise ProbeGone()
                self.pending += chunk

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()
        self.process.stdin.close()
        self.process.stdout.close()


# -------------------------------------------------------------- session ----

class Session:
    """dpi: the screen's dots per inch for this session (the prefix's LogPixels).
    managed: Wine hands its windows to the window manager, as on a desktop; the
    prepared prefix does not (Xvfb has none, and Wine would wait two seconds
    for it at every window it hides), but without one xdotool's keys miss a
    menu opened above another program's window."""

    def __init__(self, name, dpi=96, managed=False):
        self.name = name
        self.dpi = dpi
        self.managed = managed
        self.exe = os.path.join(BUILD, "Horalune.exe")
        self.probe_exe = os.path.join(BUILD, "tests", "e2e", "horalune_probe.exe")
        check(os.path.exists(self.exe), "no Horalune.exe in %s" % BUILD)
        check(os.path.exists(self.probe_exe), "no probe in %s" % BUILD)
        root = os.path.join(BUILD, "e2e")
        os.makedirs(root, exist_ok=True)
        self.stage = tempfile.mkdtemp(prefix=name + "-", dir=root)
        shutil.copy(self.exe, os.path.join(self.stage, "Horalune.exe"))
        self.prefix = self.stage + ".prefix"
        self.clock_offset = None
        self.program = None
        self.xvfb = None
        self.env = None
        self.display = None
        self._probe = None

    # -- lifetime --
    def __enter__(self):
        prepare_prefix()
        # A copy, not a fresh wineboot: seconds instead of most of a minute.
        subprocess.run(["cp", "-a", PREFIX, self.prefix], check=True)
        self._start_xvfb()
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d",
                        DISPLAY=":%d" % self.display)
        # Written into the copy before any Wine program runs there.
        if self.dpi != 96:
            self._set_user_value(r"Control Panel\Desktop", "LogPixels", "dword:%08x" % self.dpi)
        if self.managed:
            self._set_user_value(r"Software\Wine\X11 Driver", "Managed", '"Y"')
        return self

    def __exit__(self, kind, value, trace):
        try:
            if kind is not None:
                try:
                    self.screenshot(os.path.join(self.stage, "failure.png"))
                    print("scenario failed; stage kept in %s" % self.stage, file=sys.stderr)
                except Exception:
                    pass
            self._close_probe()
            self._wineserver("-k")
            if self.program is not None:
                try:
                    self.program.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    self.program.kill()
                    self.program.wait()
            self._wineserver("-w")
        finally:
            if self.xvfb is not None:
                self.xvfb.terminate()
                try:
                    self.xvfb.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    self.xvfb.kill()
            shutil.rmtree(self.prefix, ignore_errors=True)
        if kind is None:
            shutil.rmtree(self.stage, ignore_errors=True)
        return False

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp"], pass_fds=(write_end,),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as r:
            number = r.readline().strip()
        check(number.isdigit(), "Xvfb did not start")
        self.display = int(number)

    def _set_user_value(self, key, name, value):
        """Sets one value of a key the prepared prefix's user.reg holds (value
        as the file spells it: dword:00000090, "Y")."""
        path = os.path.join(self.prefix, "user.reg")
        with open(path, "rb") as f:
            lines = f.read().split(b"\n")
        header = ("[%s]" % key.replace("\\", "\\\\")).encode()
        entry = ('"%s"=' % name).encode()
        section = next((i for i, l in enumerate(lines)
                        if l == header or l.startswith(header + b" ")), None)
        check(section is not None, "no %s in the prepared prefix" % key)
        end = next((i for i in range(section + 1, len(lines)) if lines[i].startswith(b"[")),
                   len(lines))
        line = next((i for i in range(section + 1, end) if lines[i].startswith(entry)), None)
        if line is not None:
            lines[line] = entry + value.encode()
        else:
            first = next(i for i in range(section + 1, end + 1)
                         if i == end or not lines[i].startswith(b"#"))
            lines.insert(first, entry + value.encode())
        with open(path, "wb") as f:
            f.write(b"\n".join(lines))

    def _wineserver(self, *args):
        subprocess.run(["wineserver"] + list(args), env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    # -- the local clock --
    def fake_clock(self, start=None):
        """From here on, what this session starts runs on a local clock that
        `set_clock` moves at once, without waiting (the monotonic clock stays
        real); it reads `start` (a naive local datetime) now if given, else the
        real time. Call it before the first program starts."""
        self.clock_offset = 0 if start is None else round((start - datetime.datetime.now()).total_seconds())
        self.env.update(LD_PRELOAD=FAKETIME, FAKETIME_NO_CACHE="1", FAKETIME_DONT_FAKE_MONOTONIC="1",
                        FAKETIME_TIMESTAMP_FILE=os.path.join(self.prefix, "horalune-clock"))
        self._write_clock()

    def now(self):
        """The local time the session's programs see."""
        return datetime.datetime.now() + datetime.timedelta(seconds=self.clock_offset or 0)

    def set_clock(self, moment):
        """Steps the programs' local clock to `moment` (a naive local datetime)."""
        check(self.clock_offset is not None, "set_clock without fake_clock")
        self.clock_offset = round((moment - datetime.datetime.now()).total_seconds())
        self._write_clock()

    def _write_clock(self):
        with open(self.env["FAKETIME_TIMESTAMP_FILE"], "w") as f:
            f.write("%+d\n" % self.clock_offset)

    # -- files in the stage --
    def path(self, *parts):
        return os.path.join(self.stage, *parts)

    @staticmethod
    def win(path):
        """The Windows name of a Linux path (Wine's drive Z: is /)."""
        return "Z:" + os.path.abspath(path).replace("/", "\\")

    def write(self, relative, data):
        full = self.path(relative)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as f:
            f.write(data if isinstance(data, bytes) else data.encode("cp932"))
        return full

    def write_config(self, default=None, extra=None):
        sections = [("Default", list((default or {}).items()))] + list(extra or [])
        return self.write("Horalune.DAT", ini_text(sections))

    def write_skin(self, folder, body=(120, 80), colour=0x3060C0, initialize=None,
                   graph="body.bmp", name="clock.HRL", write_body=True):
        """A tiny skin: a plain body picture and an Initialize section."""
        width, height = body
        if write_body:
            self.write(os.path.join(folder, graph), bmp24(width, height, lambda x, y: colour))
        init = {"Title": "試験", "TransparentColor": "non"}
        init.update(initialize or {})
        sections = [("Initialize", list(init.items())), ("Body", [("Graph", graph)])]
        return self.write(os.path.join(folder, name), ini_text(sections))

    # -- the program --
    def start(self, *arguments):
        self.program = subprocess.Popen(
            ["wine", self.path("Horalune.exe")] + list(arguments), cwd=self.stage,
            env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def launch(self, exe, *arguments):
        """Starts another program from `exe` (a Linux path) in its own folder,
        with the session's environment (its clock included): the process."""
        return subprocess.Popen(["wine", self.win(exe)] + list(arguments), cwd=os.path.dirname(exe),
                                env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def wait_exit(self, timeout=30):
        try:
            return self.program.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the program did not end within %d s" % timeout)

    def expect_exit(self, code, timeout=30):
        rc = self.wait_exit(timeout)
        check(rc == code, "exit code %r, expected %r" % (rc, code))

    # -- the probe --
    def probe(self, *arguments, timeout=120):
        """Runs one probe command: (exit code, answer lines split at tabs).
        The probe starts again after a `wineserver -k`, and when the
        session's environment (its clock) has changed."""
        for attempt in range(2):
            if self._probe is not None and self._probe.env != self.env:
                self._close_probe()
            if self._probe is None:
                self._probe = Probe(self.probe_exe, self.env)
            try:
                return self._probe.run(arguments, timeout)
            except ProbeGone:
                self._close_probe()
        raise AssertionError("the probe ended twice at %r" % (arguments,))

    def _close_probe(self):
        if self._probe is not None:
            self._probe.close()
            self._probe = None

    def wait_window(self, cls="-", title="-", timeout=20):
        timeout = max(timeout, WAIT_FLOOR)
        rc, lines = self.probe("wait", cls, title, int(timeout * 1000), timeout=timeout + 60)
        check(rc == 0, "no window %s/%s within %d s" % (cls, title, timeout))
        return int(lines[0][1])

    def find_windows(self, cls="-", title="-"):
        rc, lines = self.probe("find", cls, title)
        return [{"hwnd": int(l[1]), "visible": l[2] == "1", "class": l[3], "title": l[4]}
                for l in lines if l[0] == "window"]

    def dialog(self, title=None, timeout=20):
        """A visible dialog: {hwnd, title, text, buttons: {text: id}, controls: [...]}."""
        timeout = max(timeout, WAIT_FLOOR)
        args = ["dialog", int(timeout * 1000)] + ([title] if title else [])
        rc, lines = self.probe(*args, timeout=timeout + 60)
        check(rc == 0, "no dialog %s within %d s" % (title or "", timeout))
        info = {"hwnd": int(lines[0][1]), "title": lines[0][2], "text": None, "buttons": {},
                "controls": []}
        for l in lines[1:]:
            if l[0] == "text":
                info["text"] = l[1]
            elif l[0] == "button":
                info["buttons"][l[2].replace("&", "")] = int(l[1])
            if l[0] in ("static", "button", "edit", "control"):
                info["controls"].append({"kind": l[0], "id": int(l[1]), "text": l[2],
                                         "enabled": l[3] == "1"})
        return info

    def message_box(self, timeout=20):
        box = self.dialog(timeout=timeout)
        check(box["title"] == "ほらるね", "message box caption %r" % box["title"])
        return box

    def click(self, hwnd, button):
        rc, _ = self.probe("click", hwnd, button)
        check(rc == 0, "no button %s" % button)

    def wait_gone(self, hwnd, timeout=20):
        timeout = max(timeout, WAIT_FLOOR)
        rc, _ = self.probe("gone", hwnd, int(timeout * 1000), timeout=timeout + 60)
        check(rc == 0, "window %d still there after %d s" % (hwnd, timeout))

    def key(self, hwnd, vk):
        self.probe("key", hwnd, vk)

    def command(self, hwnd, ident):
        self.probe("command", hwnd, ident)

    def rect(self, hwnd):
        rc, lines = self.probe("rect", hwnd)
        check(rc == 0, "no window %d" % hwnd)
        return tuple(int(v) for v in lines[0][1:5])

    def text(self, hwnd, ident=None):
        rc, lines = self.probe("text", hwnd, *([ident] if ident is not None else []))
        check(rc == 0, "no control %s" % ident)
        return lines[0][1]

    def set_text(self, hwnd, ident, text):
        rc, _ = self.probe("settext", hwnd, ident, text)
        check(rc == 0, "no control %s" % ident)

    def pixel(self, x, y):
        _, lines = self.probe("pixel", x, y)
        return int(lines[0][1], 16)

    def work_area(self):
        _, lines = self.probe("workarea")
        return tuple(int(v) for v in lines[0][1:5])

    def _grab(self):
        return subprocess.run(["xwd", "-root", "-silent", "-display", ":%d" % self.display],
                              stdout=subprocess.PIPE, check=True).stdout

    def screenshot(self, path):
        subprocess.run([CONVERT, "xwd:-", path], input=self._grab(), check=True)
        return path

    def settled_screenshot(self, path, timeout=10):
        """A screenshot once two grabs in a row agree (painting has finished)."""
        previous = [self._grab()]

        def settled():
            current = self._grab()
            same = current == previous[0]
            previous[0] = current
            return same
        wait_until(settled, timeout, "the screen never settled")
        subprocess.run([CONVERT, "xwd:-", path], input=previous[0], check=True)
        return path


def prepare_prefix():
    """Makes the prepared prefix unless it is there (a no-op after the first
    session of a run; the script locks, so sessions started together wait for
    one wineboot)."""
    subprocess.run(["bash", os.path.join(SOURCE, "scripts", "wine-prefix.sh")],
                   env=dict(os.environ, WINEPREFIX=PREFIX), check=True)


def wait_until(predicate, timeout, message):
    """Polls `predicate` until it gives a true value, which is returned."""
    end = time.monotonic() + max(timeout, WAIT_FLOOR)
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= end:
            raise AssertionError(message)
        time.sleep(0.1)


def scenario(function):
    """Runs a scenario function and turns its outcome into the exit status."""
    try:
        function()
    except AssertionError as error:
        print("FAILED: %s" % error, file=sys.stderr)
        sys.exit(1)
    print("passed")
