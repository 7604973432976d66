// The writer's walk over frames: paragraphs, tables and their cells.

#include "RtfWriter.h"

#include "formats/OutputSink.h"
#include "model/TableFormat.h"

#include <QTextTable>

#include <cmath>

namespace kelmora::formats {

namespace {

const QTextTable *tableOf(const QTextFrame::iterator &it)
{
    return qobject_cast<const QTextTable *>(it.currentFrame());
}

QByteArrayView lineWord(model::BorderLine line)
{
    switch (line) {
    case model::BorderLine::Thick: return "\\brdrth";
    case model::BorderLine::Double: return "\\brdrdb";
    case model::BorderLine::Dotted: return "\\brdrdot";
    case model::BorderLine::Dashed: return "\\brdrdash";
    case model::BorderLine::Single: case model::BorderLine::None: break;
    }
    return "\\brdrs";
}

// A filler nobody typed into is not one of the file's cells.
bool skipped(const QTextTableCell &cell)
{
    return model::isFiller(cell.format().toTableCellFormat()) && cell.firstPosition() == cell.lastPosition();
}

bool holdsTable(const QTextTableCell &cell)
{
    for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
        if (tableOf(it))
            return true;
    }
    return false;
}

} // namespace

void RtfWriter::collectTables(const QTextFrame &frame)
{
    for (const QTextFrame *child : frame.childFrames()) {
        collectTables(*child);
        const auto *table = qobject_cast<const QTextTable *>(child);
        if (!table)
            continue;
        for (int r = 0; r < table->rows(); ++r) {
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCellFormat f = table->cellAt(r, c).format().toTableCellFormat();
                if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
                    colourIndex(f.background().color().rgb());
                for (const model::CellBorder &b : model::cellBorders(f)) {
                    if (b.line != model::BorderLine::None && b.colour)
                        colourIndex(b.colour->rgb());
                }
            }
        }
    }
}

void RtfWriter::writeContent(QTextFrame::iterator it, int depth, const char *endMark)
{
    bool first = true;
    bool afterTable = false;
    while (!it.atEnd()) {
        QTextFrame::iterator next = it;
        ++next;
        if (const QTextTable *table = tableOf(it)) {
            writeTable(*table, depth + 1);
            afterTable = true;
        } else if (const QTextFrame *frame = it.currentFrame()) {
            // Frames of other kinds (from pasted rich text) hold paragraphs.
            writeContent(frame->begin(), depth, "\\par\n");
            afterTable = false;
        } else {
            const QTextBlock block = it.currentBlock();
            const bool beforeTable = !next.atEnd() && tableOf(next);
            // Qt's own paragraph before a table, where the file had none.
            if (!(model::isStructural(block) && beforeTable && (first || afterTable)))
                writeBlock(block, depth, next.atEnd() ? endMark : "\\par\n");
            afterTable = false;
        }
        first = false;
        it = next;
    }
}

void RtfWriter::writeTable(const QTextTable &table, int depth)
{
    const char *cellMark = depth > 1 ? "\\nestcell " : "\\cell\n";
    for (int r = 0; r < table.rows(); ++r) {
        const QByteArray definition = rowDefinition(table, r);
        if (depth == 1)
            m_out.put(definition);
        bool nested = false;
        for (int c = 0; c < table.columns(); ++c) {
            const QTextTableCell cell = table.cellAt(r, c);
            if (cell.column() != c || skipped(cell))
                continue;
            if (cell.row() != r) { // covered by the cell above
                m_out.put(depth > 1 ? "\\pard\\intbl\\itap" : "\\pard\\intbl");
                if (depth > 1)
                    m_out.putNumber(depth);
                m_out.put(cellMark);
                continue;
            }
            nested = nested || holdsTable(cell);
            writeContent(cell.begin(), depth, cellMark);
        }
        if (depth > 1) {
            m_out.put("\\pard\\intbl\\itap");
            m_out.putNumber(depth);
            m_out.put("{\\*\\nesttableprops");
            m_out.put(definition);
            m_out.put("\\nestrow}{\\nonesttables\\par}\n");
        } else if (nested) {
            // Readers of nested tables take the row's definition from its end.
            m_out.put("\\pard\\intbl{");
            m_out.put(definition);
            m_out.put("\\row}\n");
        } else {
            m_out.put("\\row\n");
        }
    }
}

QByteArray RtfWriter::rowDefinition(const QTextTable &table, int row)
{
    const model::TableGeometry geometry = model::tableGeometry(table);
    // Rows may differ in their gap: each cell keeps its row's as its padding.
    int gap = geometry.gap;
    for (int c = 0; c < table.columns(); ++c) {
        const QTextTableCell cell = table.cellAt(row, c);
        if (cell.column() != c || skipped(cell))
            continue;
        const QTextTableCellFormat f = cell.format().toTableCellFormat();
        if (f.hasProperty(QTextFormat::TableCellLeftPadding))
            gap = int(std::lround(f.leftPadding() * 15));
        break;
    }
    QByteArray d = "\\trowd\\trgaph" + QByteArray::number(gap);
    const Qt::Alignment align = table.format().alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        d += "\\trqc";
    else if (align & Qt::AlignRight)
        d += "\\trqr";
    bool leftWritten = false;
    for (int c = 0; c < table.columns(); ++c) {
        const QTextTableCell cell = table.cellAt(row, c);
        if (cell.column() != c || skipped(cell))
            continue;
        if (!leftWritten) {
            // Cells before the first one written are fillers: the row starts here.
            d += "\\trleft" + QByteArray::number(geometry.boundaries.at(c));
            leftWritten = true;
        }
        const QTextTableCellFormat f = cell.format().toTableCellFormat();
        if (cell.row() != row)
            d += "\\clvmrg";
        else if (cell.rowSpan() > 1)
            d += "\\clvmgf";
        if (f.verticalAlignment() == QTextCharFormat::AlignMiddle)
            d += "\\clvertalc";
        else if (f.verticalAlignment() == QTextCharFormat::AlignBottom)
            d += "\\clvertalb";
        static constexpr const char *sides[] = {"\\clbrdrt", "\\clbrdrl", "\\clbrdrb", "\\clbrdrr"};
        const model::CellBorders borders = model::cellBorders(f);
        for (size_t s = 0; s < borders.size(); ++s) {
            const model::CellBorder &b = borders[s];
            if (b.line == model::BorderLine::None)
                continue;
            d += sides[s];
            d += lineWord(b.line);
            if (b.twips > 0)
                d += "\\brdrw" + QByteArray::number(b.twips);
            if (b.colour)
                d += "\\brdrcf" + QByteArray::number(colourIndex(b.colour->rgb()));
        }
        if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
            d += "\\clcbpat" + QByteArray::number(colourIndex(f.background().color().rgb()));
        d += "\\cellx" + QByteArray::number(geometry.boundaries.at(c + cell.columnSpan()));
    }
    return d + '\n';
}

} // namespace kelmora::formats
