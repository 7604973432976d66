#pragma once
// What kelmora-doc prints about a loaded document, in the units and words the
// editing surface reports: alignment, first/left/right indent in whole points
// (twips / 20, truncated), numbering, and runs of equal face, size (whole
// points, truncated), style and colour.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace kelmora::tools {

// JSON: [{"alignment": "left"|"center"|"right"|"justify", "first": n, "left": n,
// "right": n, "numbering": "none"|"bullet"|"other", "runs": [{"text": s,
// "face": s, "size": n, "bold": b, "italic": b, "underline": b,
// "strikeout": b, "colour": "#rrggbb"|"auto"}, ...]}, ...]
QByteArray dumpJson(const QTextDocument &doc);

} // namespace kelmora::tools
