#include "Printing.h"

#include "Exceptions.h"
#include "Main.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

namespace kelmora {

namespace {

// Paints the text of one page and keeps the user interface responsive
// between pages, as the spooler takes them.
void paintPage(QPainter &painter, QTextDocument &layoutDoc, const QSizeF &page, int index)
{
    painter.save();
    painter.translate(0, -index * page.height());
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = QRectF(0, index * page.height(), page.width(), page.height());
    ctx.palette.setColor(QPalette::Text, Qt::black);
    painter.setClipRect(ctx.clip);
    layoutDoc.documentLayout()->draw(&painter, ctx);
    painter.restore();
}

} // namespace

int printDocument(const QTextDocument &doc, QPrinter &printer)
{
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    QPainter painter;
    if (!painter.begin(&printer))
        throw EPrinter("Printer selected is not valid");

    // The printable area in device pixels; the copy of the document is laid
    // out there with the printer's metrics, so lines break at the page width.
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    std::unique_ptr<QTextDocument> layoutDoc(doc.clone());
    layoutDoc->documentLayout()->setPaintDevice(&printer);
    layoutDoc->setDocumentMargin(0);
    layoutDoc->setPageSize(area.size());
    const int pages = qMax(1, layoutDoc->pageCount());
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage())
            throw EPrinter("Printer selected is not valid");
        paintPage(painter, *layoutDoc, area.size(), i);
        QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
    }
    painter.end();
    return pages;
}

Printer::Printer() = default;
Printer::~Printer() = default;

void Printer::print(const QTextDocument &doc, const QString &title)
{
    if (m_printing)
        throw EPrinter("Printing in progress");
    // A plain QPrinter silently falls back to a file or the first queue;
    // only a real default printer will do.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw EPrinter("There is no default printer currently selected");
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    else if (m_printer->printerName() != info.printerName())
        m_printer->setPrinterName(info.printerName());
    if (!m_printer->isValid())
        throw EPrinter("Printer selected is not valid");
    m_printer->setDocName(title);
    m_printing = true;
    try {
        printDocument(doc, *m_printer);
    } catch (...) {
        m_printing = false;
        throw;
    }
    m_printing = false;
}

void TAna::yazdirClick(QObject *)
{
    TRichEdit *editor = activeEditor();
    if (!editor)
        return;
    if (!m_printer)
        m_printer = std::make_unique<Printer>();
    m_printer->print(*editor->document(), QStringLiteral("Mirel Pad"));
}

void TAna::ToolButton12Click(QObject *sender)
{
    yazdirClick(sender);
}

} // namespace kelmora
