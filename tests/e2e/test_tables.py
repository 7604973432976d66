"""A file with tables opens showing its grid; typing in a cell and Ctrl+S keep the tables."""

import json
import os
import shutil
import subprocess
import unittest

from kelmora_e2e import DOC, E2ETest, checkpoint, scenario

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "rtf")


def tables(path):
    """The tables kelmora-doc finds in a saved file: (rows, columns, spans) each."""
    dump = json.loads(subprocess.run([DOC, "dump", path], check=True, capture_output=True).stdout)
    return [(t["rows"], t["columns"], sorted((c["row"], c["column"], c["rowSpan"], c["columnSpan"])
                                             for c in t["cells"] if not c["filler"])) for t in dump["tables"]]


def text(path):
    return subprocess.run([DOC, "text", path], check=True, capture_output=True).stdout.decode()


class Tables(E2ETest):
    @scenario()
    def test_typing_in_a_cell_and_saving_keeps_the_tables(self, app):
        path = os.path.join(app.workdir, "birlesik.rtf")
        shutil.copy(os.path.join(DATA, "table-word97-merged.rtf"), path)
        before = tables(path)
        self.assertEqual(len(before), 1)
        app.key("ctrl+o")
        app.wait(lambda s: any(w["title"] == "Aç" and w["modal"] for w in s["windows"]), 5, "the open dialog")
        app.type(path)
        app.key("Return")
        app.wait(lambda s: s["documents"]["current"] == path and "modal" not in s, 10, "the opened document")
        checkpoint(app, "tables-opened")
        # Down from the first line goes into the first cell ("Başlık").
        app.key("ctrl+Home", "Down", "End")
        app.type(" yeni")
        app.wait(lambda s: "Başlık yeni" in s["editor"].get("text", ""), 5, "the text typed in the cell")
        checkpoint(app, "tables-typed")
        app.key("ctrl+s")
        app.wait(lambda s: "Başlık yeni" in text(path), 10, "the saved file")
        self.assertEqual(tables(path), before)
        self.assertEqual(text(path).splitlines()[1], "Başlık yeni\tNot")


if __name__ == "__main__":
    unittest.main()
