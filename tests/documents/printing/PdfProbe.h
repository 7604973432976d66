#pragma once
// Reads back what was printed, through poppler's command-line tools:
// page count (pdfinfo), the words with their boxes (pdftotext -bbox), the
// fonts (pdffonts) and a page as a picture (pdftoppm). Every call reports a
// failure as a text in `error` rather than throwing, so a test can show it.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace kelmora::test {

// Runs program with arguments and waits for it; the output of a run that
// failed to start, timed out or exited non-zero is reported in error.
struct ToolRun {
    QByteArray out;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
ToolRun runTool(const QString &program, const QStringList &arguments, int timeoutMs = 60000);

// Boxes are in points, origin at the page's top-left corner.
struct PdfWord {
    QString text;
    QRectF box;
};
struct PdfLine {
    QList<PdfWord> words; // left to right
    QRectF box;
    QStringList texts() const;
};
struct PdfPage {
    QSizeF size;
    QList<PdfWord> words;
    // The words grouped by the line they stand on, top to bottom.
    QList<PdfLine> lines() const;
};
struct PdfText {
    QList<PdfPage> pages;
    QString error;
    bool ok() const { return error.isEmpty(); }
    QStringList allWords() const;
};

PdfText readPdfText(const QString &path);
// -1 with error set when pdfinfo cannot read the file.
int pdfPageCount(const QString &path, QString *error);
QStringList pdfFontNames(const QString &path, QString *error);
// Page `page` (1-based) rendered at dpi dots per inch.
QImage renderPdfPage(const QString &path, int page, int dpi, QString *error);

} // namespace kelmora::test
