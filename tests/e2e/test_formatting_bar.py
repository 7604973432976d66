"""The formatting bar with real keys and clicks: the size and face boxes
(which keep the focus themselves), the style and alignment buttons."""

import unittest

from kelmora_e2e import E2ETest, checkpoint, scenario


def select_box(app, name):
    app.click_widget(name)
    app.wait(lambda s: s["focus"]["name"] == name, 5, "focus in " + name)
    app.key("ctrl+a")


class FormattingBar(E2ETest):
    @scenario()
    def test_size_box_digits_letters_backspace_and_enter(self, app):
        self.new_document(app)
        app.type("metin")
        app.key("ctrl+b")
        select_box(app, "ComboBox2")
        before = app.state()["editor"]["undoSteps"]
        app.type("3")  # completes to 30 and applies it once
        s = app.wait(lambda s: app.widget("ComboBox2")["text"] == "30", 5, "30 in the size box")
        self.assertEqual(s["editor"]["pointSize"], 30)
        self.assertEqual(s["editor"]["undoSteps"], before + 1, "one change, one write")
        # A letter beeps and never reaches the box: no error box follows.
        app.type("a")
        s = app.state()
        self.assertNotIn("messageBox", s)
        self.assertEqual(app.widget("ComboBox2")["text"], "30")
        # Backspace to empty reports the conversion error with nothing between the quotes.
        app.key("End", "BackSpace", "BackSpace")
        self.wait_box(app, "'' is not a valid integer value.")
        app.key("Return")
        self.wait_no_modal(app)
        app.wait(lambda s: s["focus"]["name"] == "ComboBox2", 5, "the focus back in the box")
        app.type("1")
        app.wait(lambda s: app.widget("ComboBox2")["text"] == "10", 5, "10 in the size box")
        app.type("4")  # replaces the completed tail
        app.wait(lambda s: app.widget("ComboBox2")["text"] == "14", 5, "14 in the size box")
        app.key("End")
        app.type("7")  # the box takes two typed characters
        self.assertEqual(app.widget("ComboBox2")["text"], "14")
        # Enter applies again and hands the focus back to the document.
        app.key("Return")
        s = self.wait_focus(app, "RichEdit1")
        self.assertEqual(s["editor"]["pointSize"], 14)
        app.key("End")
        app.type("x")
        s = self.wait_text(app, "metinx")
        self.assertEqual(app.widget("ComboBox2")["text"], "14")
        checkpoint(app, "formatting-size-box")

    @scenario()
    def test_face_box_completes_and_applies_once(self, app):
        self.new_document(app)
        app.type("yazi")
        app.key("ctrl+b")
        select_box(app, "ComboBox1")
        before = app.state()["editor"]["undoSteps"]
        app.type("liberation se")
        s = app.wait(lambda s: app.widget("ComboBox1")["text"] == "Liberation Serif", 5, "the completed face")
        self.assertEqual(s["editor"]["family"], "Liberation Serif")
        # Each keystroke whose completed text differs is one write; never two.
        self.assertLessEqual(s["editor"]["undoSteps"] - before, len("liberation se"))
        # Enter leaves the focus in the face box.
        app.key("Return")
        app.wait(lambda s: s["focus"]["name"] == "ComboBox1", 2, "the focus still in the face box")
        # Choosing from the opened list applies the chosen face.
        app.click_arrow("ComboBox1")
        app.wait(lambda s: app.widget("ComboBox1")["popup"], 5, "the face list open")
        app.key("Home", "Return")
        s = app.wait(lambda s: not app.widget("ComboBox1")["popup"], 5, "the list closed")
        first = app.widget("ComboBox1")["text"]
        app.wait(lambda s: s["editor"]["family"] == first, 5, "the first face applied")

    @scenario()
    def test_style_and_alignment_buttons(self, app):
        self.new_document(app)
        app.type("kalin")
        app.key("ctrl+b")
        app.click_widget("ToolButton18")
        s = app.wait(lambda s: s["editor"]["bold"], 5, "bold")
        self.assertTrue(app.widget("ToolButton18")["checked"])
        app.click_widget("ToolButton20")
        app.click_widget("ToolButton19")
        s = app.wait(lambda s: s["editor"]["italic"] and s["editor"]["underline"], 5, "italic and underlined")
        app.click_widget("ToolButton18")
        s = app.wait(lambda s: not s["editor"]["bold"], 5, "bold off again")
        self.assertFalse(app.widget("ToolButton18")["checked"])
        app.click_widget("ToolButton23")
        app.wait(lambda s: s["editor"]["alignment"] == "center", 5, "centred")
        self.assertTrue(app.widget("ToolButton23")["checked"])
        self.assertFalse(app.widget("ToolButton22")["checked"])
        app.click_widget("ToolButton23")
        self.assertTrue(app.widget("ToolButton23")["checked"])
        app.click_widget("ToolButton27")
        app.wait(lambda s: s["editor"]["bulleted"], 5, "bulleted")
        checkpoint(app, "formatting-buttons")


if __name__ == "__main__":
    unittest.main()
