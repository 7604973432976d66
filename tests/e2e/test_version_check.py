"""The version check with real keys and clicks: what is given while the
exchange holds the window is dropped, and a button behind another panel does
not answer its key.

The program runs in private network, mount and PID namespaces in which the
maker's FTP host name is 127.0.0.1, where held_ftp_server.py listens on port
21 and holds its greeting until the scenario has given its input. A stand-in
xdg-open records the addresses the program hands to the desktop. Namespaces
and port 21 need root (CI runs as root).
"""

import os
import time
import unittest

from kelmora_e2e import E2ETest, checkpoint, scenario

HOST = "ftp.torvanta.com.tr"  # identity::ftpHost()
SERVER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "held_ftp_server.py")
UP_TO_DATE = "Şu Anda Programın Son Sürümünü Kullanmaktasınız..."
UPDATE_NEEDED = "Güncelleme Yapılmalı"


def behind_held_server(version_list):
    def launch(desktop):
        desktop.ftp = os.path.join(desktop.tmp, "ftp")
        os.makedirs(desktop.ftp)
        with open(os.path.join(desktop.ftp, "version.dll"), "wb") as f:
            f.write(version_list)
        hosts = os.path.join(desktop.tmp, "hosts")
        with open(hosts, "w") as f:
            f.write("127.0.0.1 localhost %s\n" % HOST)
        tools = os.path.join(desktop.tmp, "tools")
        os.makedirs(tools)
        desktop.opened = os.path.join(desktop.tmp, "opened.log")
        with open(os.path.join(tools, "xdg-open"), "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' % desktop.opened)
        os.chmod(os.path.join(tools, "xdg-open"), 0o755)
        script = ('ip link set lo up && mount --bind "$1" /etc/hosts && { python3 "$2" "$3" & } '
                  '&& shift 3 && exec "$@"')
        launcher = ["unshare", "--net", "--mount", "--pid", "--fork", "--kill-child",
                    "bash", "-c", script, "namespaced", hosts, SERVER, desktop.ftp]
        return launcher, {"PATH": tools + ":" + os.environ.get("PATH", "/usr/bin:/bin")}
    return launch


@unittest.skipUnless(os.geteuid() == 0, "needs root for the namespaces and port 21")
class VersionCheck(E2ETest):
    def open_check(self, app):
        """Help > Program Sürümünü Kontrol Et; returns the rects of the three
        buttons, read while the wait panel covers them and before the exchange
        starts (the probe cannot answer while it holds the window)."""
        self.wait_frame_active(app)
        app.key("alt+y")
        app.wait(lambda s: s.get("menu", {}).get("name") == "Yardm1", 5, "the Help menu")
        app.key("Up", "Return")  # its last item
        app.wait(lambda s: s.get("modal") == "SurumKontrolF", 5, "the version check")
        return {name: app.widget(name)["rect"] for name in ("SpeedButton1", "SpeedButton2", "SpeedButton3")}

    def hold_and_give(self, app, give):
        """Waits until the program is in its exchange, gives the input, then
        lets the server answer; waits for the verdict."""
        folder = app.desktop.ftp
        deadline = time.monotonic() + 10
        while not os.path.exists(os.path.join(folder, "connected")):
            self.assertLess(time.monotonic(), deadline, "the program did not connect")
            time.sleep(0.05)
        time.sleep(0.3)  # it now waits for the greeting
        give()
        time.sleep(0.5)  # what X delivers has reached the program
        open(os.path.join(folder, "go"), "w").close()
        app.wait(lambda s: s.get("modal") != "SurumKontrolF" or not app.widget("PanelBekleme")["visible"], 15,
                 "the verdict")
        time.sleep(1)  # input left queued would be handled by now
        self.assertEqual(app.state().get("modal"), "SurumKontrolF",
                         "the dialog closed on input given during the exchange")

    def opened(self, app):
        if not os.path.exists(app.desktop.opened):
            return []
        with open(app.desktop.opened) as f:
            return f.read().split()

    @scenario(timeout=120, launch=behind_held_server(b"KZQ1,1.06\r\n"))
    def test_up_to_date_input_during_the_exchange_is_dropped(self, app):
        rects = self.open_check(app)
        tamam = rects["SpeedButton3"]

        def give():
            app.click(tamam["x"] + tamam["w"] // 2, tamam["y"] + tamam["h"] // 2)  # on "Lütfen Bekleyiniz..."
            app.key("alt+t", "alt+g", "Return")

        self.hold_and_give(app, give)
        self.assertEqual(app.widget("LabelDurum")["text"], UP_TO_DATE)
        self.assertEqual(self.opened(app), [])
        checkpoint(app, "version-check-up-to-date")
        # "&Güncelle" lies behind the OK panel: its key does nothing.
        app.key("alt+g")
        time.sleep(0.7)
        self.assertEqual(self.opened(app), [])
        self.assertEqual(app.state().get("modal"), "SurumKontrolF")
        # Input given now counts.
        app.key("alt+t")
        self.wait_no_modal(app)

    @scenario(timeout=120, launch=behind_held_server(b"KZQ1,1.07\r\n"))
    def test_update_needed_input_during_the_exchange_is_dropped(self, app):
        rects = self.open_check(app)
        guncelle = rects["SpeedButton1"]

        def give():
            app.click(guncelle["x"] + guncelle["w"] // 2, guncelle["y"] + guncelle["h"] // 2)
            app.key("alt+g")

        self.hold_and_give(app, give)
        self.assertEqual(app.widget("LabelDurum")["text"], UPDATE_NEEDED)
        self.assertEqual(self.opened(app), [], "input given during the exchange started the browser")
        checkpoint(app, "version-check-update-needed")
        # "&Tamam" lies behind the update panel: its key does nothing.
        app.key("alt+t")
        time.sleep(0.7)
        self.assertEqual(app.state().get("modal"), "SurumKontrolF")
        # "&Güncelle" in front: the browser on the maker's site.
        app.key("alt+g")
        app.wait(lambda s: self.opened(app) != [], 5, "the browser started")
        self.assertEqual(self.opened(app), ["https://www.torvanta.com.tr"])
        app.click_rect(rects["SpeedButton2"])  # Kapat
        self.wait_no_modal(app)


if __name__ == "__main__":
    unittest.main()
