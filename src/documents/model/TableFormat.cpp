#include "TableFormat.h"

#include "DocumentModel.h"

#include <QTextBlock>
#include <QTextTable>

#include <cmath>

namespace kelmora::model {

namespace {

// Columns of a table made elsewhere that says nothing of its widths.
constexpr int DefaultColumnTwips = 1440;

struct SideProperties {
    int twips;
    QTextFormat::Property width;
    QTextFormat::Property style;
    QTextFormat::Property brush;
};

constexpr std::array<SideProperties, 4> SideProps{{
    {CellTopBorderTwips, QTextFormat::TableCellTopBorder, QTextFormat::TableCellTopBorderStyle,
     QTextFormat::TableCellTopBorderBrush},
    {CellLeftBorderTwips, QTextFormat::TableCellLeftBorder, QTextFormat::TableCellLeftBorderStyle,
     QTextFormat::TableCellLeftBorderBrush},
    {CellBottomBorderTwips, QTextFormat::TableCellBottomBorder, QTextFormat::TableCellBottomBorderStyle,
     QTextFormat::TableCellBottomBorderBrush},
    {CellRightBorderTwips, QTextFormat::TableCellRightBorder, QTextFormat::TableCellRightBorderStyle,
     QTextFormat::TableCellRightBorderBrush},
}};

QTextFrameFormat::BorderStyle qtStyle(BorderLine line)
{
    switch (line) {
    case BorderLine::None: return QTextFrameFormat::BorderStyle_None;
    case BorderLine::Double: return QTextFrameFormat::BorderStyle_Double;
    case BorderLine::Dotted: return QTextFrameFormat::BorderStyle_Dotted;
    case BorderLine::Dashed: return QTextFrameFormat::BorderStyle_Dashed;
    case BorderLine::Single: case BorderLine::Thick: break;
    }
    return QTextFrameFormat::BorderStyle_Solid;
}

BorderLine lineOf(QTextFrameFormat::BorderStyle style, bool thick)
{
    switch (style) {
    case QTextFrameFormat::BorderStyle_None: return BorderLine::None;
    case QTextFrameFormat::BorderStyle_Double: return BorderLine::Double;
    case QTextFrameFormat::BorderStyle_Dotted: return BorderLine::Dotted;
    case QTextFrameFormat::BorderStyle_Dashed: return BorderLine::Dashed;
    default: break;
    }
    return thick ? BorderLine::Thick : BorderLine::Single;
}

} // namespace

QTextTableFormat tableFormat(const TableGeometry &g)
{
    QTextTableFormat f;
    f.setColumns(g.columns());
    QList<QTextLength> widths;
    widths.reserve(g.columns());
    for (int c = 0; c < g.columns(); ++c)
        widths.append(QTextLength(QTextLength::FixedLength, twipsToLayout(g.boundaries[c + 1] - g.boundaries[c])));
    f.setColumnWidthConstraints(widths);
    f.setProperty(TableBoundariesTwips, QVariant::fromValue(g.boundaries));
    f.setProperty(TableGapTwips, g.gap);
    f.setCellSpacing(0);
    f.setCellPadding(0);
    f.setBorder(0);
    f.setBorderCollapse(true);
    f.setMargin(0);
    // Qt draws nothing left of the page: a table reaching into the margin starts at it.
    f.setLeftMargin(twipsToLayout(qMax(0, g.boundaries.value(0))));
    return f;
}

TableGeometry tableGeometry(const QTextTable &table)
{
    const QTextTableFormat f = table.format();
    TableGeometry g;
    g.gap = f.intProperty(TableGapTwips);
    const QList<int> kept = f.property(TableBoundariesTwips).value<QList<int>>();
    if (kept.size() == table.columns() + 1) {
        g.boundaries = kept;
        return g;
    }
    const QList<QTextLength> widths = f.columnWidthConstraints();
    g.boundaries.append(0);
    for (int c = 0; c < table.columns(); ++c) {
        const QTextLength w = widths.value(c);
        const int twips = w.type() == QTextLength::FixedLength ? int(std::lround(w.rawValue() * 15))
                                                               : DefaultColumnTwips;
        g.boundaries.append(g.boundaries.last() + qMax(1, twips));
    }
    return g;
}

void setCellLook(QTextTableCellFormat &f, int gap, const CellBorders &borders)
{
    f.setLeftPadding(twipsToLayout(gap));
    f.setRightPadding(twipsToLayout(gap));
    f.setTopPadding(0);
    f.setBottomPadding(0);
    int thick = 0;
    int automatic = 0;
    for (int s = 0; s < 4; ++s) {
        const CellBorder &b = borders[size_t(s)];
        const SideProperties &p = SideProps[size_t(s)];
        if (b.line == BorderLine::None) {
            f.clearProperty(p.twips);
            f.setProperty(p.width, 0.0);
            f.setProperty(p.style, QTextFrameFormat::BorderStyle_None);
            f.clearProperty(p.brush);
            continue;
        }
        f.setProperty(p.twips, b.twips);
        thick |= b.line == BorderLine::Thick ? 1 << s : 0;
        automatic |= b.colour ? 0 : 1 << s;
        // A line Qt would draw thinner than a pixel is drawn as one.
        const int drawn = b.line == BorderLine::Thick ? 2 * b.twips : b.twips;
        f.setProperty(p.width, qMax(1.0, twipsToLayout(drawn)));
        f.setProperty(p.style, qtStyle(b.line));
        f.setProperty(p.brush, QBrush(b.colour.value_or(Qt::black)));
    }
    f.setProperty(CellThickBorders, thick);
    f.setProperty(CellAutoBorders, automatic);
}

CellBorders cellBorders(const QTextTableCellFormat &f)
{
    CellBorders out;
    const int thick = f.intProperty(CellThickBorders);
    const int automatic = f.intProperty(CellAutoBorders);
    for (int s = 0; s < 4; ++s) {
        const SideProperties &p = SideProps[size_t(s)];
        if (!f.hasProperty(p.twips))
            continue;
        CellBorder &b = out[size_t(s)];
        b.twips = f.intProperty(p.twips);
        b.line = lineOf(QTextFrameFormat::BorderStyle(f.intProperty(p.style)), thick & (1 << s));
        if (b.line != BorderLine::None && !(automatic & (1 << s)))
            b.colour = f.brushProperty(p.brush).color();
    }
    return out;
}

bool isFiller(const QTextTableCellFormat &f)
{
    return f.boolProperty(CellFiller);
}

bool continuesTable(const QTextTable &table)
{
    return table.format().boolProperty(TableContinues);
}

QTextBlockFormat structuralFormat(bool joint)
{
    QTextBlockFormat f;
    f.setProperty(StructuralParagraph, true);
    if (joint)
        f.setLineHeight(1, QTextBlockFormat::FixedHeight);
    return f;
}

bool isStructural(const QTextBlock &block)
{
    return block.length() == 1 && block.blockFormat().boolProperty(StructuralParagraph);
}

} // namespace kelmora::model
