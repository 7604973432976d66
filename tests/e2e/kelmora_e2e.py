"""Drives the real Kelmora binary under Xvfb with a window manager and real X input.

Every scenario gets its own X server (Xvfb), an openbox window manager and a
fresh program started in an empty working folder with an empty home. Keys and
clicks go through the XTEST extension (xdotool), so they reach whatever widget
has the focus, carrying the text a real keyboard gives them. What the user can
see is read back through the probe library preloaded into the program (see
probe/Probe.cpp) and from saved files (with kelmora-doc); a screenshot of the
screen is kept for every failure and at the checkpoints a scenario names.

Environment: KELMORA_BIN, KELMORA_PROBE_LIB, KELMORA_DOC and KELMORA_E2E_ARTIFACTS
(set by CTest).
"""

import functools
import json
import os
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xsession  # noqa: E402  (the one X-session helper of the tests and scripts)
from xsession import wait as _wait  # noqa: E402

BIN = os.environ.get("KELMORA_BIN", "kelmora")
PROBE_LIB = os.environ.get("KELMORA_PROBE_LIB", "")
DOC = os.environ.get("KELMORA_DOC", "kelmora-doc")
ARTIFACTS = os.environ.get("KELMORA_E2E_ARTIFACTS", os.path.join(tempfile.gettempdir(), "kelmora-e2e"))

FRAME_TITLE = "TORVANTA Kelmora s1.06"
SCREEN = (1280, 800)


class ScenarioTimeout(Exception):
    pass


class Desktop(xsession.Session):
    """One X server with openbox at the suite's screen size and the given keyboard layout."""

    def __init__(self, layout="us"):
        super().__init__(SCREEN, layout)


