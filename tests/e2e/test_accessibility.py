"""The program as a screen reader meets it: its accessible tree over AT-SPI on
a private session bus, and the keyboard alone.

Each scenario walks the tree of the frame or of a dialog while it is open:
no showing control of a kind a reader announces (button, box, menu, bar,
text field, list, link) may lack a name, and the names are the Turkish texts
of the tables below, in the order the tree holds them. The keyboard walks
go through real X input (Tab, Shift+Tab, F6) and read where the focus is the
way a reader does; every control a mouse can use is reached, or has its key.
"""

import os
import re
import time
import unittest

from kelmora_e2e import E2ETest, checkpoint, scenario

# Kinds of object a screen reader announces by name when it reaches them.
NAMED_ROLES = {"push button", "toggle button", "check box", "radio button", "combo box", "spin button", "text",
               "password text", "menu", "popup menu", "menu item", "menu bar", "tool bar", "status bar", "scroll bar", "list",
               "link", "slider", "page tab", "table"}
# The rows of the name tables: those kinds, the texts around them and the windows.
TABLE_ROLES = NAMED_ROLES | {"label", "image", "dialog", "alert", "frame"}

FRAME_BARS = [
    ("tool bar", "Araç Çubuğu"),
    ("push button", "Yeni"), ("push button", "Aç"), ("push button", "Kaydet"), ("push button", "Yazdır"),
    ("push button", "Metin Ara"), ("push button", "Kes"), ("push button", "Kopyala"), ("push button", "Yapıştır"),
    ("push button", "Geri Al"), ("push button", "Alt Alta Döşe"), ("push button", "Yatay Döşe"),
    ("push button", "Dikey Döşe"),
    ("tool bar", "Biçim Çubuğu"),
    ("combo box", "Arial"), ("text", "Yazı Tipi"),
    ("combo box", "12"), ("text", "Yazı Büyüklüğü"),
    ("check box", "Koyu"), ("check box", "Altı Çizili"), ("check box", "İtalic"),
    ("check box", "Sola Yasla"), ("check box", "Ortala"), ("check box", "Sağa Yasla"),
    ("push button", "Yazı Rengi"), ("check box", "Madde İmi"),
]
FRAME_MENUS = [
    ("menu bar", "Menü Çubuğu"),
    ("menu item", "Dosya"), ("menu item", "Düzen"), ("menu item", "Görünüm"), ("menu item", "Biçim"),
    ("menu item", "Pencere"), ("menu item", "Yardım"),
]
FRAME_STATUS = [("status bar", "Durum Çubuğu"), ("label", "")]


def document_rows(title):
    return [("frame", title), ("text", title),
            ("scroll bar", "Yatay Kaydırma Çubuğu"), ("scroll bar", "Dikey Kaydırma Çubuğu")]


SEARCH = [
    ("dialog", "Metin Ara"),
    ("label", "Aranacak Metin"), ("text", "Aranacak Metin"), ("check box", "Büyük Küçük Harf Ayrımı Yap"),
    ("push button", "Ara"), ("push button", "Kapat"),
]
SEARCH_TABS = [("text", "Aranacak Metin"), ("check box", "Büyük Küçük Harf Ayrımı Yap"), ("push button", "Ara"),
               ("push button", "Kapat")]

PARAGRAPH = [
    ("dialog", "Paragraf Ayarı"),
    ("label", "İlk Satır"), ("text", "İlk Satır"), ("label", "cm"),
    ("label", "Sol Girinti"), ("text", "Sol Girinti"), ("label", "cm"),
    ("label", "Sağ Girinti"), ("text", "Sağ Girinti"), ("label", "cm"),
    ("label", "Hizalama"), ("combo box", "Sola Dayalı"), ("text", "Hizalama"),
    ("push button", "Tamam"), ("push button", "Kapat"),
]
PARAGRAPH_TABS = [("text", "İlk Satır"), ("text", "Sol Girinti"), ("text", "Sağ Girinti"), ("push button", "Tamam"),
                  ("push button", "Kapat"), ("text", "Hizalama")]

