"""The paragraph and search dialogs and the close prompt, with real keys."""

import os
import time
import unittest

from kelmora_e2e import E2ETest, checkpoint, scenario


def open_paragraph_dialog(app):
    app.key("alt+b")
    app.wait(lambda s: s.get("menu", {}).get("name") == "Biim1", 5, "the Format menu")
    app.key("p")
    return app.wait(lambda s: s.get("modal") == "paragraf_ayari", 5, "the paragraph dialog")


def iconify_and_restore(app, title):
    """Has the window manager iconify the window titled `title` and bring it back."""
    def visible():
        r = app.desktop.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title], check=False)
        return r.stdout.split()

    deadline = time.monotonic() + 5
    while not visible():
        assert time.monotonic() < deadline, "no visible window %r" % title
        time.sleep(0.05)
    wid = visible()[0]
    app.desktop.run(["xdotool", "windowminimize", "--sync", wid])
    app.desktop.run(["xdotool", "windowactivate", "--sync", wid])
    app.wait(lambda s: any(w["title"] == title and w["active"] for w in s["windows"]), 5,
             "%r restored and active" % title)


class Dialogs(E2ETest):
    @scenario()
    def test_paragraph_dialog_tab_order_filter_and_enter_from_a_box(self, app):
        self.new_document(app)
        app.type("paragraf")
        open_paragraph_dialog(app)
        app.click_widget("Edit1")
        self.wait_focus(app, "Edit1")
        order = []
        for _ in range(5):
            app.key("Tab")
            order.append(app.state()["focus"]["name"])
        self.assertEqual(order, ["Edit2", "Edit3", "Button1", "Button2", "ComboBox1"])
        app.click_widget("Edit1")
        app.key("ctrl+a")
        app.type("2a,-")  # letters, separators and signs are refused
        app.wait(lambda s: app.widget("Edit1")["text"] == "2", 5, "Edit1 = 2")
        # Delete and the arrows edit as usual.
        app.key("Home", "Delete")
        app.wait(lambda s: app.widget("Edit1")["text"] == "", 5, "Delete removing the digit")
        app.type("2")
        app.key("Tab", "ctrl+a")
        app.type("1")
        app.key("shift+Tab")
        self.wait_focus(app, "Edit1")
        app.key("Return")  # Enter from a box runs Tamam
        s = self.wait_no_modal(app)
        open_paragraph_dialog(app)
        self.assertEqual(app.widget("Edit1")["text"], "2")
        self.assertEqual(app.widget("Edit2")["text"], "1")
        # Escape closes without applying.
        app.click_widget("Edit1")
        app.key("ctrl+a")
        app.type("5")
        app.key("Escape")
        self.wait_no_modal(app)
        open_paragraph_dialog(app)
        self.assertEqual(app.widget("Edit1")["text"], "2")
        checkpoint(app, "dialogs-paragraph")
        app.key("Escape")

    @scenario()
    def test_paragraph_dialog_enter_from_the_alignment_list(self, app):
        self.new_document(app)
        app.type("ortala beni")
        open_paragraph_dialog(app)
        self.assertEqual(app.widget("ComboBox1")["text"], "Sola Dayalı")
        app.click_arrow("ComboBox1")
        app.wait(lambda s: app.widget("ComboBox1")["popup"], 5, "the alignment list open")
        app.key("Down", "Return")  # "Ortalı"
        app.wait(lambda s: app.widget("ComboBox1")["text"] == "Ortalı", 5, "Ortalı chosen")
        self.wait_focus(app, "ComboBox1")
        app.key("Return")
        s = self.wait_no_modal(app)
        self.assertEqual(s["editor"]["alignment"], "center")
        self.assertTrue(app.widget("ToolButton23")["checked"])

    @scenario()
    def test_search_dialog_enter_repeats_and_not_found(self, app):
        self.new_document(app)
        app.type("abab ab")
        app.key("ctrl+f")
        self.wait_focus(app, "Edit1")
        app.type("ab")
        positions = []
        for _ in range(3):
            app.key("Return")
            s = app.wait(lambda s: s["editor"]["selected"] == "ab", 5, "a match selected")
            positions.append(s["editor"]["anchor"])
            self.assertEqual(s["focus"]["name"], "Edit1")
        self.assertEqual(positions, [0, 2, 5])
        app.key("Return")
        self.wait_box(app, "Aranan Metin Bulunamadı")
        checkpoint(app, "dialogs-search-not-found")
        app.key("Return")
        app.wait(lambda s: s.get("modal") == "metin_ara" and "messageBox" not in s, 5, "back in the dialog")
        app.key("Return")
        s = app.wait(lambda s: s["editor"]["selected"] == "ab", 5, "from the start again")
        self.assertEqual(s["editor"]["anchor"], 0)
        app.key("Escape")
        self.wait_no_modal(app)

    @scenario()
    def test_restored_from_its_icon_a_dialog_keeps_what_was_typed(self, app):
        self.new_document(app)
        app.type("girinti")
        app.key("ctrl+f")
        self.wait_focus(app, "Edit1")
        app.type("kelime")
        iconify_and_restore(app, "Metin Ara")
        self.assertEqual(app.widget("Edit1")["text"], "kelime")
        app.key("Escape")
        self.wait_no_modal(app)
        open_paragraph_dialog(app)
        for box, value in (("Edit1", "3"), ("Edit3", "4")):
            app.click_widget(box)
            app.key("ctrl+a")
            app.type(value)
        iconify_and_restore(app, "Paragraf Ayarı")
        checkpoint(app, "dialogs-paragraph-restored")
        self.assertEqual([app.widget(b)["text"] for b in ("Edit1", "Edit2", "Edit3")], ["3", "0", "4"])
        app.click_widget("Edit1")
        app.key("Return")  # Tamam writes what was typed
        self.wait_no_modal(app)
        open_paragraph_dialog(app)
        self.assertEqual([app.widget(b)["text"] for b in ("Edit1", "Edit2", "Edit3")], ["3", "0", "4"])
        app.key("Escape")

    @scenario()
    def test_close_prompt_cancel_no_and_yes(self, app):
        self.new_document(app)
        app.type("vazgec")
        app.key("ctrl+w")
        prompt = "ADSIZ1 Dosyasındaki Değişiklikleri Kaydetmek İstiyor musunuz?"
        self.wait_box(app, prompt)
        app.key("Escape")
        self.wait_no_modal(app)
        app.key("ctrl+w")
        self.wait_box(app, prompt)
        self.press_button(app, None, "Hayır")
        app.wait(lambda s: s["documents"]["windows"] == [], 5, "the window closed")
        self.new_document(app)
        app.type("kaydet")
        app.key("ctrl+w")
        self.wait_box(app, prompt)
        self.press_button(app, None, "Evet")
        app.wait(lambda s: any(w["title"] == "Kaydet" and w["modal"] for w in s["windows"]), 5, "the save dialog")
        path = os.path.join(app.workdir, "evet.rtf")
        app.type(path)
        app.key("Return")
        app.wait(lambda s: s["documents"]["windows"] == [], 5, "the window closed after saving")
        self.assertEqual(app.doc_text(path).rstrip("\n"), "kaydet")


if __name__ == "__main__":
    unittest.main()
