// Printing into PDF files: line breaks at the page width, pagination, the
// empty document, alignment and indents at several printer resolutions,
// fonts and colours, and the document left as it was.

#include "PrintingTest.h"

#include "base/Exceptions.h"
#include "formats/DocumentIO.h"
#include "model/DocumentModel.h"
#include "model/TextDocument.h"
#include "PdfProbe.h"
#include "documents/Printing.h"

#include <QBuffer>
#include <QImage>
#include <QPrinter>
#include <QTest>

#include <algorithm>


using namespace kelmora;
using namespace kelmora::test;
using namespace Qt::StringLiterals;

namespace kelmora::test {

std::unique_ptr<QTextDocument> rtfDocument(const QByteArray &body)
{
    auto doc = std::make_unique<model::TextDocument>();
    model::prepareDocument(*doc);
    const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1254\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs24 " + body + "}";
    formats::readRtf(*doc, rtf);
    return doc;
}

std::unique_ptr<QTextDocument> plainDocument(const QString &text)
{
    auto doc = std::make_unique<QTextDocument>();
    model::prepareDocument(*doc);
    formats::readPlainText(*doc, text.toUtf8());
    return doc;
}

QString numberedLines(int n, bool finalBreak)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines << u"Satır %1"_s.arg(i, 4, 10, QChar(u'0'));
    return lines.join(u'\n') + (finalBreak ? u"\n"_s : QString());
}

int printToPdf(const QTextDocument &doc, const QString &path, int dpi, const QPageSize &pageSize)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(dpi);
    printer.setPageSize(pageSize);
    return printDocument(doc, printer);
}

} // namespace kelmora::test

namespace {

// Words of one paragraph long enough to need many lines.
QStringList manyWords(const QString &stem, int n)
{
    QStringList words;
    for (int i = 1; i <= n; ++i)
        words << stem + u"%1"_s.arg(i, 3, 10, QChar(u'0'));
    return words;
}

QString describe(const PdfLine &line)
{
    return u"\"%1\" at %2..%3, %4..%5"_s.arg(line.texts().join(u' '))
        .arg(line.box.left())
        .arg(line.box.right())
        .arg(line.box.top())
        .arg(line.box.bottom());
}

// Numbers at the end of the numbered lines on each page.
QList<QList<int>> numbersPerPage(const PdfText &text)
{
    QList<QList<int>> pages;
    for (const PdfPage &page : text.pages) {
        pages.append(QList<int>());
        for (const PdfLine &line : page.lines())
            pages.last() << line.words.last().text.toInt();
    }
    return pages;
}

} // namespace

void TestPrinting::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

int TestPrinting::linesPerPage()
{
    if (m_linesPerPage == 0) {
        const QString path = pdfPath(u"capacity"_s);
        printToPdf(*plainDocument(numberedLines(200, false)), path, 1200);
        const PdfText text = readPdfText(path);
        if (text.ok() && !text.pages.isEmpty())
            m_linesPerPage = int(text.pages.first().lines().size());
    }
    return m_linesPerPage;
}

void TestPrinting::linesBreakAtThePageWidth_data()
{
    QTest::addColumn<int>("dpi");
    QTest::newRow("1200 dpi") << 1200;
    QTest::newRow("300 dpi") << 300;
    QTest::newRow("96 dpi") << 96;
}

// One long paragraph: every word printed once, in order, within the page;
// each line ends only where its next word would not fit; 12 pt stays 12 pt.
void TestPrinting::linesBreakAtThePageWidth()
{
    QFETCH(int, dpi);
    const QStringList words = manyWords(u"k"_s, 300);
    const QString path = pdfPath(u"paragraph"_s);
    QCOMPARE(printToPdf(*plainDocument(words.join(u' ')), path, dpi), 1);

    const PdfText text = readPdfText(path);
    QVERIFY2(text.ok(), qPrintable(text.error));
    QCOMPARE(text.allWords(), words);
    const PdfPage &page = text.pages.first();
    const QList<PdfLine> lines = page.lines();
    QVERIFY2(lines.size() >= 10, qPrintable(u"%1 lines"_s.arg(lines.size())));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const PdfLine &line = lines[i];
        QVERIFY2(line.box.left() > -0.5 && line.box.left() < 2 && line.box.right() < page.size.width() + 0.5,
                 qPrintable(describe(line)));
        if (i + 1 < lines.size()) {
            const qreal next = lines[i + 1].words.first().box.width();
            QVERIFY2(line.box.right() + next > page.size.width(), qPrintable(describe(line)));
        }
        for (const PdfWord &w : line.words)
            QVERIFY2(w.box.height() > 11 && w.box.height() < 15, qPrintable(u"%1 is %2 pt high"_s.arg(w.text).arg(w.box.height())));
    }
}