FONT = [
    ("dialog", "Yazı Tipi"),
    ("text", "Yazı tipi:"), ("list", "Yazı tipi"), ("list", "Yazı tipi stili"), ("text", "Boyut:"), ("list", "Boyut"),
    ("label", "Yazı tipi:"), ("label", "Yazı tipi stili:"), ("label", "Boyut:"),
    ("check box", "Üstü çizili"), ("check box", "Altı çizili"), ("label", "Renk:"), ("combo box", "Otomatik"),
    ("label", "AaBbĞğŞşİıÇç"),
    ("push button", "Tamam"), ("push button", "İptal"),
]
FONT_TABS = [("text", "Yazı tipi:"), ("list", "Yazı tipi"), ("list", "Yazı tipi stili"), ("text", "Boyut:"),
             ("list", "Boyut"), ("check box", "Üstü çizili"), ("check box", "Altı çizili"),
             ("combo box", "Otomatik"), ("push button", "Tamam"), ("push button", "İptal")]

ABOUT = [
    ("dialog", "TORVANTA Kelmora s1.06"),
    ("push button", "TORVANTA Team"),
    ("label", "Kelmora s1.06"),
    ("image", "TORVANTA"),
    ("label", "Kelmora s1.06\nTüm hakları saklıdır.\n© TORVANTA Yazılım Ltd. Şti.\nTORVANTA\n"
              "Tel : +90 (312) 000 41 06\nFaks : +90 (312) 000 41 07\nwww.torvanta.com.tr\n"
              "bilgi@torvanta.com.tr\nDefne Ön Muhasebe\nTel : +90 (312) 000 41 08\nİyi çalışmalar dileriz..."),
    ("link", "www.torvanta.com.tr"), ("link", "bilgi@torvanta.com.tr"), ("label", "Tel : +90 (312) 000 41 06"),
    ("label", "Fiziksel Hafıza :"), ("label", "Kullanımdaki Hafıza :"),
    ("label", re.compile(r"[\d.,]+ KB")), ("label", re.compile(r"\d+ %")),
    ("push button", "Tamam"),
    ("status bar", "Durum Çubuğu"), ("label", "TORVANTA Kelmora s1.06"),
]
ABOUT_TABS = [("link", "www.torvanta.com.tr"), ("link", "bilgi@torvanta.com.tr")]

VERSION_CAPTIONS = ["Üretici Firma ", "Programın Adı ", "Programın Kodu ", "Programın Sürümü ",
                    "Kullanılan Sürüm ", "Durum "]
# Before the verdict the value labels are empty: a reader names each by the
# caption box that labels it.
VERSION_WAITING = (
    [("dialog", "TORVANTA Kelmora s1.06"), ("frame", ""), ("image", ""), ("label", "Sürüm Kontrol")]
    + [("label", c) for c in VERSION_CAPTIONS] * 2
    + [("frame", ""), ("push button", "Tamam"), ("frame", ""), ("push button", "Güncelle"),
       ("push button", "Kapat"), ("status bar", "Durum Çubuğu"), ("label", "Lütfen Bekleyiniz...")])
NO_CONNECTION = "İstek zaman aşımına uğradı..\r\nLütfen internet bağlantınızı kontrol ediniz..."

CLOSE_PROMPT = [("alert", "Dikkat"), ("image", ""),
                ("label", "ADSIZ1 Dosyasındaki Değişiklikleri Kaydetmek İstiyor musunuz?"),
                ("push button", "Evet"), ("push button", "Hayır"), ("push button", "İptal")]


def rows(tree):
    return [(e["role"], e["name"]) for e in tree if e["role"] in TABLE_ROLES]