class Kelmora:
    """The program under test on a Desktop, with its probe connection. A
    launcher (a command that ends by running the one appended to it) and
    environment entries of a scenario's own are optional."""

    def __init__(self, desktop, launcher=(), env_extra=None):
        self.desktop = desktop
        self.workdir = os.path.join(desktop.tmp, "work")
        self.home = os.path.join(desktop.tmp, "home")
        os.makedirs(self.workdir)
        os.makedirs(self.home)
        self.probe_path = os.path.join(desktop.tmp, "probe.sock")
        env = dict(desktop.env, HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                   XDG_CACHE_HOME=os.path.join(self.home, ".cache"), KELMORA_PROBE=self.probe_path,
                   LC_ALL="C.UTF-8", LANG="C.UTF-8")
        if PROBE_LIB:
            env["LD_PRELOAD"] = PROBE_LIB
        env.update(env_extra or {})
        self.log = open(os.path.join(desktop.tmp, "kelmora.log"), "wb")
        self.proc = subprocess.Popen(list(launcher) + [BIN], cwd=self.workdir, env=env, stdout=self.log,
                                     stderr=subprocess.STDOUT)
        self.sock = None
        self.buf = b""
        self.unanswered = 0
        _wait(lambda: os.path.exists(self.probe_path) or self.proc.poll() is not None, 20, "the probe socket")
        self._connect()
        # The splash holds the thread about two seconds; then the frame shows maximized.
        self.wait(lambda s: any(w["title"] == FRAME_TITLE and w["active"] for w in s["windows"]), 30,
                  "the frame, active")

    def _connect(self):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.settimeout(10)
        self.sock.connect(self.probe_path)

    def ask(self, request):
        if self.proc.poll() is not None:
            raise AssertionError("the program ended (exit code %s)" % self.proc.returncode)
        self.sock.sendall((json.dumps(request) + "\n").encode())
        # Replies come in the order of the requests. One that timed out (the
        # program busy for longer than the socket's timeout, e.g. reading a
        # large file on a loaded machine) still arrives later: skip it, or
        # every later question gets the answer to the one before.
        self.unanswered += 1
        while self.unanswered:
            while b"\n" not in self.buf:
                chunk = self.sock.recv(1 << 20)
                if not chunk:
                    raise AssertionError("the probe connection closed")
                self.buf += chunk
            line, self.buf = self.buf.split(b"\n", 1)
            self.unanswered -= 1
        return json.loads(line)

    def state(self):
        return self.ask({"cmd": "state"})

    def widget(self, name):
        w = self.ask({"cmd": "widget", "name": name})
        if "error" in w:
            raise AssertionError("no widget named %s" % name)
        return w

    def wait(self, predicate, timeout=5, what="the expected state"):
        """Polls the state until predicate(state) is true; returns that state."""
        last = {}

        def check():
            last["s"] = self.state()
            return last["s"] if predicate(last["s"]) else None

        try:
            return _wait(check, timeout, what)
        except AssertionError as e:
            raise AssertionError("%s; last state: %s" % (e, json.dumps(last.get("s"), ensure_ascii=False)[:3000]))

    # ---- input, as a person gives it ----

    def key(self, *keys):
        for k in keys:
            self.desktop.run(["xdotool", "key", "--delay", "40", k])
        time.sleep(0.05)

    def type(self, text):
        self.desktop.run(["xdotool", "type", "--delay", "60", text])
        time.sleep(0.05)

    def move(self, x, y):
        self.desktop.run(["xdotool", "mousemove", str(int(x)), str(int(y))])
        time.sleep(0.05)

    def click(self, x, y, button=1, repeat=1):
        self.desktop.run(["xdotool", "mousemove", str(int(x)), str(int(y)), "click", "--repeat", str(repeat),
                          "--delay", "80", str(button)])
        time.sleep(0.05)

    def click_widget(self, name, button=1, repeat=1):
        r = self.widget(name)["rect"]
        self.click(r["x"] + r["w"] // 2, r["y"] + r["h"] // 2, button, repeat)

    def click_arrow(self, name):
        """Opens a drop-down list by its arrow, as a person does."""
        r = self.widget(name)["rect"]
        self.click(r["x"] + r["w"] - 8, r["y"] + r["h"] // 2)

    def click_rect(self, r, button=1):
        self.click(r["x"] + r["w"] // 2, r["y"] + r["h"] // 2, button)

    # ---- reading back ----

    def doc_text(self, path):
        return subprocess.run([DOC, "text", path], capture_output=True, check=True, timeout=30).stdout.decode()

    def alive(self):
        return self.proc.poll() is None

    def close(self):
        if self.sock:
            self.sock.close()
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait(5)
        self.log.close()


def scenario(timeout=90, layout="us", accessible=False, launch=None):
    """Decorator: runs one test method on a fresh desktop and program, bounded in
    time; a failure keeps a screenshot in the artifacts folder. With accessible,
    the program runs on a private session bus with the AT-SPI bus
    (desktop.a11y, see atspi_bus.py), which is torn down with the desktop.
    launch(desktop), when given, returns the launcher and environment entries
    the program is started with."""

    def wrap(fn):
        @functools.wraps(fn)
        def run(self):
            desktop = Desktop(layout)
            app = None
            passed = False
            desktop.a11y = None

            def on_alarm(signum, frame):
                raise ScenarioTimeout("scenario %s took longer than %d s" % (fn.__name__, timeout))

            old = signal.signal(signal.SIGALRM, on_alarm)
            signal.alarm(timeout)
            try:
                if accessible:
                    from atspi_bus import AccessibilityBus
                    desktop.a11y = AccessibilityBus(desktop.env, desktop.tmp)
                    desktop.env = desktop.a11y.env
                launcher, env_extra = launch(desktop) if launch else ((), None)
                app = Kelmora(desktop, launcher, env_extra)
                self.app = app
                fn(self, app)
                passed = True
            except BaseException:
                shot = os.path.join(ARTIFACTS, "%s.%s.failure.png" % (type(self).__name__, fn.__name__))
                desktop.screenshot(shot)
                print("screenshot of the failure: %s" % shot)
                if app is not None:
                    app.log.flush()
                    with open(app.log.name, "rb") as f:
                        print("program output:\n" + f.read().decode(errors="replace")[-4000:])
                raise
            finally:
                signal.alarm(0)
                signal.signal(signal.SIGALRM, old)
                if app is not None:
                    app.close()
                left = desktop.a11y.close() if desktop.a11y else []
                desktop.close()
                if left:
                    message = "processes of the private bus still running: %s" % left
                    if passed:
                        raise AssertionError(message)
                    print(message)
        return run
    return wrap


def checkpoint(app, name):
    """Keeps a screenshot to look at."""
    return app.desktop.screenshot(os.path.join(ARTIFACTS, "%s.png" % name))


class E2ETest(unittest.TestCase):
    """Helpers for scenarios."""

    def editor(self, s):
        return s["editor"]

    def wait_text(self, app, text, timeout=5):
        return app.wait(lambda s: s["editor"].get("text") == text, timeout, "editor text %r" % text)

    def wait_focus(self, app, name, timeout=5):
        return app.wait(lambda s: s.get("focus", {}).get("name") == name, timeout, "focus on %s" % name)

    def wait_box(self, app, text, timeout=5):
        return app.wait(lambda s: s.get("messageBox", {}).get("text") == text, timeout, "message box %r" % text)

    def wait_no_modal(self, app, timeout=5):
        return app.wait(lambda s: "modal" not in s, timeout, "no modal window")

    def wait_frame_active(self, app, timeout=5):
        """Keys go where the X focus is: after a window closes, the window
        manager gives the focus back to the frame a moment later."""
        return app.wait(lambda s: "modal" not in s and any(w["title"] == FRAME_TITLE and w["active"]
                                                           for w in s["windows"]), timeout, "the frame active")

    def new_document(self, app):
        n = len(self.wait_frame_active(app)["documents"]["windows"])
        app.key("ctrl+n")
        return app.wait(lambda s: len(s["documents"]["windows"]) == n + 1 and s["editor"].get("focus"), 5,
                        "a new document with the focus")

    def press_button(self, app, name, button_text):
        """Clicks the named button of the open message box."""
        s = app.wait(lambda s: "messageBox" in s, 5, "a message box")
        for b in s["messageBox"]["buttons"]:
            if b["text"].replace("&", "") == button_text:
                app.click_rect(b["rect"])
                return
        raise AssertionError("no button %r in %s" % (button_text, s["messageBox"]))
