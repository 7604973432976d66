// Qt's grid for a gathered table, and the table put into the document.

#include "TableTree.h"

#include <QTextTable>

#include <algorithm>

namespace kelmora::formats::tables {

namespace {

using Border = std::optional<model::CellBorder>;

int columnAt(const QList<int> &boundaries, int twips)
{
    return int(std::lower_bound(boundaries.cbegin(), boundaries.cend(), twips) - boundaries.cbegin());
}

model::CellBorder pick(const Border &own, const Border &row)
{
    return (own ? own : row).value_or(model::CellBorder());
}

// A cell's own borders, else the row's: outer ones at the table's edges,
// inner ones between cells.
void resolveBorders(GridCell &g, const TableBuilder::Table &table, int columns)
{
    using model::Side;
    const auto &[firstRow, firstCell] = g.sources.front();
    const auto &[lastRow, lastCell] = g.sources.back();
    const Row &top = table.rows[size_t(firstRow)];
    const Row &bottom = table.rows[size_t(lastRow)];
    const auto &own = top.cells[size_t(firstCell)].definition.borders;
    const auto &ownBelow = bottom.cells[size_t(lastCell)].definition.borders;
    const auto rowBorder = [](const Row &r, RowBorder edge, RowBorder inside, bool atEdge) {
        return r.borders[size_t(atEdge ? edge : inside)];
    };
    const bool topEdge = g.row == 0 && !table.continues;
    const bool bottomEdge = g.row + g.rowSpan == int(table.rows.size());
    const bool leftEdge = g.column == 0;
    const bool rightEdge = g.column + g.columnSpan == columns;
    auto &out = g.borders;
    out[size_t(Side::Top)] =
        pick(own[size_t(Side::Top)], rowBorder(top, RowBorder::Top, RowBorder::Horizontal, topEdge));
    out[size_t(Side::Left)] =
        pick(own[size_t(Side::Left)], rowBorder(top, RowBorder::Left, RowBorder::Vertical, leftEdge));
    out[size_t(Side::Right)] =
        pick(own[size_t(Side::Right)], rowBorder(top, RowBorder::Right, RowBorder::Vertical, rightEdge));
    out[size_t(Side::Bottom)] =
        pick(ownBelow[size_t(Side::Bottom)], rowBorder(bottom, RowBorder::Bottom, RowBorder::Horizontal, bottomEdge));
}

QTextTableCellFormat cellFormat(const GridCell &g, const TableBuilder::Table &table)
{
    QTextTableCellFormat f;
    if (g.sources.isEmpty()) {
        f.setProperty(model::CellFiller, true);
        model::setCellLook(f, 0, model::CellBorders());
        return f;
    }
    const auto &[r, c] = g.sources.front();
    const Row &row = table.rows[size_t(r)];
    const CellDefinition &def = row.cells[size_t(c)].definition;
    model::setCellLook(f, row.gap, g.borders);
    if (def.align == CellAlign::Middle)
        f.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    else if (def.align == CellAlign::Bottom)
        f.setVerticalAlignment(QTextCharFormat::AlignBottom);
    if (def.shading)
        f.setBackground(*def.shading);
    return f;
}

void emitItems(DocumentBuilder &builder, const std::vector<Item> &items)
{
    for (const Item &item : items) {
        if (item.table)
            emitTable(builder, *item.table);
        else
            builder.insertParagraph(item.content, item.format);
    }
}

} // namespace

Grid layOutGrid(const TableBuilder::Table &table)
{
    Grid g;
    g.boundaries = table.boundaries;
    const int columns = int(g.boundaries.size()) - 1;
    // The grid cell each column of the row above belongs to, -1 for a filler.
    QList<int> above(columns, -1);
    QList<int> here(columns, -1);
    const auto filler = [&](int row, int from, int to) {
        if (from < to)
            g.cells.append(GridCell{row, from, 1, to - from, {}, {}});
    };
    for (int r = 0; r < int(table.rows.size()); ++r) {
        const Row &row = table.rows[size_t(r)];
        here.fill(-1);
        int next = 0;
        for (int k = 0; k < int(row.cells.size()); ++k) {
            const Cell &cell = row.cells[size_t(k)];
            const int from = columnAt(g.boundaries, cell.left);
            const int to = columnAt(g.boundaries, cell.right);
            filler(r, next, from);
            const int up = above.value(from, -1);
            GridCell *joined = up >= 0 ? &g.cells[up] : nullptr;
            // \clvmrg joins the cell above when it covers the same columns.
            if (cell.definition.vMergeNext && joined && joined->column == from &&
                joined->column + joined->columnSpan == to && joined->row + joined->rowSpan == r) {
                ++joined->rowSpan;
                joined->sources.append({r, k});
                std::fill(here.begin() + from, here.begin() + to, up);
            } else {
                g.cells.append(GridCell{r, from, 1, to - from, {{r, k}}, {}});
                std::fill(here.begin() + from, here.begin() + to, int(g.cells.size() - 1));
            }
            next = to;
        }
        filler(r, next, columns);
        std::swap(above, here);
    }
    for (GridCell &cell : g.cells) {
        if (!cell.sources.isEmpty())
            resolveBorders(cell, table, columns);
    }
    return g;
}

void emitTable(DocumentBuilder &builder, const TableBuilder::Table &table)
{
    if (table.rows.empty())
        return;
    const Grid grid = layOutGrid(table);
    model::TableGeometry geometry{grid.boundaries, table.rows.front().gap};
    QTextTableFormat format = model::tableFormat(geometry);
    format.setAlignment(table.rows.front().align);
    if (table.continues)
        format.setProperty(model::TableContinues, true);
    QTextTable *qtTable = builder.insertTable(int(table.rows.size()), geometry.columns(), format, table.continues);
    for (const GridCell &cell : grid.cells) {
        if (cell.rowSpan > 1 || cell.columnSpan > 1)
            qtTable->mergeCells(cell.row, cell.column, cell.rowSpan, cell.columnSpan);
    }
    for (const GridCell &cell : grid.cells) {
        QTextTableCell qtCell = qtTable->cellAt(cell.row, cell.column);
        qtCell.setFormat(cellFormat(cell, table));
        builder.enterCell(qtCell);
        bool first = true;
        for (const auto &[r, c] : cell.sources) {
            const std::vector<Item> &items = table.rows[size_t(r)].cells[size_t(c)].items;
            // Cells joined from below add their text, not their empty paragraph.
            if (first || !(items.size() == 1 && !items.front().table && items.front().content.text.isEmpty()))
                emitItems(builder, items);
            first = false;
        }
    }
    builder.leaveTable(*qtTable);
}

} // namespace kelmora::formats::tables
