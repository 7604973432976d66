"""The font dialog (Biçim > Yazı Tipi) and the colour dialog with real keys
and clicks: effects and colour applied and saved, the automatic colour kept,
where the dialogs open, and a run that leaves the user's settings untouched."""

import json
import os
import subprocess
import unittest

from kelmora_e2e import DOC, SCREEN, E2ETest, checkpoint, scenario


def open_font_dialog(app):
    app.key("alt+b")
    app.wait(lambda s: s.get("menu", {}).get("name") == "Biim1", 5, "the Format menu")
    app.key("y")
    return app.wait(lambda s: s.get("modal") == "FontDialog1", 5, "the font dialog")


def dialog_rect(state, name):
    return next(w["rect"] for w in state["windows"] if w["name"] == name)


def tick(app, name):
    """Clicks a check box on its square."""
    r = app.widget(name)["rect"]
    app.click(r["x"] + 7, r["y"] + r["h"] // 2)


def save_as_rtf(app, path):
    app.key("alt+d")
    app.wait(lambda s: s.get("menu", {}).get("name") == "File1", 5, "the File menu")
    app.key("f")
    app.wait(lambda s: any(w["title"] == "Kaydet" and w["modal"] for w in s["windows"]), 5, "the save dialog")
    app.click_widget("fileTypeCombo")
    app.wait(lambda s: app.widget("fileTypeCombo")["popup"], 5, "the filter list open")
    app.key("Down", "Return")
    app.wait(lambda s: app.widget("fileTypeCombo")["text"] == "Zengin Metin Dosyası", 5, "the RTF filter")
    app.click_widget("fileNameEdit")
    app.key("ctrl+a")
    app.type(path)
    app.key("Return")
    app.wait(lambda s: s["documents"]["current"] == path and "modal" not in s, 5, "the saved document")


def runs(path):
    out = subprocess.run([DOC, "dump", path], capture_output=True, check=True, timeout=30).stdout
    return [r for p in json.loads(out)["paragraphs"] for r in p["runs"]]


class FontDialog(E2ETest):
    def assert_placed(self, rect):
        # Centred across the screen, its top a third of the free height down
        # (the window manager's frame may shift it by a few pixels).
        width, height = SCREEN
        self.assertLessEqual(abs(rect["x"] + rect["w"] / 2 - width / 2), 4, rect)
        self.assertLessEqual(abs(rect["y"] - (height - rect["h"]) / 3), 30, rect)

    @scenario(timeout=120)
    def test_face_size_style_effects_and_colour_applied_and_saved(self, app):
        self.new_document(app)
        app.type("renkli yazi")
        app.key("ctrl+b")
        s = open_font_dialog(app)
        self.assert_placed(dialog_rect(s, "FontDialog1"))
        self.assertEqual(app.widget("FaceEdit")["text"], app.widget("ComboBox1")["text"])
        self.assertEqual(app.widget("SizeEdit")["text"], "12")
        self.assertEqual(app.widget("ColourBox")["text"], "Otomatik")
        app.click_widget("FaceEdit")
        app.key("ctrl+a")
        app.type("Liberation Serif")
        app.click_widget("SizeEdit")
        app.key("ctrl+a")
        app.type("20")
        app.click_widget("StyleList")
        app.key("Home", "Down", "Down")  # Normal, İtalik, Kalın
        tick(app, "StrikeOutBox")
        app.wait(lambda s: app.widget("StrikeOutBox")["checked"], 5, "Üstü çizili ticked")
        app.click_arrow("ColourBox")
        app.wait(lambda s: app.widget("ColourBox")["popup"], 5, "the colour list open")
        app.key(*["Up"] * 7, "Return")  # from Otomatik, the last, up to Kırmızı
        app.wait(lambda s: app.widget("ColourBox")["text"] == "Kırmızı", 5, "Kırmızı chosen")
        checkpoint(app, "font-dialog")
        app.click_widget("OkButton")
        s = self.wait_no_modal(app)
        self.assertEqual(s["editor"]["family"], "Liberation Serif")
        self.assertEqual(s["editor"]["pointSize"], 20)
        self.assertTrue(s["editor"]["bold"])
        path = os.path.join(app.workdir, "renkli.rtf")
        save_as_rtf(app, path)
        run = runs(path)[0]
        self.assertEqual((run["face"], run["size"], run["bold"], run["italic"], run["underline"], run["strikeout"],
                          run["colour"]), ("Liberation Serif", 20, True, False, False, True, "#ff0000"))
        # The style set is kept for the next showing.
        open_font_dialog(app)
        self.assertEqual(app.widget("StyleList")["text"], "Kalın")
        self.assertTrue(app.widget("StrikeOutBox")["checked"])
        app.key("Escape")
        self.wait_no_modal(app)

    @scenario(timeout=150)
    def test_automatic_colour_kept_and_no_settings_left_behind(self, app):
        self.new_document(app)
        app.type("otomatik")
        app.key("ctrl+b")
        open_font_dialog(app)
        app.click_widget("SizeEdit")
        app.key("ctrl+a")
        app.type("16")
        app.key("Return")  # OK, the colour left as it was
        self.wait_no_modal(app)
        # The open dialog starts in the working folder.
        app.key("ctrl+o")
        app.wait(lambda s: any(w["title"] == "Aç" and w["modal"] for w in s["windows"]), 5, "the open dialog")
        self.assertEqual(app.widget("lookInCombo")["text"], app.workdir)
        app.key("Escape")
        self.wait_no_modal(app)
        path = os.path.join(app.workdir, "otomatik.rtf")
        save_as_rtf(app, path)
        self.assertEqual([(r["size"], r["colour"]) for r in runs(path)], [(16, "auto")])
        # The colour dialog, placed like the font dialog; a custom colour added.
        self.wait_frame_active(app)
        app.click_widget("ToolButton26")
        s = app.wait(lambda s: any(w["modal"] and w["class"] == "QColorDialog" for w in s["windows"]), 5,
                     "the colour dialog")
        self.assert_placed(next(w["rect"] for w in s["windows"] if w["class"] == "QColorDialog"))
        checkpoint(app, "colour-dialog")
        app.key("Escape")
        self.wait_no_modal(app)
        config = os.path.join(app.home, ".config")
        left = [os.path.join(d, f) for d, _, files in os.walk(config) for f in files] if os.path.isdir(config) else []
        self.assertEqual(left, [], "nothing written under the user's configuration folder")


if __name__ == "__main__":
    unittest.main()
