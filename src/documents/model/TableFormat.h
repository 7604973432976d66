#pragma once
// How tables are held in a QTextDocument. The RTF reader and writer, the
// dump and printing go through these helpers, so a width read from a file is
// the width written back.
//
// A table's columns are the union of its rows' cell boundaries: a row whose
// cells end elsewhere than another row's spans columns, and a row that does
// not reach the table's edge ends in a filler cell, which is not one of the
// file's cells and is not written. Lengths are kept exactly in twips in user
// properties (as indents are, DocumentModel.h); Qt's column widths, paddings
// and borders (96-dpi pixels) are derived from them.
//
// Qt keeps a paragraph before a table that starts a document or a cell, and
// one between two tables; where a file has none there, that paragraph is
// marked structural, and an empty structural paragraph in such a place is
// not written. A long table is held as consecutive tables of at most
// MaxPieceCells cells (Qt lays a table out, and merges its cells, in time
// that grows with the whole table, at every edit in it): each piece after
// the first is marked as continuing the one before, and the structural
// paragraph between them is drawn one pixel high, so the file's table
// looks and comes back as one.

#include <QColor>
#include <QList>
#include <QTextFormat>

#include <array>
#include <optional>

class QTextBlock;
class QTextTable;

namespace kelmora::model {

enum TableProperty {
    TableBoundariesTwips = QTextFormat::UserProperty + 0x4c00, // QList<int>
    TableGapTwips,
    TableContinues,
    CellFiller,
    CellTopBorderTwips,
    CellLeftBorderTwips,
    CellBottomBorderTwips,
    CellRightBorderTwips,
    CellThickBorders, // int: a bit per Side whose line is thick
    CellAutoBorders,  // int: a bit per Side whose line has the automatic colour
    StructuralParagraph, // bool, in a block format
};

// Grid cells a table piece holds before the next rows go to a new piece.
constexpr int MaxPieceCells = 1000;
// Columns a table may have (as many as the common word processors allow).
constexpr int MaxTableColumns = 63;

struct TableGeometry {
    // Twips from the left margin: the table's left edge (\trleft), then the
    // right edge of each column; strictly increasing.
    QList<int> boundaries;
    int gap = 0; // twips: half the space between two cells' text (\trgaph)
    int columns() const { return int(boundaries.size()) - 1; }
    friend bool operator==(const TableGeometry &, const TableGeometry &) = default;
};

// The format of a table with this geometry: its columns and their fixed
// widths, no spacing between cells, borders drawn by the cells.
QTextTableFormat tableFormat(const TableGeometry &geometry);
// The geometry kept in the table's format, or for a table made elsewhere
// (pasted), one derived from the widths Qt holds (equal columns when it
// holds none).
TableGeometry tableGeometry(const QTextTable &table);

enum class BorderLine { None, Single, Thick, Double, Dotted, Dashed };
enum class Side { Top, Left, Bottom, Right };

struct CellBorder {
    BorderLine line = BorderLine::None;
    int twips = 0;                // line width
    std::optional<QColor> colour; // empty: the automatic colour
    friend bool operator==(const CellBorder &, const CellBorder &) = default;
};
using CellBorders = std::array<CellBorder, 4>; // by Side

// The cell format holding gap (twips) as left and right padding and the
// given borders, drawn by Qt as far as it can (a thick line as a wider one).
void setCellLook(QTextTableCellFormat &format, int gap, const CellBorders &borders);
CellBorders cellBorders(const QTextTableCellFormat &format);

bool isFiller(const QTextTableCellFormat &format);
bool continuesTable(const QTextTable &table);
// The format of a paragraph Qt needs before a table where the file has none;
// joint: the one between two pieces of a table.
QTextBlockFormat structuralFormat(bool joint);
// True for an empty paragraph that was made structural.
bool isStructural(const QTextBlock &block);

} // namespace kelmora::model
