"""Typing into a document with real keys on a Turkish keyboard: the letters,
paragraphs, Tab, and what the saved file holds."""

import os
import unittest

from kelmora_e2e import E2ETest, checkpoint, scenario

TURKISH_KEYSYMS = ["ccedilla", "gbreve", "idotless", "odiaeresis", "scedilla", "udiaeresis",
                   "Ccedilla", "Gbreve", "Iabovedot", "Odiaeresis", "Scedilla", "Udiaeresis"]
TURKISH = "çğıöşüÇĞİÖŞÜ"


class Typing(E2ETest):
    @scenario(layout="tr")
    def test_turkish_keyboard_letters_reach_the_document_and_the_file(self, app):
        self.new_document(app)
        app.key(*TURKISH_KEYSYMS)
        app.key("space", "i", "shift+i")  # the i key gives i and İ on this layout
        self.wait_text(app, TURKISH + " iİ")
        checkpoint(app, "typing-turkish")
        # Save through the real dialog; the name has no dot, so .TXT is added.
        path = os.path.join(app.workdir, "harfler")
        app.key("ctrl+s")
        app.wait(lambda s: s.get("modal") and s["focus"]["class"] == "QLineEdit", 5, "the save dialog")
        app.type(path)
        app.key("Return")
        self.wait_no_modal(app)
        app.wait(lambda s: s["documents"]["current"] == path + ".TXT", 5, "the new title")
        self.assertEqual(app.doc_text(path + ".TXT").rstrip("\n"), TURKISH + " iİ")

    @scenario(layout="tr")
    def test_typed_text_paragraphs_and_tab(self, app):
        # Typed through the Turkish layout's own keys (no remapped keycodes,
        # which can race with the program under load).
        self.new_document(app)
        app.type("Şu ağaçlı yolda İzmir'e ılık rüzgar")
        self.wait_text(app, "Şu ağaçlı yolda İzmir'e ılık rüzgar")
        # Enter starts a new paragraph, on an empty line too; Tab is a focus
        # key, never typed.
        app.key("Return", "Return")
        app.type("ikinci")
        app.key("Tab")
        app.type("x")
        s = app.wait(lambda s: s["editor"]["text"].endswith("x"), 5, "the x after Tab")
        self.assertEqual(s["editor"]["text"], "Şu ağaçlı yolda İzmir'e ılık rüzgar\n\nikincix")


if __name__ == "__main__":
    unittest.main()
