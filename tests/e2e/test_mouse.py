"""Right clicks on the menu bar, the bars and a document; a double click on a word."""

import time
import unittest

from kelmora_e2e import E2ETest, checkpoint, scenario


class Mouse(E2ETest):
    @scenario()
    def test_right_clicks(self, app):
        titles = app.ask({"cmd": "menubar"})["titles"]
        end = titles[-1]["rect"]
        # The menu bar offers no menu of its own.
        for x, y in [(end["x"] + end["w"] + 200, end["y"] + end["h"] // 2),
                     (titles[0]["rect"]["x"] + 10, titles[0]["rect"]["y"] + 5)]:
            app.click(x, y, button=3)
            time.sleep(0.3)
            self.assertNotIn("menu", app.state(), "no menu from a right click on the menu bar")
        # A right click on a bar shows the toolbar menu; its items and the View menu agree.
        gap = app.widget("ToolButton7")["rect"]
        app.click(gap["x"] + 4, gap["y"] + gap["h"] // 2, button=3)
        s = app.wait(lambda s: s.get("menu", {}).get("name") == "PopupMenu2", 5, "the toolbar menu")
        self.assertEqual([i["text"] for i in s["menu"]["items"]], ["Araç Çubuğu", "Biçim Çubuğu"])
        checkpoint(app, "mouse-toolbar-menu")
        app.click_rect(s["menu"]["items"][0]["rect"])
        app.wait(lambda s: not app.widget("ToolBar2")["visible"], 5, "the standard bar hidden")
        app.key("alt+g")
        s = app.wait(lambda s: s.get("menu", {}).get("name") == "Grnm1", 5, "the View menu")
        self.assertEqual([i["checked"] for i in s["menu"]["items"]], [False, True, True])
        app.key("Escape", "Escape")
        # In a document: the document menu, whose clipboard items stay usable
        # while it is open.
        self.new_document(app)
        app.type("kopya")
        app.key("ctrl+b")
        r = app.state()["editor"]["rect"]
        app.click(r["x"] + 100, r["y"] + 100, button=3)
        s = app.wait(lambda s: s.get("menu", {}).get("name") == "PopupMenu1", 5, "the document menu")
        self.assertEqual([i["text"] for i in s["menu"]["items"] if not i["separator"]],
                         ["Kes", "Kopyala", "Yapıştır", "Tümünü Seç", "Sil", "Geri Al", "Paragraf"])
        time.sleep(0.5)  # the idle update of the clipboard items runs meanwhile
        copy = [i for i in app.state()["menu"]["items"] if i["text"] == "Kopyala"][0]
        self.assertTrue(copy["enabled"])
        app.click_rect(copy["rect"])
        app.wait(lambda s: "menu" not in s, 5, "the menu closed")
        app.key("End", "ctrl+v")
        self.wait_text(app, "kopyakopya")

    @scenario()
    def test_double_click_on_a_word_refreshes_the_bar(self, app):
        self.new_document(app)
        app.type("normal ")
        app.click_widget("ToolButton18")
        app.type("kalin")
        s = app.wait(lambda s: s["editor"]["bold"], 5, "bold typing")
        app.key("Home")
        for _ in range(7):
            app.key("Right")
        caret = app.wait(lambda s: s["editor"]["position"] == 7, 5, "the caret before the bold word")["editor"]
        app.key("End", "Home")
        app.wait(lambda s: not app.widget("ToolButton18")["checked"], 5, "bold released at the start")
        x = caret["caretRect"]["x"] + 2
        y = caret["caretRect"]["y"] + caret["caretRect"]["h"] // 2
        app.click(x, y, repeat=2)
        s = app.wait(lambda s: s["editor"]["selected"] == "kalin", 5, "the word selected")
        app.wait(lambda s: app.widget("ToolButton18")["checked"], 5, "bold pressed after the double click")


if __name__ == "__main__":
    unittest.main()
