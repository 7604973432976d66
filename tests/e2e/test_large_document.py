"""A large document edited while Qt still lays it out in the background."""

import os
import re
import time
import unittest

from kelmora_e2e import E2ETest, checkpoint, scenario

PARAGRAPHS = 73000
WORDS = ("kalem kitap defter masa sandalye pencere kap\\'fd a\\'f0a\\'e7 \\'e7i\\'e7ek deniz "
         "g\\'fcne\\'fe bulut yol ta\\'fe").split()


def write_rtf(path):
    """About 10 MB of short formatted paragraphs, "Paragraf N: ...", one line each."""
    parts = [r"{\rtf1\ansi\ansicpg1254\deff0{\fonttbl{\f0\fswiss Arial;}}"
             r"{\colortbl;\red0\green0\blue0;\red200\green0\blue0;}" "\n"]
    for n in range(1, PARAGRAPHS + 1):
        words = " ".join(WORDS[(n * 7 + k * 3) % len(WORDS)] for k in range(10))
        parts.append(r"\pard\plain\f0\fs24 Paragraf %d: {\b %s} {\i\cf2 son}\par" % (n, words) + "\n")
    parts.append("}")
    with open(path, "w") as f:
        f.write("".join(parts))


def paragraph_number(text):
    m = re.match(r"x?Paragraf (\d+):", text)
    return int(m.group(1)) if m else None


class LargeDocument(E2ETest):
    @scenario(timeout=240)
    def test_a_key_typed_while_the_layout_runs_leaves_every_paragraph_reachable(self, app):
        path = os.path.join(app.workdir, "buyuk.rtf")
        write_rtf(path)
        self.assertGreater(os.path.getsize(path), 9_500_000)
        app.key("ctrl+o")
        # Keys typed before the name box has the focus would be lost.
        app.wait(lambda s: any(w["title"] == "Aç" and w["modal"] for w in s["windows"])
                 and s.get("focus", {}).get("class") == "QLineEdit", 10, "the open dialog's name box")
        app.type(path)
        app.key("Return")
        s = app.wait(lambda s: s["documents"]["current"] == path and "modal" not in s and s["editor"].get("focus"),
                     120, "the opened document")
        opened = time.monotonic()
        # The keystroke comes while Qt is still laying the document out.
        self.assertFalse(s["editor"]["laidOut"])
        app.key("x")
        self.assertLess(time.monotonic() - opened, 0.5)
        app.wait(lambda s: s["editor"]["position"] == 1, 10, "x typed at the start")
        length = app.state()["editor"]["length"]
        app.key("ctrl+End")
        app.wait(lambda s: s["editor"]["position"] == length, 30, "the caret at the end")
        app.key("Prior", "Prior", "Prior")
        s = app.wait(lambda s: s["editor"]["scrollY"] > 0 and s["editor"]["position"] < length, 10, "three pages up")
        time.sleep(0.5)
        s = app.state()
        shown = [paragraph_number(t) for t in s["editor"]["visibleParagraphs"]]
        checkpoint(app, "large-document-three-pages-up")
        # Three pages above the end, and one paragraph after another: none of
        # the ones in between is skipped on screen.
        self.assertTrue(shown and all(n is not None for n in shown), shown)
        self.assertGreater(shown[0], PARAGRAPHS - 200)
        self.assertLess(shown[-1], PARAGRAPHS)
        self.assertEqual(shown, list(range(shown[0], shown[0] + len(shown))))


if __name__ == "__main__":
    unittest.main()
