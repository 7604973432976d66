#pragma once
// Builds tables from row and cell events. The body hands it every paragraph
// that ends inside a table (with the nesting depth it has), every cell end
// and every row end; the row definitions (cell boundaries, merges, borders,
// shading) are filled by the definition words into definition(depth), which
// holds until the next \trowd of that depth. A table is gathered whole
// (nested tables inside its cells) and handed to DocumentBuilder when a
// paragraph outside it ends or the document does, or, for a long table, a
// piece at a time (model/TableFormat.h).
//
// Nothing of the text is dropped on a damaged table: cells after the last
// \cellx get boundaries of their own, a \row-less row ends with its table,
// text after a row's last \cell becomes a cell, and nesting deeper than
// MaxDepth is read at MaxDepth. Memory and time stay linear in the input.

#include "DocumentBuilder.h"
#include "model/TableFormat.h"

#include <QColor>
#include <QList>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kelmora::formats {

enum class CellAlign : quint8 { Top, Middle, Bottom };

struct CellDefinition {
    int right = 0; // \cellx, twips
    bool mergeFirst = false; // \clmgf
    bool mergeNext = false;  // \clmrg: joins the cell before
    bool vMergeFirst = false; // \clvmgf
    bool vMergeNext = false;  // \clvmrg: joins the cell above
    CellAlign align = CellAlign::Top;
    std::optional<QColor> shading;
    std::array<std::optional<model::CellBorder>, 4> borders; // by model::Side; empty: the row's
};

enum class RowBorder { Top, Left, Bottom, Right, Horizontal, Vertical };

struct RowDefinition {
    int left = 0; // \trleft
    int gap = 0;  // \trgaph, else \trpaddl: the space between a cell's edge and its text
    bool gapGiven = false; // by \trgaph
    Qt::Alignment align = Qt::AlignLeft;
    std::array<std::optional<model::CellBorder>, 6> borders; // by RowBorder
    QList<CellDefinition> cells;
};

class TableBuilder {
public:
    static constexpr int MaxDepth = 16;
    using Problem = std::function<void(const QString &)>;

    TableBuilder(DocumentBuilder &builder, Problem problem);
    ~TableBuilder();
    TableBuilder(const TableBuilder &) = delete;
    TableBuilder &operator=(const TableBuilder &) = delete;

    // True while no table is being gathered.
    bool idle() const;
    // The definition rows of this depth get (1 for a table in the body).
    RowDefinition &definition(int depth);

    // A paragraph ended at depth (0: outside any table).
    void paragraph(int depth, DocumentBuilder::Content content, const DocumentBuilder::Paragraph &format);
    // A cell of depth ended with this paragraph.
    void endCell(int depth, DocumentBuilder::Content content, const DocumentBuilder::Paragraph &format);
    // A row of depth ended; pending holds text after its last cell, if any.
    void endRow(int depth, std::optional<DocumentBuilder::Content> pending, const DocumentBuilder::Paragraph &format);
    // Ends every table still open.
    void finish();

    struct Table;

private:
    struct Level;
    int clamped(int depth);
    void open(int depth);
    void closeLevel();
    void addRow(Level &level, int depth);
    void startPiece(int depth);

    DocumentBuilder &m_builder;
    Problem m_problem;
    QList<RowDefinition> m_definitions; // index depth - 1
    std::vector<Level> m_levels;
    std::unique_ptr<Table> m_top;
};

} // namespace kelmora::formats