void TestPrinting::everyPageTakesAllTheTextThatFits_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("dpi");
    QTest::newRow("one line") << 1 << 1200;
    QTest::newRow("70 lines") << 70 << 1200;
    QTest::newRow("150 lines") << 150 << 1200;
    QTest::newRow("400 lines") << 400 << 1200;
    QTest::newRow("150 lines at 300 dpi") << 150 << 300;
}

// Every line printed once and in order; a page ends only when the next line
// would run past its bottom; each page starts at the very top.
void TestPrinting::everyPageTakesAllTheTextThatFits()
{
    QFETCH(int, lines);
    QFETCH(int, dpi);
    const QString path = pdfPath(u"lines"_s);
    const int pages = printToPdf(*plainDocument(numberedLines(lines, false)), path, dpi);
    QString error;
    QCOMPARE(pdfPageCount(path, &error), pages);

    const PdfText text = readPdfText(path);
    QVERIFY2(text.ok(), qPrintable(text.error));
    const QList<QList<int>> numbers = numbersPerPage(text);
    QList<int> all, expected;
    for (const QList<int> &page : numbers)
        all << page;
    for (int i = 1; i <= lines; ++i)
        expected << i;
    QCOMPARE(all, expected);

    const qsizetype perPage = numbers.first().size();
    QCOMPARE(pages, int((lines + perPage - 1) / perPage));
    if (lines < 45)
        return;
    // 12 pt lines on A4: some 60 a page.
    QVERIFY2(perPage >= 45 && perPage <= 70, qPrintable(u"%1 lines a page"_s.arg(perPage)));
    const QList<PdfLine> first = text.pages.first().lines();
    const qreal pitch = first[1].box.top() - first[0].box.top();
    for (qsizetype p = 0; p < text.pages.size(); ++p) {
        const QList<PdfLine> onPage = text.pages[p].lines();
        const qreal height = text.pages[p].size.height();
        QVERIFY2(onPage.first().box.top() < pitch / 2, qPrintable(describe(onPage.first())));
        QVERIFY2(onPage.last().box.bottom() <= height + 0.5, qPrintable(describe(onPage.last())));
        if (p + 1 < text.pages.size())
            QVERIFY2(onPage.last().box.bottom() + pitch > height, qPrintable(describe(onPage.last())));
    }
}

void TestPrinting::emptyDocumentPrintsOneBlankPage_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << QString();
    QTest::newRow("one paragraph break") << u"\n"_s;
    QTest::newRow("blank lines") << u"\n\n\n"_s;
}

void TestPrinting::emptyDocumentPrintsOneBlankPage()
{
    QFETCH(QString, text);
    const QString path = pdfPath(u"empty"_s);
    QCOMPARE(printToPdf(*plainDocument(text), path, 1200), 1);
    QString error;
    QCOMPARE(pdfPageCount(path, &error), 1);
    const PdfText printed = readPdfText(path);
    QVERIFY2(printed.ok(), qPrintable(printed.error));
    QCOMPARE(printed.allWords(), QStringList());
}

void TestPrinting::finalEmptyParagraphGetsNoPage_data()
{
    QTest::addColumn<int>("extraLines");
    QTest::addColumn<QString>("tail");
    QTest::addColumn<int>("pages");
    QTest::newRow("full page") << 0 << QString() << 1;
    QTest::newRow("full page, final break") << 0 << u"\n"_s << 1;
    QTest::newRow("full page, blank line") << 0 << u"\n\n"_s << 2;
    QTest::newRow("full page, blank line, text") << 0 << u"\n\nson"_s << 2;
    QTest::newRow("one line more") << 1 << u"\n"_s << 2;
}

// The break after the last line ends the text; a blank line is text.
void TestPrinting::finalEmptyParagraphGetsNoPage()
{
    QFETCH(int, extraLines);
    QFETCH(QString, tail);
    QFETCH(int, pages);
    const int perPage = linesPerPage();
    QVERIFY(perPage > 0);
    const QString path = pdfPath(u"tail"_s);
    QCOMPARE(printToPdf(*plainDocument(numberedLines(perPage + extraLines, false) + tail), path, 1200), pages);
    QString error;
    QCOMPARE(pdfPageCount(path, &error), pages);
}

