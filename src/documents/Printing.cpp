#include "Printing.h"

#include "base/ErrorTexts.h"
#include "base/Exceptions.h"
#include "model/PictureDrawing.h"
#include "model/Pictures.h"
#include "model/TextDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

// The unit of the editor's layout lengths: pixels at 96 dots per inch.
constexpr qreal LayoutDpi = 96.0;

// The page is the printable area: the paper less what the printer cannot
// reach, and nothing more taken off.
void usePrintableArea(QPrinter &printer)
{
    printer.setFullPage(false);
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

QTextBlockFormat scaledBlockFormat(QTextBlockFormat f, qreal sx, qreal sy)
{
    f.setLeftMargin(f.leftMargin() * sx);
    f.setRightMargin(f.rightMargin() * sx);
    f.setTextIndent(f.textIndent() * sx);
    f.setTopMargin(f.topMargin() * sy);
    f.setBottomMargin(f.bottomMargin() * sy);
    switch (f.lineHeightType()) {
    case QTextBlockFormat::FixedHeight:
    case QTextBlockFormat::MinimumHeight:
    case QTextBlockFormat::LineDistanceHeight:
        f.setLineHeight(f.lineHeight() * sy, f.lineHeightType());
        break;
    default:
        break;
    }
    return f;
}

void scaleCellFormat(QTextTableCell cell, qreal sx, qreal sy)
{
    QTextTableCellFormat f = cell.format().toTableCellFormat();
    f.setLeftPadding(f.leftPadding() * sx);
    f.setRightPadding(f.rightPadding() * sx);
    f.setTopPadding(f.topPadding() * sy);
    f.setBottomPadding(f.bottomPadding() * sy);
    f.setLeftBorder(f.leftBorder() * sx);
    f.setRightBorder(f.rightBorder() * sx);
    f.setTopBorder(f.topBorder() * sy);
    f.setBottomBorder(f.bottomBorder() * sy);
    cell.setFormat(f);
}

// Column widths, the table's indent, its cells' paddings and borders.
void scaleTables(const QTextFrame &frame, qreal sx, qreal sy)
{
    for (QTextFrame *child : frame.childFrames()) {
        scaleTables(*child, sx, sy);
        auto *table = qobject_cast<QTextTable *>(child);
        if (!table)
            continue;
        QTextTableFormat f = table->format();
        QList<QTextLength> widths = f.columnWidthConstraints();
        for (QTextLength &w : widths) {
            if (w.type() == QTextLength::FixedLength)
                w = QTextLength(QTextLength::FixedLength, w.rawValue() * sx);
        }
        f.setColumnWidthConstraints(widths);
        f.setLeftMargin(f.leftMargin() * sx);
        table->setFormat(f);
        for (int r = 0; r < table->rows(); ++r) {
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() == r && cell.column() == c)
                    scaleCellFormat(cell, sx, sy);
            }
        }
    }
}

// Qt takes block margins, first-line indents, fixed line heights and the
// lengths of tables as they stand, in the units of whatever device lays the
// text out, while fonts and tab stops follow the device's resolution. The
// editor keeps those lengths in 96-dpi pixels, so on the printer they are
// scaled to its resolution.
void scaleBlockLengths(QTextDocument &doc, const QPaintDevice &device)
{
    const qreal sx = device.logicalDpiX() / LayoutDpi;
    const qreal sy = device.logicalDpiY() / LayoutDpi;
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        cursor.setPosition(block.position());
        cursor.setBlockFormat(scaledBlockFormat(block.blockFormat(), sx, sy));
    }
    scaleTables(*doc.rootFrame(), sx, sy);
    cursor.endEditBlock();
}

// A copy of doc laid out for printer: at its resolution, breaking lines at
// the page width, paginated to the page height. The copy's lists cost what
// the editor's do (QTextDocument::clone's are Qt's own).
std::unique_ptr<QTextDocument> layoutForPrinter(const QTextDocument &doc, QPrinter &printer, const QSizeF &page)
{
    std::unique_ptr<QTextDocument> copy = model::copyDocument(doc);
    copy->setUndoRedoEnabled(false);
    // Pictures keep their records in the copy and are laid out and drawn as
    // on screen, at the printer's resolution.
    model::pictures::copyPictures(*copy, doc, *copy);
    model::pictures::drawPicturesOf(*copy);
    scaleBlockLengths(*copy, printer);
    QTextOption option = copy->defaultTextOption();
    if (option.wrapMode() == QTextOption::NoWrap || option.wrapMode() == QTextOption::ManualWrap)
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    copy->setDefaultTextOption(option);
    copy->documentLayout()->setPaintDevice(&printer);
    copy->setDocumentMargin(0);
    copy->setPageSize(page);
    return copy;
}

// Pages the text needs: up to the page holding the last line that has text.
// The empty paragraph every document ends with gets no page of its own when
// it falls on a fresh one; an empty document still gets one page.
int pagesNeeded(const QTextDocument &laidOut, qreal pageHeight)
{
    QTextBlock last = laidOut.lastBlock();
    if (last.length() == 1 && last.previous().isValid())
        last = last.previous();
    qreal top = laidOut.documentLayout()->blockBoundingRect(last).top();
    if (const QTextLayout *layout = last.layout(); layout && layout->lineCount() > 0)
        top += layout->lineAt(layout->lineCount() - 1).y();
    // Half a device pixel absorbs rounding for a line placed at a page top.
    return std::max(1, int(std::floor((top + 0.5) / pageHeight)) + 1);
}

void paintPage(QPainter &painter, QTextDocument &laidOut, const QSizeF &page, int index)
{
    painter.save();
    painter.translate(0, -index * page.height());
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = QRectF(0, index * page.height(), page.width(), page.height());
    // Text without a colour of its own is the automatic colour: black on paper.
    ctx.palette.setColor(QPalette::Text, Qt::black);
    painter.setClipRect(ctx.clip);
    laidOut.documentLayout()->draw(&painter, ctx);
    painter.restore();
}

// Clears a flag when the scope ends, however it ends.
class FlagScope {
public:
    explicit FlagScope(bool &flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &m_flag;
};

} // namespace

int printDocument(const QTextDocument &doc, QPrinter &printer)
{
    usePrintableArea(printer);
    QPainter painter;
    if (!painter.begin(&printer))
        throw EPrinter(errortext::PrinterNotValid);
    const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const std::unique_ptr<QTextDocument> laidOut = layoutForPrinter(doc, printer, page);
    const int pages = pagesNeeded(*laidOut, page.height());
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage())
            throw EPrinter(errortext::PrinterNotValid);
        paintPage(painter, *laidOut, page, i);
        // The user interface stays responsive while the job is being sent.
        QCoreApplication::processEvents();
    }
    painter.end();
    return pages;
}

Printer::Printer() = default;
Printer::~Printer() = default;

void Printer::print(const QTextDocument &doc, const QString &title)
{
    if (m_printing)
        throw EPrinter(errortext::PrintingInProgress);
    // A plain QPrinter silently falls back to a file or the first queue;
    // only a real default printer will do.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw EPrinter(errortext::NoDefaultPrinter);
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    else if (m_printer->printerName() != info.printerName())
        m_printer->setPrinterName(info.printerName());
    if (!m_printer->isValid())
        throw EPrinter(errortext::PrinterNotValid);
    m_printer->setDocName(title);
    const FlagScope busy(m_printing);
    printDocument(doc, *m_printer);
}

} // namespace kelmora
