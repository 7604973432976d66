"""The hint line under the mouse and the keyboard, and the frame as the window
manager shows it."""

import unittest

from kelmora_e2e import E2ETest, FRAME_TITLE, checkpoint, scenario


class Hints(E2ETest):
    @scenario()
    def test_menus_opened_from_the_keyboard_update_the_hint_line(self, app):
        s = app.state()
        frame = [w for w in s["windows"] if w["title"] == FRAME_TITLE][0]
        self.assertTrue(frame["maximized"])
        self.assertEqual((frame["rect"]["w"], frame["rect"]["h"]), (1280, 800))
        checkpoint(app, "hints-frame-1280x800")
        app.key("alt+d")
        app.wait(lambda s: s.get("menu", {}).get("active") == "&Yeni", 5, "the File menu with Yeni highlighted")
        app.wait(lambda s: s["hint"] == "Yeni Dosya ", 5, "Yeni's hint")
        app.key("Down")
        app.wait(lambda s: s["hint"] == "Dosya Aç", 5, "Aç's hint")
        app.key("Escape", "Escape")
        app.wait(lambda s: "menu" not in s, 5, "menus closed")

    @scenario()
    def test_mouse_over_menu_items_and_boxes(self, app):
        self.new_document(app)
        app.type("ipucu")
        app.key("ctrl+b")
        titles = app.ask({"cmd": "menubar"})["titles"]
        app.click_rect(titles[1]["rect"])  # Düzen
        s = app.wait(lambda s: s.get("menu", {}).get("name") == "Edit1", 5, "the Edit menu")
        kes = [i for i in s["menu"]["items"] if i["text"] == "&Kes"][0]
        app.move(kes["rect"]["x"] + 20, kes["rect"]["y"] + kes["rect"]["h"] // 2)
        app.wait(lambda s: s["hint"] == "Cuts the selection and puts it on the Clipboard", 5, "Kes's hint")
        app.key("Escape")
        size = app.widget("ComboBox2")["rect"]
        app.move(size["x"] + 10, size["y"] + 5)
        app.wait(lambda s: s["hint"] == "Yazı Büyüklüğü", 5, "the size box's hint")
        face = app.widget("ComboBox1")["rect"]
        app.move(face["x"] + 10, face["y"] + 5)
        app.wait(lambda s: s["hint"] == "", 5, "the face box empties the line")

    @scenario()
    def test_context_menu_items_update_the_hint_line(self, app):
        self.new_document(app)
        app.type("kes beni")
        app.key("ctrl+b")
        r = app.state()["editor"]["rect"]
        app.click(r["x"] + 30, r["y"] + 10, button=3)
        app.wait(lambda s: s.get("menu", {}).get("name") == "PopupMenu1", 5, "the document menu")
        app.key("Down")
        app.wait(lambda s: s.get("menu", {}).get("active") == "Kes", 5, "Kes highlighted")
        app.wait(lambda s: s["hint"] == "Cuts the selection and puts it on the Clipboard", 5, "Kes's hint")
        app.key("Down")
        app.wait(lambda s: s["hint"] == "Copies the selection and puts it on the Clipboard", 5, "Kopyala's hint")
        app.key("Escape")


if __name__ == "__main__":
    unittest.main()
