#include "RtfTableWords.h"

namespace kelmora::formats {

namespace {

// Four times Word's widest page: keeps absurd positions out of the layout.
constexpr int MaxPositionTwips = 4 * 31680;
constexpr int MaxBorderTwips = 255;

int position(const RtfToken &t)
{
    return qBound(-MaxPositionTwips, t.param, MaxPositionTwips);
}

std::optional<model::BorderLine> lineOf(Kw k)
{
    switch (k) {
    case Kw::Brdrs: case Kw::Brdrsh: case Kw::Brdrhair: return model::BorderLine::Single;
    case Kw::Brdrth: return model::BorderLine::Thick;
    case Kw::Brdrdb: return model::BorderLine::Double;
    case Kw::Brdrdot: return model::BorderLine::Dotted;
    case Kw::Brdrdash: return model::BorderLine::Dashed;
    case Kw::Brdrnone: case Kw::Brdrnil: case Kw::Brdrtbl: return model::BorderLine::None;
    default: return std::nullopt;
    }
}

// The border words name their side by their place in Kw.
static_assert(int(Kw::Clbrdrl) - int(Kw::Clbrdrt) == 1 && int(Kw::Clbrdrr) - int(Kw::Clbrdrt) == 3);
static_assert(int(Kw::Trbrdrh) - int(Kw::Trbrdrt) == int(RowBorder::Horizontal) &&
              int(Kw::Trbrdrv) - int(Kw::Trbrdrt) == int(RowBorder::Vertical));

} // namespace

RtfTableWords::RtfTableWords(TableBuilder &tables, const RtfColorTable &colours, TableBuilder::Problem problem)
    : m_tables(tables), m_colours(colours), m_problem(std::move(problem))
{
}

bool RtfTableWords::word(const GroupState &group, Kw k, const RtfToken &t)
{
    switch (k) {
    case Kw::Trowd:
        // Nested tables define their rows inside \nesttableprops; the body's
        // \trowd always defines the outermost table's rows.
        m_depth = group.nestedTableProps ? qBound(2, group.para.itap, TableBuilder::MaxDepth) : 1;
        row() = RowDefinition();
        m_cell = CellDefinition();
        m_pattern.reset();
        m_shadingPercent = 0;
        m_target = Target::None;
        return true;
    case Kw::Trgaph:
        row().gap = qBound(0, t.param, MaxPositionTwips);
        row().gapGiven = true;
        return true;
    case Kw::Trpaddl:
        // Writers that leave \trgaph out give the cells' padding this way.
        if (!row().gapGiven)
            row().gap = qBound(0, t.param, MaxPositionTwips);
        return true;
    case Kw::Trleft: row().left = position(t); return true;
    case Kw::Trql: row().align = Qt::AlignLeft; return true;
    case Kw::Trqc: row().align = Qt::AlignHCenter; return true;
    case Kw::Trqr: row().align = Qt::AlignRight; return true;
    case Kw::Cellx: endCellDefinition(position(t)); return true;
    default:
        return cellWord(k, t) || borderWord(k, t);
    }
}

bool RtfTableWords::cellWord(Kw k, const RtfToken &t)
{
    switch (k) {
    case Kw::Clmgf: m_cell.mergeFirst = true; break;
    case Kw::Clmrg: m_cell.mergeNext = true; break;
    case Kw::Clvmgf: m_cell.vMergeFirst = true; break;
    case Kw::Clvmrg: m_cell.vMergeNext = true; break;
    case Kw::Clvertalt: m_cell.align = CellAlign::Top; break;
    case Kw::Clvertalc: m_cell.align = CellAlign::Middle; break;
    case Kw::Clvertalb: m_cell.align = CellAlign::Bottom; break;
    case Kw::Clcbpat: m_cell.shading = m_colours.colour(t.param); break;
    case Kw::Clcfpat: m_pattern = m_colours.colour(t.param); break;
    case Kw::Clshdng: m_shadingPercent = t.param; break;
    default:
        return false;
    }
    return true;
}

bool RtfTableWords::borderWord(Kw k, const RtfToken &t)
{
    switch (k) {
    case Kw::Clbrdrt: case Kw::Clbrdrl: case Kw::Clbrdrb: case Kw::Clbrdrr: {
        static constexpr model::Side sides[] = {model::Side::Top, model::Side::Left, model::Side::Bottom,
                                                model::Side::Right};
        m_target = Target::Cell;
        m_targetSide = int(sides[int(k) - int(Kw::Clbrdrt)]);
        *target() = model::CellBorder{model::BorderLine::Single, 0, std::nullopt};
        return true;
    }
    case Kw::Trbrdrt: case Kw::Trbrdrl: case Kw::Trbrdrb: case Kw::Trbrdrr: case Kw::Trbrdrh: case Kw::Trbrdrv:
        m_target = Target::Row;
        m_targetSide = int(k) - int(Kw::Trbrdrt); // in RowBorder order
        *target() = model::CellBorder{model::BorderLine::Single, 0, std::nullopt};
        return true;
    case Kw::Brdrt: case Kw::Brdrl: case Kw::Brdrb: case Kw::Brdrr: case Kw::Brdrbtw: case Kw::Brdrbar:
    case Kw::Box:
        m_target = Target::None; // a paragraph's border: not kept
        return true;
    case Kw::Brdrw:
        if (auto *b = target())
            (*b)->twips = qBound(0, t.param, MaxBorderTwips);
        return true;
    case Kw::Brdrcf:
        if (auto *b = target())
            (*b)->colour = m_colours.colour(t.param);
        return true;
    default:
        break;
    }
    const auto line = lineOf(k);
    if (!line)
        return false;
    if (auto *b = target())
        (*b)->line = *line;
    return true;
}

std::optional<model::CellBorder> *RtfTableWords::target()
{
    switch (m_target) {
    case Target::Cell: return &m_cell.borders[size_t(m_targetSide)];
    case Target::Row: return &row().borders[size_t(m_targetSide)];
    case Target::None: break;
    }
    return nullptr;
}

void RtfTableWords::endCellDefinition(int right)
{
    // A solid pattern shows its own colour rather than the background's.
    if (m_pattern && m_shadingPercent >= 10000)
        m_cell.shading = m_pattern;
    m_cell.right = right;
    QList<CellDefinition> &cells = row().cells;
    if (cells.size() < model::MaxTableColumns) {
        cells.append(m_cell);
    } else {
        m_problem(QStringLiteral("a table row with more than %1 cells").arg(model::MaxTableColumns));
        cells.last().right = qMax(cells.last().right, right);
    }
    m_cell = CellDefinition();
    m_pattern.reset();
    m_shadingPercent = 0;
    if (m_target == Target::Cell)
        m_target = Target::None;
}

} // namespace kelmora::formats