void TestPrinting::alignmentAndIndents_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("dpi");
    // Points; -1: not checked.
    QTest::addColumn<qreal>("firstLeft");
    QTest::addColumn<qreal>("firstRightGap"); // page width less the right end
    QTest::addColumn<qreal>("nextLeft");
    QTest::addColumn<bool>("centred");

    const QByteArray longText = manyWords(u"kelime"_s, 40).join(u' ').toLatin1();
    const auto paragraph = [&](const char *controls) -> QByteArray { return QByteArray(controls) + ' ' + longText + "\\par"; };
    for (const int dpi : {1200, 300, 96}) {
        QTest::addRow("right aligned @%d", dpi) << QByteArray("\\qr Sagda\\par") << dpi << -1.0 << 0.0 << -1.0 << false;
        QTest::addRow("centred @%d", dpi) << QByteArray("\\qc Ortada\\par") << dpi << -1.0 << -1.0 << -1.0 << true;
        QTest::addRow("right indent 1 inch @%d", dpi)
            << QByteArray("\\qr\\ri1440 Sagda\\par") << dpi << -1.0 << 72.0 << -1.0 << false;
        QTest::addRow("left indent 1 inch @%d", dpi) << paragraph("\\li1440") << dpi << 72.0 << -1.0 << 72.0 << false;
        QTest::addRow("first line indent @%d", dpi) << paragraph("\\fi720") << dpi << 36.0 << -1.0 << 0.0 << false;
        QTest::addRow("hanging indent @%d", dpi) << paragraph("\\li1440\\fi-720") << dpi << 36.0 << -1.0 << 72.0 << false;
    }
}

// Indents are measured from the page's edges in points, whatever the
// printer's resolution; 2 pt leave room for the glyphs' side bearings.
void TestPrinting::alignmentAndIndents()
{
    QFETCH(QByteArray, body);
    QFETCH(int, dpi);
    QFETCH(qreal, firstLeft);
    QFETCH(qreal, firstRightGap);
    QFETCH(qreal, nextLeft);
    QFETCH(bool, centred);
    const QString path = pdfPath(u"indents"_s);
    printToPdf(*rtfDocument(body), path, dpi);
    const PdfText text = readPdfText(path);
    QVERIFY2(text.ok(), qPrintable(text.error));
    const qreal width = text.pages.first().size.width();
    const QList<PdfLine> lines = text.pages.first().lines();
    QVERIFY(!lines.isEmpty());
    const QRectF first = lines.first().box;
    const QString where = describe(lines.first());
    if (firstLeft >= 0)
        QVERIFY2(qAbs(first.left() - firstLeft) < 2, qPrintable(where));
    if (firstRightGap >= 0)
        QVERIFY2(qAbs(width - first.right() - firstRightGap) < 2, qPrintable(where));
    if (centred)
        QVERIFY2(qAbs(first.center().x() - width / 2) < 2, qPrintable(where));
    if (nextLeft >= 0) {
        QVERIFY(lines.size() >= 2);
        QVERIFY2(qAbs(lines[1].box.left() - nextLeft) < 2, qPrintable(describe(lines[1])));
    }
}

