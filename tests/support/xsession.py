#!/usr/bin/env python3
"""A virtual desktop for the tests that need a real X display.

One X server (Xvfb, on a free display number, with its own authority cookie)
and the openbox window manager on it, ready once openbox manages the screen;
torn down with everything started on it. The end-to-end suite uses the
Session class; the shell scripts (the about box's run, the version check's
pictures and installed check, the package stage) use the command line:

  xsession.py [--screen WxH] [--layout L] -- COMMAND [ARG...]
      runs COMMAND on a fresh session (DISPLAY and XAUTHORITY set, no
      QT_QPA_PLATFORM) and exits with its status.
  xsession.py window [--timeout S] [--prefix] [--pid PID] TITLE
      on $DISPLAY, waits for a visible window titled TITLE (or, with
      --prefix, whose title starts with it) and prints its id; exits 1 when
      none shows within S seconds (20) or process PID ends first.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

DEFAULT_SCREEN = (1280, 800)


def wait(predicate, timeout, what):
    """Polls predicate until it returns something true; returns that."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            result = predicate()
            if result:
                return result
        except (OSError, ValueError, KeyError):
            pass
        time.sleep(0.05)
    raise AssertionError("timed out after %.1f s waiting for %s" % (timeout, what))


def _free_display():
    for n in range(90, 400):
        if not os.path.exists("/tmp/.X%d-lock" % n) and not os.path.exists("/tmp/.X11-unix/X%d" % n):
            return n
    raise RuntimeError("no free X display number")


def _title_pattern(title, prefix):
    # xdotool matches an extended regular expression.
    escaped = re.sub(r"([][\\.*^$()+?{}|])", r"\\\1", title)
    return "^" + escaped + ("" if prefix else "$")


def find_window(env, title, prefix=False):
    """The id of a visible window titled title (or starting with it), or None."""
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", _title_pattern(title, prefix)],
                         env=env, capture_output=True, timeout=30).stdout.split()
    return out[0].decode() if out else None


class Session:
    """One X server with openbox; close() ends both and removes the session's folder."""

    def __init__(self, screen=DEFAULT_SCREEN, layout=None):
        self.tmp = tempfile.mkdtemp(prefix="kelmora-x-")
        self.xvfb = self.wm = None
        try:
            self._start_server(screen)
            self.env = dict(os.environ, DISPLAY=self.display, XAUTHORITY=self.authority)
            self.env.pop("QT_QPA_PLATFORM", None)
            self.env.pop("WAYLAND_DISPLAY", None)
            if layout:
                self.run(["setxkbmap", layout])
            self._start_window_manager()
        except BaseException:
            self.close()
            raise

    def _start_server(self, screen):
        self.authority = os.path.join(self.tmp, "Xauthority")
        for _ in range(5):
            number = _free_display()
            self.display = ":%d" % number
            subprocess.run(["xauth", "-q", "-f", self.authority, "add", self.display, ".", os.urandom(16).hex()],
                           check=True, capture_output=True)
            self.xvfb = subprocess.Popen(
                ["Xvfb", self.display, "-screen", "0", "%dx%dx24" % tuple(screen), "-nolisten", "tcp", "-noreset",
                 "-auth", self.authority],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            sock = "/tmp/.X11-unix/X%d" % number
            try:
                wait(lambda: os.path.exists(sock) or self.xvfb.poll() is not None, 10, "Xvfb")
            except AssertionError:
                pass
            if self.xvfb.poll() is None and os.path.exists(sock):
                return
            self.xvfb.kill()
            self.xvfb.wait()
        raise RuntimeError("Xvfb did not start")

    def _start_window_manager(self):
        log = open(os.path.join(self.tmp, "openbox.log"), "wb")
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env, stdout=log, stderr=subprocess.STDOUT)
        log.close()
        try:
            wait(lambda: b"window id" in subprocess.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env, capture_output=True).stdout,
                10, "openbox")
        except AssertionError:
            with open(os.path.join(self.tmp, "openbox.log"), "rb") as f:
                said = f.read().decode(errors="replace")[-2000:]
            raise RuntimeError("openbox did not come up on %s: %s" % (self.display, said)) from None

    def run(self, argv, check=True):
        return subprocess.run(argv, env=self.env, check=check, capture_output=True, timeout=30)

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.run(["import", "-window", "root", path], check=False)
        return path

    def wait_window(self, title, timeout=20, prefix=False):
        return wait(lambda: find_window(self.env, title, prefix), timeout, "a window titled %r" % title)

    def close(self):
        for p in (self.wm, self.xvfb):
            if p is not None and p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)


def _screen(text):
    w, _, h = text.partition("x")
    return int(w), int(h)


def _run_command(argv):
    parser = argparse.ArgumentParser(prog="xsession.py")
    parser.add_argument("--screen", type=_screen, default=DEFAULT_SCREEN, help="WxH, default 1280x800")
    parser.add_argument("--layout", help="keyboard layout set with setxkbmap")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args(argv)
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        parser.error("no command to run")

    child = None

    def stop(signum, frame):
        if child is not None and child.poll() is None:
            child.send_signal(signum)
        raise SystemExit(128 + signum)

    for s in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(s, stop)
    session = Session(args.screen, args.layout)
    try:
        child = subprocess.Popen(command, env=session.env)
        return child.wait()
    finally:
        if child is not None and child.poll() is None:
            child.terminate()
            child.wait()
        session.close()


def _window_command(argv):
    parser = argparse.ArgumentParser(prog="xsession.py window")
    parser.add_argument("--timeout", type=float, default=20)
    parser.add_argument("--prefix", action="store_true", help="the title starts with TITLE")
    parser.add_argument("--pid", type=int, help="stop waiting when this process ends")
    parser.add_argument("title")
    args = parser.parse_args(argv)

    def found():
        wid = find_window(os.environ, args.title, args.prefix)
        if not wid and args.pid is not None:
            try:
                os.kill(args.pid, 0)
            except ProcessLookupError:
                return "gone"
        return wid

    try:
        wid = wait(found, args.timeout, "the window")
    except AssertionError:
        return 1
    if wid == "gone":
        return 1
    print(wid)
    return 0


def main(argv):
    if argv[:1] == ["window"]:
        return _window_command(argv[1:])
    return _run_command(argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
