"""Pictures in another program's file: each takes its space on screen, drawn or
framed, and a typed letter and Ctrl+S keep every picture's bytes."""

import os
import re
import unittest

from kelmora_e2e import E2ETest, checkpoint, scenario

# A Windows metafile (which is shown as a frame) and a PNG (which is drawn),
# each one inch high on the page.
WMF = ("0100090000032c00000001000700000000000400000003010800050000000b0200000000050000000c02f401e80307000000fc020000"
       "c0303000000004000000 2d010000070000001b04c201b60332003200030000000000")
PNG = ("89504e470d0a1a0a0000000d49484452000000100000000c0802000000e485aad60000015b4944415478da0dcba191c5200040c12be717"
       "8044e0a1800c3a068744e0490119f433b848443c14c0a031747259bf7f3f89902889911c9253e2255172496e099247f24aba644896e4ef"
       "a7111aa5319a43736abc266a2ecdad41f3685e4dd70ccdd25fb0088bb218cb61392dde122d97e5b660792cafa55b8665d92f388443398c"
       "e3709c0eef888ecb713b703c8ed7d11dc3b1dc170222a002267004ce800fc4c015b803049ec01be8811158e10b0991500993381267c227"
       "62e24adc09124fe24df4c448acf4858cc8a88cc91c9933e333317365ee0c9927f3667a666456fe42411454c1148ec259f08558b80a7781"
       "c253780bbd300aab7ca1222aaa622a47e5acf84aac5c95bb42e5a9bc955e199555bfd0100dd5308da371367c2336aec6dda0f134de466f"
       "8cc66a5f9888899a98c93139277e1227d7e49e307926efa44fc664cd2f6cc4466dcce6d89c1bbf899b6b736fd83c9b77d33763b336ff9f"
       "644470171324720000000049454e44ae426082")
RTF = (r"{\rtf1\ansi\ansicpg1254\deff0{\fonttbl{\f0 Arial;}}\pard\f0\fs24 Baslik\par "
       r"{\pict\wmetafile8\picw1764\pich882\picwgoal2880\pichgoal1440 " + WMF + r"}\par "
       r"{\pict\pngblip\picw423\pich318\picwgoal1920\pichgoal1440 " + PNG + r"}\par Son\par}")


def hex_payloads(data):
    """The hex bytes of every picture group, in order, without white space."""
    text = data.decode("latin-1")
    return [re.sub(r"\s", "", m).lower() for m in re.findall(r"\\pict[^{}]*?\s([0-9a-fA-F\s]{40,})}", text)]


class Pictures(E2ETest):
    @scenario()
    def test_pictures_take_their_space_and_survive_typing_and_save(self, app):
        path = os.path.join(app.workdir, "resimler.rtf")
        with open(path, "w") as f:
            f.write(RTF)
        original = hex_payloads(RTF.encode())
        self.assertEqual(len(original), 2)
        app.key("ctrl+o")
        app.wait(lambda s: any(w["title"] == "Aç" and w["modal"] for w in s["windows"]), 5, "the open dialog")
        app.type(path)
        app.key("Return")
        s = app.wait(lambda s: s["documents"]["current"] == path and "modal" not in s, 10, "the opened document")
        text_line = s["editor"]["caretRect"]["h"]
        # Each picture's line is as tall as the picture (an inch), far taller
        # than a line of 12-point text.
        for line in ("the metafile's line", "the PNG's line"):
            app.key("Down")
            s = app.wait(lambda s, y=s["editor"]["caretRect"]["y"]: s["editor"]["caretRect"]["y"] > y, 5, line)
            self.assertGreater(s["editor"]["caretRect"]["h"], 3 * text_line, line)
        checkpoint(app, "pictures-opened")
        app.key("ctrl+End")
        app.type("X")
        app.wait(lambda s: "SonX" in s["editor"].get("text", ""), 5, "X typed at the end")
        app.key("ctrl+s")
        app.wait(lambda s: "SonX" in app.doc_text(path), 10, "the document saved")
        with open(path, "rb") as f:
            self.assertEqual(hex_payloads(f.read()), original)


if __name__ == "__main__":
    unittest.main()
