#pragma once
// A table as TableBuilder gathers it before it goes into the document: rows
// of cells placed between their boundaries (horizontal merges already
// joined), each cell's paragraphs and nested tables in order. layOutGrid
// turns it into Qt's grid: the union of the rows' boundaries as columns,
// cells spanning the columns they cover and, joined with \clvmrg cells, the
// rows below; filler cells where a row does not reach a column. emitTable
// puts it into the document.

#include "TableBuilder.h"

#include <memory>
#include <vector>

namespace kelmora::formats {

namespace tables {

struct Item {
    DocumentBuilder::Content content;
    DocumentBuilder::Paragraph format;
    std::unique_ptr<TableBuilder::Table> table; // set: a nested table, not a paragraph
};

struct Cell {
    int left = 0; // twips
    int right = 0;
    CellDefinition definition;
    std::vector<Item> items;
};

struct Row {
    std::vector<Cell> cells;
    int gap = 0;
    Qt::Alignment align = Qt::AlignLeft;
    std::array<std::optional<model::CellBorder>, 6> borders;
};

// One cell of Qt's grid and the cells of the file it shows: the first, then
// those joined to it from the rows below; none for a filler.
struct GridCell {
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
    QList<std::pair<int, int>> sources; // (row, cell) in Table::rows
    model::CellBorders borders;
};

struct Grid {
    QList<int> boundaries;
    QList<GridCell> cells; // by row, then column
};

Grid layOutGrid(const TableBuilder::Table &table);
void emitTable(DocumentBuilder &builder, const TableBuilder::Table &table);

} // namespace tables

struct TableBuilder::Table {
    std::vector<tables::Row> rows;
    bool continues = false; // a piece after the first of a long table
    QList<int> boundaries;  // sorted, the union of the rows' boundaries
    int gridCells = 0;      // rows times the widest row, as a measure of the piece
};

} // namespace kelmora::formats
