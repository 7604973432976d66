"""The frame's ten shortcuts with real keys, with and without a document."""

import unittest

from kelmora_e2e import E2ETest, checkpoint, scenario


class Shortcuts(E2ETest):
    @scenario()
    def test_without_a_document_only_new_and_open_answer(self, app):
        for keys in ["ctrl+w", "ctrl+s", "ctrl+z", "ctrl+x", "ctrl+c", "ctrl+v", "ctrl+b", "ctrl+f"]:
            app.key(keys)
        s = app.state()
        self.assertNotIn("modal", s)
        self.assertEqual(s["documents"]["windows"], [])
        app.key("ctrl+o")
        s = app.wait(lambda s: any(w["title"] == "Aç" and w["modal"] for w in s["windows"]), 5, "the open dialog")
        app.key("Escape")
        self.wait_no_modal(app)
        app.key("ctrl+n")
        app.wait(lambda s: [w["title"] for w in s["documents"]["windows"]] == ["ADSIZ1"], 5, "ADSIZ1")
        self.assertTrue(app.alive())

    @scenario()
    def test_with_a_document_the_frame_wins_over_the_editor(self, app):
        self.new_document(app)
        app.type("bir iki")
        self.wait_text(app, "bir iki")
        # Ctrl+B selects all and never bolds.
        app.key("ctrl+b")
        s = app.wait(lambda s: s["editor"]["selected"] == "bir iki", 5, "everything selected")
        self.assertFalse(s["editor"]["bold"])
        self.assertFalse(app.widget("ToolButton18")["checked"])
        app.key("ctrl+c", "End", "ctrl+v")
        self.wait_text(app, "bir ikibir iki")
        app.key("ctrl+b", "ctrl+x")
        self.wait_text(app, "")
        app.key("ctrl+z")
        self.wait_text(app, "bir ikibir iki")
        app.key("ctrl+f")
        app.wait(lambda s: s.get("modal") == "metin_ara", 5, "the search dialog")
        app.key("Escape")
        self.wait_no_modal(app)
        app.key("ctrl+s")
        app.wait(lambda s: any(w["title"] == "Kaydet" and w["modal"] for w in s["windows"]), 5, "the save dialog")
        app.key("Escape")
        self.wait_no_modal(app)
        app.key("ctrl+o")
        app.wait(lambda s: any(w["title"] == "Aç" and w["modal"] for w in s["windows"]), 5, "the open dialog")
        app.key("Escape")
        self.wait_no_modal(app)
        # Ctrl+W asks about the changes; Escape is Cancel and keeps the window.
        app.key("ctrl+w")
        self.wait_box(app, "ADSIZ1 Dosyasındaki Değişiklikleri Kaydetmek İstiyor musunuz?")
        checkpoint(app, "shortcuts-close-prompt")
        app.key("Escape")
        s = self.wait_no_modal(app)
        self.assertEqual(len(s["documents"]["windows"]), 1)


if __name__ == "__main__":
    unittest.main()
