"""Open and Save As through the real file dialogs."""

import os
import unittest

from kelmora_e2e import E2ETest, FRAME_TITLE, checkpoint, scenario

BIG_RTF = (r"{\rtf1\ansi\ansicpg1254\deff0{\fonttbl{\f0 Arial;}}"
           r"\pard\fs240 Dev\par\pard\fs24 " + " ".join("satir%d" % i for i in range(2000)) + r"\par}")


class Files(E2ETest):
    @scenario()
    def test_open_puts_the_caret_at_the_start_and_keeps_big_sizes(self, app):
        path = os.path.join(app.workdir, "buyuk.rtf")
        with open(path, "w") as f:
            f.write(BIG_RTF)
        app.key("ctrl+o")
        app.wait(lambda s: any(w["title"] == "Aç" and w["modal"] for w in s["windows"]), 5, "the open dialog")
        app.type(path)
        app.key("Return")
        s = app.wait(lambda s: s["documents"]["current"] == path and "modal" not in s, 10, "the opened document")
        self.assertEqual(s["editor"]["position"], 0)
        self.assertEqual(s["editor"]["scrollY"], 0)
        # The bar shows the first paragraph's 120 points in full.
        app.wait(lambda s: app.widget("ComboBox2")["text"] == "120", 5, "120 in the size box")
        app.type("X")
        s = app.wait(lambda s: s["editor"].get("text", "").startswith("XDev"), 5, "X typed at the start")
        checkpoint(app, "files-opened")
        # The font dialog opened from the boxes writes 120 back, not 12.
        app.key("ctrl+b")
        app.key("alt+b")
        app.wait(lambda s: s.get("menu", {}).get("name") == "Biim1", 5, "the Format menu")
        app.key("y")
        app.wait(lambda s: any(w["modal"] and w["title"] != FRAME_TITLE for w in s["windows"]), 5, "the font dialog")
        app.key("Return")
        self.wait_no_modal(app)
        app.key("ctrl+Home", "Right")
        s = app.wait(lambda s: s["editor"]["position"] == 1, 5, "the caret after X")
        self.assertEqual(s["editor"]["pointSize"], 120)

    @scenario(layout="tr")
    def test_save_as_with_each_filter(self, app):
        self.new_document(app)
        app.type("düz metin")
        app.key("alt+d")
        app.wait(lambda s: s.get("menu", {}).get("name") == "File1", 5, "the File menu")
        app.key("f")
        app.wait(lambda s: any(w["title"] == "Kaydet" and w["modal"] for w in s["windows"]), 5, "the save dialog")
        plain = os.path.join(app.workdir, "duz")
        app.type(plain)
        app.key("Return")
        app.wait(lambda s: s["documents"]["current"] == plain + ".TXT", 5, "the .TXT title")
        with open(plain + ".TXT", "rb") as f:
            self.assertEqual(f.read().decode("utf-8").rstrip("\r\n"), "düz metin")
        # Filter 2 writes RTF; the dialog remembers the last name and filter.
        app.type(" ve zengin")
        app.key("alt+d")
        app.wait(lambda s: s.get("menu", {}).get("name") == "File1", 5, "the File menu")
        app.key("f")
        s = app.wait(lambda s: s["focus"]["class"] == "QLineEdit" and s.get("modal"), 5, "the save dialog")
        # The dialog opens with the name and filter chosen last.
        self.assertEqual(app.widget("fileTypeCombo")["text"], "Txt Dosyası")
        app.click_widget("fileTypeCombo")
        app.wait(lambda s: app.widget("fileTypeCombo")["popup"], 5, "the filter list open")
        app.key("Down", "Return")
        app.wait(lambda s: app.widget("fileTypeCombo")["text"] == "Zengin Metin Dosyası", 5, "filter 2 chosen")
        app.click_widget("fileNameEdit")
        app.key("ctrl+a")
        rich = os.path.join(app.workdir, "zengin")
        app.type(rich)
        app.key("Return")
        app.wait(lambda s: s["documents"]["current"] == rich + ".RTF", 5, "the .RTF title")
        with open(rich + ".RTF", "rb") as f:
            self.assertTrue(f.read().startswith(b"{\\rtf1"))
        self.assertEqual(app.doc_text(rich + ".RTF").rstrip("\n"), "düz metin ve zengin")

    @scenario(timeout=240)
    def test_a_file_open_refused_is_not_overwritten_by_save(self, app):
        # A log of 1,250,000 short lines, 16 MB: more paragraphs than the
        # editor can show, so Open refuses it and leaves an empty window.
        path = os.path.join(app.workdir, "kayitlar.log")
        content = b"".join(b"log %08d\n" % i for i in range(1250000))
        with open(path, "wb") as f:
            f.write(content)
        app.key("ctrl+o")
        app.wait(lambda s: any(w["title"] == "Aç" and w["modal"] for w in s["windows"]), 5, "the open dialog")
        app.type(path)
        app.key("Return")
        self.wait_box(app, "Failed to Load Stream.", 120)
        app.key("Return")
        s = self.wait_frame_active(app)
        self.assertEqual(s["documents"]["current"], path)
        self.assertEqual(s["editor"].get("text"), "")
        # The boxes show the empty editor's face and size.
        self.assertEqual(app.widget("ComboBox1")["text"], "Arial")
        self.assertEqual(app.widget("ComboBox2")["text"], "12")
        # Save asks for a name, on the file's own folder and name.
        app.key("ctrl+s")
        app.wait(lambda s: any(w["title"] == "Kaydet" and w["modal"] for w in s["windows"]), 10, "the save dialog")
        app.wait(lambda s: app.widget("fileNameEdit")["text"] == "kayitlar.log", 5, "the file's name in the dialog")
        self.assertEqual(app.widget("lookInCombo")["text"], app.workdir)
        checkpoint(app, "files-unread-save-dialog")
        app.key("Escape")
        s = self.wait_frame_active(app)
        self.assertEqual(s["documents"]["current"], path)
        with open(path, "rb") as f:
            self.assertTrue(f.read() == content, "the refused file was changed")


if __name__ == "__main__":
    unittest.main()
