#pragma once
// Printing: the active document goes straight to the desktop's default
// printer as one job, without a dialog. The page is the printer's whole
// printable area with no margins added; the text is laid out at the printer's
// resolution with the document's own fonts, colours, alignment and indents,
// one page after another until the text is used up.

#include <QString>

#include <memory>

class QPrinter;
class QTextDocument;

namespace kelmora {

// Lays doc out for printer's page and paints every page; returns the number
// of pages. Throws EPrinter when the printer cannot be opened.
int printDocument(const QTextDocument &doc, QPrinter &printer);

// The program's printer: created on first use and kept for the run.
class Printer {
public:
    Printer();
    ~Printer();
    // Prints doc on the default printer as a job named title. Throws
    // EPrinter: no default printer, the printer cannot be opened, or a job
    // of this printer is still being sent.
    void print(const QTextDocument &doc, const QString &title);
    bool printing() const { return m_printing; }

private:
    std::unique_ptr<QPrinter> m_printer;
    bool m_printing = false;
};

} // namespace kelmora