class Accessibility(E2ETest):
    # ---- reading the tree ----

    def reader(self, app):
        if not hasattr(self, "_reader"):
            self._reader = app.desktop.a11y.reader()
        return self._reader

    def tree(self, app, window=None, until=None, timeout=10, role=None):
        """The showing objects of window (the active one when None; the one
        of that role when given), once until(tree) holds."""
        deadline = time.monotonic() + timeout
        while True:
            try:
                tree = self.reader(app).ask({"cmd": "tree", "window": window, "role": role})
                if until is None or until(tree):
                    return tree
            except LookupError:
                tree = None
            if time.monotonic() > deadline:
                raise AssertionError("the accessible tree of %r did not come; last: %s" % (window, tree))
            time.sleep(0.1)

    def assert_all_named(self, tree):
        unnamed = [e for e in tree if e["role"] in NAMED_ROLES and not e["name"]]
        self.assertEqual(unnamed, [], "showing controls without a name")

    def assert_rows(self, tree, expected):
        actual = rows(tree)
        self.assertEqual(len(actual), len(expected), "rows: %r" % actual)
        for got, want in zip(actual, expected):
            if isinstance(want[1], re.Pattern):
                self.assertEqual(got[0], want[0], "rows: %r" % actual)
                self.assertRegex(got[1], want[1])
            else:
                self.assertEqual(got, want, "rows: %r" % actual)

    def assert_window(self, tree, expected):
        self.assert_all_named(tree)
        self.assert_rows(tree, expected)

    # ---- the keyboard ----

    def focused(self, app):
        f = self.reader(app).ask({"cmd": "focus"})
        return (f["role"], f["name"]) if f else None

    def press_until_moved(self, app, key, before):
        app.key(key)
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            now = self.focused(app)
            if now is not None and now != before:
                return now
            time.sleep(0.05)
        return self.focused(app)

    def walk_to(self, app, key, stop, limit=40):
        """Presses key until the focus reaches stop; returns the places it
        went through, the start first and stop last."""
        seen = [self.focused(app)]
        for _ in range(limit):
            seen.append(self.press_until_moved(app, key, seen[-1]))
            if seen[-1] == stop:
                return seen
        self.fail("the focus never reached %r: %r" % (stop, seen))

    def tab_walk(self, app, key="Tab", limit=40):
        """Presses key until the focus comes back where it started; returns
        the places it went through, the start first."""
        start = self.focused(app)
        self.assertIsNotNone(start, "nothing has the focus")
        seen = [start]
        for _ in range(limit):
            now = self.press_until_moved(app, key, seen[-1])
            if now == start:
                return seen
            seen.append(now)
        self.fail("the focus never came back to %r: %r" % (start, seen))

    def wait_focus_on(self, app, place, timeout=5):
        deadline = time.monotonic() + timeout
        while self.focused(app) != place:
            if time.monotonic() > deadline:
                self.fail("the focus is on %r, not %r" % (self.focused(app), place))
            time.sleep(0.05)

    def assert_reachable(self, tree, visited, keyed=()):
        """Every showing, enabled control is reached by the keyboard walk, or
        is one of keyed (reached by a key of its own, checked by the caller)."""
        kinds = NAMED_ROLES - {"tool bar", "status bar", "menu bar", "menu item", "scroll bar"}
        controls = []
        for i, e in enumerate(tree):
            # An editable box takes the focus in its text field, the next row.
            editable = e["role"] == "combo box" and i + 1 < len(tree) and tree[i + 1]["role"] == "text"
            if e["role"] in kinds and e["enabled"] and e["depth"] > 0 and not editable:
                controls.append((e["role"], e["name"]))
        missed = [c for c in controls if c not in visited and c not in keyed]
        self.assertEqual(missed, [], "controls the keyboard does not reach")

    # ---- the scenarios ----

    @scenario(timeout=240, accessible=True)
    def test_frame_with_a_document(self, app):
        self.new_document(app)
        app.type("erişilebilir")
        tree = self.tree(app, "TORVANTA Kelmora s1.06", lambda t: ("text", "ADSIZ1") in rows(t))
        self.assert_window(tree, [("frame", "TORVANTA Kelmora s1.06")] + document_rows("ADSIZ1") + FRAME_MENUS
                           + FRAME_BARS + FRAME_STATUS)
        checkpoint(app, "accessibility-frame")

        # F6 leads from the document to the bars and Tab walks their enabled
        # controls into the document, where it stays (Tab is never typed
        # there); Shift+Tab walks back. The alignment buttons are one stop,
        # the pressed one, and the arrow keys move in the group.
        document = ("text", "ADSIZ1")
        self.wait_focus_on(app, document)
        app.key("F6")
        self.wait_focus_on(app, ("push button", "Yeni"))
        checkpoint(app, "accessibility-bars-focus")
        enabled = [(e["role"], e["name"]) for e in tree if e["enabled"]]
        stops = [r for r in FRAME_BARS if r[0] not in ("tool bar", "combo box") and r in enabled
                 and r not in (("check box", "Ortala"), ("check box", "Sağa Yasla"))]
        self.assertEqual(self.walk_to(app, "Tab", document), stops + [document])
        app.key("Tab")
        time.sleep(0.3)
        self.assertEqual(self.focused(app), document)
        app.key("F6")
        self.wait_focus_on(app, ("push button", "Yeni"))
        app.key("F6")
        self.wait_focus_on(app, document)
        app.key("F6")
        self.wait_focus_on(app, ("push button", "Yeni"))
        self.walk_to(app, "Tab", ("check box", "Madde İmi"))
        self.assertEqual(self.walk_to(app, "shift+Tab", document), list(reversed(stops)) + [document])
        app.key("F6")
        self.walk_to(app, "Tab", ("check box", "Sola Yasla"))
        self.assertEqual(self.walk_to(app, "Right", ("check box", "Sağa Yasla")),
                         [("check box", "Sola Yasla"), ("check box", "Ortala"), ("check box", "Sağa Yasla")])
        self.assertEqual(app.state()["editor"]["alignment"], "right")
        self.walk_to(app, "Left", ("check box", "Sola Yasla"))
        self.assertEqual(app.state()["editor"]["alignment"], "left")
        app.key("F6")
        self.wait_focus_on(app, document)

        # An open menu and the document's context menu carry names.
        app.key("alt+d")
        menu = self.tree(app, "TORVANTA Kelmora s1.06", lambda t: ("popup menu", "Dosya") in rows(t))
        self.assert_all_named(menu)
        app.key("Escape", "Escape")
        # The document's context menu opens from the keyboard too (a reader
        # meets a context menu through its focus, not in the window's tree).
        app.key("Menu")
        app.wait(lambda s: s.get("menu", {}).get("name") == "PopupMenu1", 5, "the document's context menu")
        app.key("Escape")

        # Save As gives the document, and so its editor, the file's name.
        path = os.path.join(app.workdir, "okunur.rtf")
        app.key("alt+d", "f")
        app.wait(lambda s: any(w["title"] == "Kaydet" and w["modal"] for w in s["windows"]), 5, "the save dialog")
        app.type(path)
        app.key("Return")
        tree = self.tree(app, "TORVANTA Kelmora s1.06", lambda t: ("text", path) in rows(t))
        self.assert_window(tree, [("frame", "TORVANTA Kelmora s1.06")] + document_rows(path) + FRAME_MENUS
                           + FRAME_BARS + FRAME_STATUS)

    @scenario(timeout=240, accessible=True)
    def test_search_and_paragraph_dialogs(self, app):
        self.new_document(app)
        app.type("arama")
        app.key("ctrl+f")
        tree = self.tree(app, "Metin Ara")
        self.assert_window(tree, SEARCH)
        self.wait_focus_on(app, SEARCH_TABS[0])
        self.assertEqual(self.tab_walk(app), SEARCH_TABS)
        self.assert_reachable(tree, SEARCH_TABS)
        app.key("Escape")
        self.wait_no_modal(app)

        app.key("alt+b", "p")
        tree = self.tree(app, "Paragraf Ayarı")
        self.assert_window(tree, PARAGRAPH)
        checkpoint(app, "accessibility-paragraph")
        app.key("Tab")  # the dialog leaves the first focus to the platform
        self.wait_focus_on(app, PARAGRAPH_TABS[1])
        app.key("shift+Tab")
        self.wait_focus_on(app, PARAGRAPH_TABS[0])
        self.assertEqual(self.tab_walk(app), PARAGRAPH_TABS)
        self.assert_reachable(tree, PARAGRAPH_TABS)
        app.key("Escape")
        self.wait_no_modal(app)

    @scenario(timeout=240, accessible=True)
    def test_font_and_colour_dialogs(self, app):
        self.new_document(app)
        app.key("alt+b", "y")
        tree = self.tree(app, "Yazı Tipi")
        self.assert_window(tree, FONT)
        self.wait_focus_on(app, FONT_TABS[0])
        self.assertEqual(self.tab_walk(app), FONT_TABS)
        self.assert_reachable(tree, FONT_TABS)
        app.key("Escape")
        self.wait_no_modal(app)

        # The colour dialog is Qt's own: its names come from Qt's Turkish texts.
        app.key("F6")
        self.wait_focus_on(app, ("push button", "Yeni"))
        for _ in range(40):
            if self.focused(app) == ("push button", "Yazı Rengi"):
                break
            self.press_until_moved(app, "Tab", self.focused(app))
        app.key("space")
        tree = self.tree(app, "Renk Seç")
        self.assert_all_named(tree)
        checkpoint(app, "accessibility-colour")
        visited = self.tab_walk(app)
        self.assert_reachable(tree, visited)
        app.key("Escape")
        self.wait_no_modal(app)

    @scenario(timeout=240, accessible=True)
    def test_about_box(self, app):
        app.key("alt+y", "h")
        tree = self.tree(app, "TORVANTA Kelmora s1.06", role="dialog")
        self.assert_window(tree, ABOUT)
        checkpoint(app, "accessibility-about")
        # Tab reaches the two links; the picture buttons have their keys.
        app.key("Tab")
        self.wait_focus_on(app, ABOUT_TABS[0])
        checkpoint(app, "accessibility-about-link")
        self.assertEqual(self.tab_walk(app), ABOUT_TABS)
        self.assert_reachable(tree, ABOUT_TABS, keyed=[("push button", "TORVANTA Team"), ("push button", "Tamam")])
        # Ctrl+Alt+T flips the team panel as the picture does: its lines are read.
        app.key("ctrl+alt+t")
        team = self.tree(app, "TORVANTA Kelmora s1.06", lambda t: len(rows(t)) == len(ABOUT) + 1, role="dialog")
        self.assertEqual(rows(team)[2][0], "label")
        self.assertTrue(rows(team)[2][1].startswith("Project Manager\n"), rows(team)[2])
        # So does the reader's press on the picture button.
        self.reader(app).ask({"cmd": "press", "window": "TORVANTA Kelmora s1.06", "role": "push button",
                              "name": "TORVANTA Team"})
        self.tree(app, "TORVANTA Kelmora s1.06", lambda t: len(rows(t)) == len(ABOUT), role="dialog")
        app.key("Escape")
        self.wait_no_modal(app)

    @scenario(timeout=240, accessible=True)
    def test_version_check_and_close_prompt(self, app):
        # No server answers here: the check ends in its connection message,
        # over the dialog still waiting.
        app.key("alt+y", "Up", "Return")
        box = self.tree(app, "Dikkat", timeout=90)
        self.assert_window(box, [("alert", "Dikkat"), ("image", ""), ("label", NO_CONNECTION),
                                 ("push button", "Tamam")])
        dialog = self.tree(app, "TORVANTA Kelmora s1.06", role="dialog")
        self.assert_window(dialog, VERSION_WAITING)
        # Each value is labelled by its caption box; the picture buttons have their keys.
        values = [e for e in dialog if e["role"] == "label" and e["labels"]]
        self.assertEqual([v["labels"] for v in values], [[c] for c in VERSION_CAPTIONS])
        keys = {e["name"]: e["keys"] for e in dialog if e["role"] == "push button"}
        self.assertEqual(keys, {"Tamam": ["Alt+T"], "Güncelle": ["Alt+G"], "Kapat": []})
        checkpoint(app, "accessibility-version")
        app.key("Return")
        self.wait_no_modal(app, 10)

        self.new_document(app)
        app.type("kaydedilmedi")
        app.key("ctrl+w")
        prompt = self.tree(app, "Dikkat")
        self.assert_window(prompt, CLOSE_PROMPT)
        self.wait_focus_on(app, ("push button", "Evet"))
        visited = self.tab_walk(app)
        self.assert_reachable(prompt, visited)
        app.key("Escape")
        self.wait_no_modal(app)


if __name__ == "__main__":
    unittest.main()
