#pragma once
// Printing tests. Those in tst_printing.cpp print into PDF files and read the
// result back with poppler; those in tst_printing_cups.cpp print through the
// frame on the CUPS test queue of scripts/services/cups.sh and fail (they do
// not skip) when it is not set up.

#include <QObject>
#include <QPageSize>
#include <QString>
#include <QTemporaryDir>
#include <QTextDocument>

#include <memory>

namespace kelmora::test {

// A document prepared like the editor's, holding the RTF body given
// (between the header with Arial as font 0 and the closing brace).
std::unique_ptr<QTextDocument> rtfDocument(const QByteArray &body);
// A document prepared like the editor's, holding text read as plain text.
std::unique_ptr<QTextDocument> plainDocument(const QString &text);
// "Satır 0001" to "Satır n", one per line; with a line break after the last.
QString numberedLines(int n, bool finalBreak);
// Prints doc into a PDF file on pageSize at dpi; returns printDocument's count.
int printToPdf(const QTextDocument &doc, const QString &path, int dpi,
               const QPageSize &pageSize = QPageSize(QPageSize::A4));

} // namespace kelmora::test

class TestPrinting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();

    // Into PDF files (tst_printing.cpp)
    void linesBreakAtThePageWidth_data();
    void linesBreakAtThePageWidth();
    void everyPageTakesAllTheTextThatFits_data();
    void everyPageTakesAllTheTextThatFits();
    void emptyDocumentPrintsOneBlankPage_data();
    void emptyDocumentPrintsOneBlankPage();
    void finalEmptyParagraphGetsNoPage_data();
    void finalEmptyParagraphGetsNoPage();
    void alignmentAndIndents_data();
    void alignmentAndIndents();
    void fontsSizesAndColours();
    void keptPartsAreNotPrinted();
    void picturesPrintAtTheirSize_data();
    void picturesPrintAtTheirSize();
    void documentIsNotChanged_data();
    void documentIsNotChanged();
    void printerThatCannotBeOpened();

    // On the CUPS test queue (tst_printing_cups.cpp)
    void cupsJobsAreNamedMirelPad();
    void cupsPageCount_data();
    void cupsPageCount();
    void cupsSecondRequestWhilePrinting();
    void cupsNoDefaultPrinter();

private:
    // Lines of numberedLines() that fill one A4 page at 1200 dpi.
    int linesPerPage();
    QString pdfPath(const QString &name) const { return m_dir->filePath(name + QStringLiteral(".pdf")); }

    std::unique_ptr<QTemporaryDir> m_dir;
    int m_linesPerPage = 0;
};
