#include "TableBuilder.h"

#include "TableTree.h"

#include <algorithm>

namespace kelmora::formats {

using tables::Cell;
using tables::Item;
using tables::Row;

namespace {

// The width of cells past the row's last \cellx when none came before them.
constexpr int DefaultCellTwips = 1440;

// A cell holding only one empty paragraph adds nothing to the cell it joins.
bool isBlank(const std::vector<Item> &items)
{
    return items.empty() || (items.size() == 1 && !items.front().table && items.front().content.text.isEmpty());
}

void join(Cell &into, Cell &&from)
{
    into.right = from.right;
    if (isBlank(from.items))
        return;
    for (Item &item : from.items)
        into.items.push_back(std::move(item));
}

QList<int> unite(const QList<int> &a, const QList<int> &b)
{
    QList<int> out;
    out.reserve(a.size() + b.size());
    std::set_union(a.cbegin(), a.cend(), b.cbegin(), b.cend(), std::back_inserter(out));
    return out;
}

QList<int> boundariesOf(const Row &row)
{
    QList<int> out;
    out.reserve(qsizetype(row.cells.size()) + 1);
    out.append(row.cells.front().left);
    for (const Cell &c : row.cells)
        out.append(c.right);
    return out;
}

bool continuesMerge(const Row &row)
{
    return std::any_of(row.cells.cbegin(), row.cells.cend(), [](const Cell &c) { return c.definition.vMergeNext; });
}

} // namespace

struct TableBuilder::Level {
    Table *table = nullptr; // owned by m_top or by an item of the cell one level up
    std::vector<Cell> cells; // the row being read
    Cell cell;               // the cell being read
};

TableBuilder::TableBuilder(DocumentBuilder &builder, Problem problem)
    : m_builder(builder), m_problem(std::move(problem))
{
}

TableBuilder::~TableBuilder() = default;

bool TableBuilder::idle() const
{
    return m_levels.empty();
}

RowDefinition &TableBuilder::definition(int depth)
{
    const qsizetype index = qBound(1, depth, MaxDepth) - 1;
    if (m_definitions.size() <= index)
        m_definitions.resize(index + 1);
    return m_definitions[index];
}

int TableBuilder::clamped(int depth)
{
    if (depth <= MaxDepth)
        return qMax(0, depth);
    m_problem(QStringLiteral("tables nested deeper than %1").arg(MaxDepth));
    return MaxDepth;
}

void TableBuilder::open(int depth)
{
    while (int(m_levels.size()) > depth)
        closeLevel();
    while (int(m_levels.size()) < depth) {
        auto table = std::make_unique<Table>();
        Level level;
        level.table = table.get();
        if (m_levels.empty()) {
            m_top = std::move(table);
        } else {
            Item item;
            item.table = std::move(table);
            m_levels.back().cell.items.push_back(std::move(item));
        }
        m_levels.push_back(std::move(level));
    }
}

void TableBuilder::closeLevel()
{
    const int depth = int(m_levels.size());
    Level &level = m_levels.back();
    // A cell without \cell and a row without \row end with their table.
    if (!level.cell.items.empty())
        level.cells.push_back(std::exchange(level.cell, Cell()));
    if (!level.cells.empty())
        addRow(level, depth);
    m_levels.pop_back();
    if (m_levels.empty()) {
        tables::emitTable(m_builder, *m_top);
        m_top.reset();
    }
}

void TableBuilder::paragraph(int depth, DocumentBuilder::Content content, const DocumentBuilder::Paragraph &format)
{
    depth = clamped(depth);
    open(depth);
    if (depth == 0) {
        m_builder.insertParagraph(content, format);
        return;
    }
    m_levels.back().cell.items.push_back(Item{std::move(content), format, nullptr});
}

void TableBuilder::endCell(int depth, DocumentBuilder::Content content, const DocumentBuilder::Paragraph &format)
{
    open(clamped(qMax(1, depth)));
    Level &level = m_levels.back();
    level.cell.items.push_back(Item{std::move(content), format, nullptr});
    level.cells.push_back(std::exchange(level.cell, Cell()));
}

void TableBuilder::endRow(int depth, std::optional<DocumentBuilder::Content> pending,
                          const DocumentBuilder::Paragraph &format)
{
    depth = clamped(qMax(1, depth));
    if (int(m_levels.size()) < depth && !pending)
        return; // no row of that depth is open: nothing to end
    open(depth);
    Level &level = m_levels.back();
    if (pending)
        level.cell.items.push_back(Item{std::move(*pending), format, nullptr});
    if (!level.cell.items.empty())
        level.cells.push_back(std::exchange(level.cell, Cell()));
    if (!level.cells.empty())
        addRow(level, depth);
}

void TableBuilder::finish()
{
    open(0);
}

void TableBuilder::addRow(Level &level, int depth)
{
    const RowDefinition &def = definition(depth);
    Row row;
    row.gap = def.gap;
    row.align = def.align;
    row.borders = def.borders;
    row.cells.reserve(level.cells.size());
    int left = def.left;
    int width = DefaultCellTwips;
    for (qsizetype i = 0; i < qsizetype(level.cells.size()); ++i) {
        Cell &cell = level.cells[size_t(i)];
        if (row.cells.size() >= size_t(model::MaxTableColumns)) {
            // The row's last cell takes the text of those past it, not their
            // widths: positions stay within the few pages the first cells span.
            m_problem(QStringLiteral("a table row with more than %1 cells").arg(model::MaxTableColumns));
            cell.right = left;
            join(row.cells.back(), std::move(cell));
            continue;
        }
        if (i < def.cells.size())
            cell.definition = def.cells.at(i);
        // Cells past the last \cellx, and cells ending before they begin,
        // take the width of the cell before them.
        cell.left = left;
        cell.right = i < def.cells.size() && def.cells.at(i).right > left ? def.cells.at(i).right : left + width;
        width = cell.right - left;
        left = cell.right;
        if (cell.definition.mergeNext && !row.cells.empty())
            join(row.cells.back(), std::move(cell));
        else
            row.cells.push_back(std::move(cell));
    }
    level.cells.clear();

    // A long or wide table goes on in a piece of its own, preferably at a
    // row that continues no vertical merge.
    QList<int> boundaries = unite(level.table->boundaries, boundariesOf(row));
    const qsizetype columns = boundaries.size() - 1;
    const qsizetype cells = qsizetype(level.table->rows.size() + 1) * columns;
    const bool full = cells > (continuesMerge(row) ? 2 : 1) * model::MaxPieceCells;
    if (!level.table->rows.empty() && (full || columns > model::MaxTableColumns)) {
        startPiece(depth);
        boundaries = boundariesOf(row);
    }
    Table &table = *m_levels[size_t(depth - 1)].table;
    table.boundaries = std::move(boundaries);
    table.rows.push_back(std::move(row));
}

void TableBuilder::startPiece(int depth)
{
    auto table = std::make_unique<Table>();
    table->continues = true;
    Level &level = m_levels[size_t(depth - 1)];
    level.table = table.get();
    if (depth == 1) {
        tables::emitTable(m_builder, *m_top);
        m_top = std::move(table);
    } else {
        Item item;
        item.table = std::move(table);
        m_levels[size_t(depth - 2)].cell.items.push_back(std::move(item));
    }
}

} // namespace kelmora::formats
