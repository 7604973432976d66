#pragma once
// The words that define a table row and its cells (\trowd, \cellx, \trgaph,
// \trleft, the merges, vertical alignment, shading, row and cell borders)
// and \itap's depth of the rows they define. They fill the definition a
// TableBuilder gives rows of that depth: a \trowd in the body defines the
// rows of tables in the body, one inside {\*\nesttableprops} the rows of the
// nested table its paragraphs are in. Cell properties gather until the
// \cellx that ends their cell; border styles apply to the border named last.
//
// Bounds: at most model::MaxTableColumns cells a row (a \cellx past them
// widens the last cell), lengths clamped to a few page widths.

#include "RtfHeaderTables.h"
#include "RtfState.h"
#include "RtfTokenizer.h"
#include "RtfWords.h"
#include "TableBuilder.h"

namespace kelmora::formats {

class RtfTableWords {
public:
    RtfTableWords(TableBuilder &tables, const RtfColorTable &colours, TableBuilder::Problem problem);

    // Applies a row or cell definition word; false for any other word.
    bool word(const GroupState &group, Kw word, const RtfToken &token);

private:
    enum class Target : quint8 { None, Cell, Row };
    bool cellWord(Kw word, const RtfToken &token);
    bool borderWord(Kw word, const RtfToken &token);
    void endCellDefinition(int right);
    std::optional<model::CellBorder> *target();
    RowDefinition &row() { return m_tables.definition(m_depth); }

    TableBuilder &m_tables;
    const RtfColorTable &m_colours;
    TableBuilder::Problem m_problem;
    int m_depth = 1;
    CellDefinition m_cell;     // the cell being defined, until its \cellx
    std::optional<QColor> m_pattern; // \clcfpat
    int m_shadingPercent = 0;  // \clshdng, hundredths of a per cent
    Target m_target = Target::None;
    int m_targetSide = 0;
};

} // namespace kelmora::formats
