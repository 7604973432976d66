"""A private D-Bus session with the AT-SPI bus, for reading the program as a
screen reader does.

AccessibilityBus starts a session bus of its own (its socket in the desktop's
folder) and the AT-SPI bus launcher on it, and sets the environment the
program and the reader need: the session bus address, a private runtime
folder and QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1, so Qt publishes its tree
without a screen reader running. close() ends what it started and then every
process still carrying its bus address (the AT-SPI bus and registry the
launcher started), by process id, and reports those it had to end.

Environment: KELMORA_ATSPI_PYTHON, a Python with pyatspi (default /usr/bin/python3).
"""

import json
import os
import select
import signal
import subprocess
import time

ATSPI_PYTHON = os.environ.get("KELMORA_ATSPI_PYTHON", "/usr/bin/python3")
LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
READER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "atspi_reader.py")


def _read_line(pipe, timeout, what):
    ready, _, _ = select.select([pipe], [], [], timeout)
    if not ready:
        raise AssertionError("timed out after %.1f s waiting for %s" % (timeout, what))
    return pipe.readline().decode()


def _processes_with(marker):
    """Ids of the processes whose environment holds marker."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) == os.getpid():
            continue
        try:
            with open("/proc/%s/environ" % entry, "rb") as f:
                if marker in f.read():
                    found.append(int(entry))
        except OSError:
            pass
    return found


class Reader:
    """The AT-SPI reader process (atspi_reader.py): one JSON request, one reply."""

    def __init__(self, env):
        self.proc = subprocess.Popen([ATSPI_PYTHON, READER], env=env, stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    def ask(self, request, timeout=30):
        self.proc.stdin.write((json.dumps(request) + "\n").encode())
        self.proc.stdin.flush()
        line = _read_line(self.proc.stdout, timeout, "the accessibility reader (%s)" % request.get("cmd"))
        if not line:
            raise AssertionError("the accessibility reader ended: %s" % self.proc.stderr.read().decode()[-2000:])
        reply = json.loads(line)
        if "error" in reply:
            raise LookupError(reply["error"])
        return reply["ok"]

    def close(self):
        self.proc.stdin.close()
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait(5)
        self.proc.stdout.close()
        self.proc.stderr.close()


class AccessibilityBus:
    def __init__(self, base_env, folder):
        self.runtime = os.path.join(folder, "runtime")
        os.makedirs(self.runtime, mode=0o700)
        self.started = []
        self.readers = []
        self.address = None
        try:
            self._start_buses(base_env)
        except BaseException:
            self.close()
            raise

    def _start_buses(self, base_env):
        self.bus = self._start(["dbus-daemon", "--session", "--nofork", "--print-address=1",
                                "--address=unix:dir=%s" % self.runtime], base_env, stdout=subprocess.PIPE)
        self.address = _read_line(self.bus.stdout, 10, "the session bus").strip()
        if not self.address:
            raise AssertionError("the session bus did not start")
        self.env = dict(base_env, DBUS_SESSION_BUS_ADDRESS=self.address, XDG_RUNTIME_DIR=self.runtime,
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self._start([LAUNCHER, "--launch-immediately", "--a11y=1"], self.env)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            ask = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                                  "org.a11y.Bus.GetAddress"], env=self.env, capture_output=True, timeout=10)
            if ask.returncode == 0:
                return
            time.sleep(0.1)
        raise AssertionError("the AT-SPI bus did not start")

    def _start(self, argv, env, stdout=subprocess.DEVNULL):
        proc = subprocess.Popen(argv, env=env, stdout=stdout, stderr=subprocess.DEVNULL)
        self.started.append(proc)
        return proc

    def reader(self):
        r = Reader(self.env)
        self.readers.append(r)
        return r

    def close(self):
        """Ends everything started for this bus, then any process still on it
        (by id); returns the ids of those still alive after that (none)."""
        for r in self.readers:
            r.close()
        for proc in reversed(self.started):
            if proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait(5)
            if proc.stdout:
                proc.stdout.close()
        if not self.address:
            return []
        marker = ("DBUS_SESSION_BUS_ADDRESS=%s\0" % self.address).encode()
        leftovers = []
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            leftovers = _processes_with(marker)
            if not leftovers:
                break
            time.sleep(0.1)
        for pid in leftovers:
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        deadline = time.monotonic() + 5
        while leftovers and time.monotonic() < deadline:
            time.sleep(0.1)
            leftovers = _processes_with(marker)
        return leftovers
