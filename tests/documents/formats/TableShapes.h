#pragma once
// Tables described alike from our documents and from LibreOffice's flat ODT
// (soffice --convert-to fodt), so that what LibreOffice finds in a file can
// be compared with what we read and with what LibreOffice finds in our save.
//
// One line per table, in document order (a table before those nested in
// it), then one per row:
//   table 1, 3 columns: 34% 33% 33%
//     "Ürün" | "Adet" (2 rows) | "Fiyat" (2 columns)
//   table 2 in table 1, 2 columns: 50% 50%
// A cell's paragraphs are joined by "¶"; a nested table shows as
// "[table N]". Columns are given as shares of the table's width, which is
// how LibreOffice compares widths of absolute and relative tables alike.
// Filler cells and the paragraphs Qt keeps before tables are left out.

#include <QString>

class QTextDocument;

namespace kelmora::formats::test {

QString tableShapes(const QTextDocument &doc);
// The same for a flat ODT file; an empty string when it cannot be read.
QString odtTableShapes(const QString &fodtPath);

} // namespace kelmora::formats::test