// A run in 24 pt red Courier New after 12 pt black Arial: twice as high,
// another font, red on the paper where the other is black.
void TestPrinting::fontsSizesAndColours()
{
    auto doc = rtfDocument("{\\fonttbl{\\f1\\fmodern Courier New;}}{\\colortbl;\\red255\\green0\\blue0;}"
                           "Siyah \\f1\\fs48\\cf1 KIRMIZI\\par");
    const QString path = pdfPath(u"fonts"_s);
    printToPdf(*doc, path, 1200);
    const PdfText text = readPdfText(path);
    QVERIFY2(text.ok(), qPrintable(text.error));
    const QList<PdfWord> words = text.pages.first().words;
    QCOMPARE(words.size(), 2);
    const PdfWord &black = words[0], &red = words[1];
    QCOMPARE(red.text, u"KIRMIZI"_s);
    const qreal ratio = red.box.height() / black.box.height();
    QVERIFY2(ratio > 1.8 && ratio < 2.2, qPrintable(QString::number(ratio)));

    QString error;
    const QStringList fonts = pdfFontNames(path, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const auto isMono = [](const QString &f) { return f.contains(u"Mono"_s) || f.contains(u"Courier"_s); };
    QVERIFY2(std::any_of(fonts.begin(), fonts.end(), isMono), qPrintable(fonts.join(u", "_s)));
    QVERIFY2(std::any_of(fonts.begin(), fonts.end(), [&](const QString &f) { return !isMono(f); }),
             qPrintable(fonts.join(u", "_s)));

    const int dpi = 72; // one pixel a point
    const QImage page = renderPdfPage(path, 1, dpi, &error);
    QVERIFY2(!page.isNull(), qPrintable(error));
    const auto count = [&](const QRectF &box, auto pred) {
        int n = 0;
        const QRect r = box.toAlignedRect() & page.rect();
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += pred(page.pixelColor(x, y)) ? 1 : 0;
        return n;
    };
    const auto reddish = [](const QColor &c) { return c.red() > 180 && c.green() < 120 && c.blue() < 120; };
    const auto dark = [](const QColor &c) { return c.red() < 90 && c.green() < 90 && c.blue() < 90; };
    QVERIFY(count(red.box, reddish) > 20);
    QCOMPARE(count(red.box, dark), 0);
    QVERIFY(count(black.box, dark) > 10);
    QCOMPARE(count(black.box, reddish), 0);
}

// What the document keeps but does not show is not printed either: its
// headers, footers and notes, and its page size and margins (the text still
// starts at the top of the printable area).
void TestPrinting::keptPartsAreNotPrinted()
{
    auto doc = rtfDocument("\\paperw5000\\paperh5000\\margl2000\\margt2000{\\header ANTET\\par}{\\footer ALTBILGI\\par}"
                           "Metin{\\super\\chftn{\\footnote DIPNOT}}\\par");
    const QString path = pdfPath(u"kept"_s);
    QCOMPARE(printToPdf(*doc, path, 1200), 1);
    const PdfText text = readPdfText(path);
    QVERIFY2(text.ok(), qPrintable(text.error));
    QCOMPARE(text.allWords().join(u' ').remove(u' '), u"Metin1"_s);
    const PdfPage &page = text.pages.first();
    QCOMPARE(page.size.toSize(), QPageSize(QPageSize::A4).size(QPageSize::Point));
    QVERIFY2(page.words.first().box.top() < 5, qPrintable(QString::number(page.words.first().box.top())));
}

void TestPrinting::picturesPrintAtTheirSize_data()
{
    QTest::addColumn<int>("dpi");
    QTest::newRow("1200 dpi") << 1200;
    QTest::newRow("300 dpi") << 300;
}

// A red PNG of 2 x 1 inches, then a metafile framed at 1 x 1 inch, then a
// paragraph: on paper at 72 dpi (a pixel a point) the PNG covers 144 x 72
// points, the frame's edge is grey with white inside it, and the next
// paragraph starts below both.
void TestPrinting::picturesPrintAtTheirSize()
{
    QFETCH(int, dpi);
    QImage red(4, 2, QImage::Format_RGB32);
    red.fill(qRgb(220, 0, 0));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    const auto doc = rtfDocument("{\\pict\\pngblip\\picwgoal2880\\pichgoal1440 " + png.toHex() +
                                 "}{\\pict\\wmetafile8\\picwgoal1440\\pichgoal1440 0100090000}\\par Alt\\par");
    const QString path = pdfPath(u"pictures"_s);
    QCOMPARE(printToPdf(*doc, path, dpi), 1);
    QString error;
    const QImage page = renderPdfPage(path, 1, 72, &error);
    QVERIFY2(!page.isNull(), qPrintable(error));
    const auto isRed = [&](int x, int y) {
        const QColor c = page.pixelColor(x, y);
        return c.red() > 180 && c.green() < 60 && c.blue() < 60;
    };
    QVERIFY(isRed(3, 3) && isRed(140, 3) && isRed(3, 68) && isRed(140, 68));
    QVERIFY(!isRed(148, 36));
    const auto darkest = [&](int x0, int x1, int y) {
        int v = 255;
        for (int x = x0; x <= x1; ++x)
            v = qMin(v, qGray(page.pixel(x, y)));
        return v;
    };
    QVERIFY2(darkest(143, 146, 36) < 200, "the frame's left edge");
    QVERIFY2(darkest(213, 216, 36) < 200, "the frame's right edge");
    QVERIFY2(darkest(160, 200, 36) > 240, "inside the frame");
    const PdfText text = readPdfText(path);
    QVERIFY2(text.ok(), qPrintable(text.error));
    const QList<PdfWord> words = text.pages.first().words;
    QCOMPARE(words.size(), 1);
    QVERIFY2(words.first().box.top() > 72, qPrintable(QString::number(words.first().box.top())));
}

void TestPrinting::documentIsNotChanged_data()
{
    QTest::addColumn<bool>("modified");
    QTest::newRow("unmodified") << false;
    QTest::newRow("modified") << true;
}

void TestPrinting::documentIsNotChanged()
{
    QFETCH(bool, modified);
    auto doc = rtfDocument("\\qc\\li720\\ri720\\fi360 Ortada ve girintili\\par\\qr Sagda\\par");
    doc->setModified(modified);
    const QString html = doc->toHtml();
    const int revision = doc->revision();
    printToPdf(*doc, pdfPath(u"unchanged"_s), 1200);
    QCOMPARE(doc->toHtml(), html);
    QCOMPARE(doc->isModified(), modified);
    QCOMPARE(doc->revision(), revision);
    QCOMPARE(doc->availableUndoSteps(), 0);
}

void TestPrinting::printerThatCannotBeOpened()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir->filePath(u"no such folder/out.pdf"_s));
    try {
        printDocument(*plainDocument(u"metin"_s), printer);
        QFAIL("no error");
    } catch (const EPrinter &e) {
        QCOMPARE(QString::fromStdString(e.message()), u"Printer selected is not valid"_s);
    }
}

QTEST_MAIN(TestPrinting)
