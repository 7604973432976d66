#pragma once
// What kelmora-doc prints about a loaded document: how it was read, and, in
// the units and words the editing surface reports, alignment, first/left/right indent in whole points
// (twips / 20, truncated), numbering, runs of equal face, size (whole
// points, truncated), style, colour and link, and the pictures; and its
// tables, with their cells' places, spans and widths in twips and the
// paragraphs each holds.

#include "formats/DocumentIO.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace kelmora::tools {

// JSON: {"format": "rtf"|"plain", "malformed": b, "problem": s|null,
// "paragraphs": [{"alignment": "left"|"center"|"right"|"justify", "first": n,
// "left": n, "right": n, "numbering": "none"|"bullet"|"other", "runs":
// [{"text": s, "face": s, "size": n, "bold": b, "italic": b, "underline": b,
// "strikeout": b, "colour": "#rrggbb"|"auto"}, ...]}, ...],
// "tables": [{"depth": n, "rows": n, "columns": n, "left": twips, "gap":
// twips, "widths": [twips, ...], "continues": b, "cells": [{"row": n,
// "column": n, "rowSpan": n, "columnSpan": n, "width": twips, "filler": b,
// "paragraphs": [first, last]}, ...]}, ...]}
// Tables come in document order, each before those nested in it; a cell's
// paragraphs are indices into "paragraphs", nested tables' included.
// A run of linked text adds "link": {"target": s, "toolTip": s}; a picture
// is a run of its own: {"picture": {"kind": "png"|"jpeg"|"dib"|"emf"|"wmf"|
// "pict"|"os2"|"ddb"|"unknown", "width": n, "height": n (shown size in
// twips), "bytes": n (as kept)}}, with "link" when it is linked.
// "malformed" and "problem" are the RTF reader's report on the file; plain
// text adds "encoding": "utf-8"|"windows-1254", "byteOrderMark": b and
// "lineEnding": "crlf"|"lf"|"cr", the form it is saved back in.
// A paragraph with a style has "style": n. A document that keeps parts it
// does not show adds "kept": {"document": its settings as RTF words,
// "sections": [{"start": paragraph, "words": s, "stories": [{"kind":
// "header"|"footer"|"header first"|..., "paragraphs": [...]}]}], "notes":
// [{"kind": "footnote"|"endnote"|"annotation", "mark": s, "numbered": b,
// "paragraph": n, ("initials", "author", "date" of annotations,)
// "paragraphs": [...]}], "styles": [{"kind": "paragraph"|"character"|
// "section"|"table", "number": n, "name": s}], "info": [{"name": s,
// ("value": n,) ("words": s,) ("text": s)}]}.
QByteArray dumpJson(const QTextDocument &doc, const formats::LoadResult &loaded);

} // namespace kelmora::tools
